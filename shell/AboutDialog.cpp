#include "AboutDialog.h"

#include "ProgramIcon.h"
#include "platform/ModalRunner.h"

#include <QLabel>
#include <QPushButton>

namespace {
// The dialog's 235 x 133 dialog units in pixels of the dialog font.
constexpr int kWidth = 352;
constexpr int kHeight = 216;
constexpr int kIconSize = 64;
} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Over Veldtrak"));
    setFixedSize(kWidth, kHeight);

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramPixmap(kIconSize));
    icon->setGeometry(24, 32, kIconSize, kIconSize);

    auto* version = new QLabel(QStringLiteral("Veldtrak Tanvo version 4.0"), this);
    version->setObjectName(QStringLiteral("version"));
    version->setGeometry(24 + kIconSize + 20, 32, kWidth - kIconSize - 68, kIconSize);
    version->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(kWidth - 24 - 88, kHeight - 24 - 28, 88, 28);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void ShowAboutBox(QWidget* parent)
{
    CAboutDlg dialog(parent);
    RunModal(dialog);
}
