#include "MarkedComponentsDlg.h"

#include "platform/ModalRunner.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CMarkedComponentsDlg::CMarkedComponentsDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Gemarkeerde componenten"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Er zijn componenten gemarkeerd; er zijn nu de volgende opties mogelijk:")));
    const std::pair<int, const char*> buttons[] = {
        {ID_ALIGN_LEFT, "De &linker zijdes van de componenten op een vertikale lijn plaatsen"},
        {ID_ALIGN_RIGHT, "De &rechter zijdes van de componenten op een vertikale lijn plaatsen"},
        {ID_ALIGN_TOP, "De &bovenzijdes van de componenten op een horizontale lijn plaatsen"},
        {ID_ALIGN_BOTTOM, "De &onderzijdes van de componenten op een horizontale lijn plaatsen"},
        {ID_DELETE, "De componenten &wissen"},
        {ID_CANCEL, "&Annuleer"},
    };
    for (const auto& [id, text] : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(text));
        button->setObjectName(QStringLiteral("button%1").arg(id));
        connect(button, &QPushButton::clicked, this, [this, id = id] { done(id); });
        layout->addWidget(button);
    }
}

int CMarkedComponentsDlg::Run()
{
    return RunModal(*this);
}
