#include "DialogParts.h"

#include "platform/CodePage.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace {

class CStorableTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return FromCp1252(ToCp1252(input)) == input ? Acceptable : Invalid;
    }
};

} // namespace

QLineEdit* MakeEdit(int id, int maxLength, bool masked, bool stored)
{
    auto* edit = new QLineEdit;
    if (stored)
        edit->setValidator(new CStorableTextValidator(edit));
    edit->setObjectName(QStringLiteral("edit%1").arg(id));
    if (maxLength > 0) edit->setMaxLength(maxLength);
    if (masked) edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QPushButton* MakeButton(int id, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setAutoDefault(false);
    return button;
}

QBoxLayout* OkCancelRow(QDialog& dialog)
{
    QPushButton* ok = MakeButton(1, QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel = MakeButton(2, QStringLiteral("&Annuleer"));
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

void FixDialogFrame(QDialog& dialog)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    if (QLayout* layout = dialog.layout()) layout->setSizeConstraint(QLayout::SetFixedSize);
}
