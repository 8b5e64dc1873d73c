#include "BoardSettingsDlg.h"

#include "components/dialogs/ValidatedField.h"
#include "document/Document.h"
#include "platform/ModalRunner.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* AddField(QFormLayout& form, const QString& label, int id)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("edit%1").arg(id));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    form.addRow(label, edit);
    return edit;
}

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

CBoardSettingsDlg::CBoardSettingsDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Systeembord"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    form->setHorizontalSpacing(40);
    m_pTextSnap = AddField(*form, QStringLiteral("Snap marge tekst"), 1024);
    m_pSnapMargin = AddField(*form, QStringLiteral("Snap marge draad"), 1021);
    m_pEraseMargin = AddField(*form, QStringLiteral("Wis marge draad"), 1022);
    m_pProbeWidth = AddField(*form, QStringLiteral("Breedte sonde display"), 1023);

    auto* cancel = new QPushButton(QStringLiteral("&Annuleer"));
    cancel->setObjectName(QStringLiteral("button2"));
    auto* colour = new QPushButton(QStringLiteral("&Kleur draad"));
    colour->setObjectName(QStringLiteral("button3"));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("button1"));
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &CBoardSettingsDlg::reject);
    connect(colour, &QPushButton::clicked, this, &CBoardSettingsDlg::ChooseColour);
    connect(ok, &QPushButton::clicked, this, &CBoardSettingsDlg::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancel);
    buttons->addWidget(colour);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CBoardSettingsDlg::Edit(CVeldtrakDoc& doc)
{
    m_nTextSnap = doc.m_nTextSnap;
    m_nSnapMargin = doc.m_nSnapMargin;
    m_nEraseMargin = doc.m_nEraseMargin;
    m_nProbeWidth = doc.m_nProbeWidth;
    m_wireColour = doc.m_colWire ^ 0xFFFFFF;
    m_pTextSnap->setText(QString::number(m_nTextSnap));
    m_pSnapMargin->setText(QString::number(m_nSnapMargin));
    m_pEraseMargin->setText(QString::number(m_nEraseMargin));
    m_pProbeWidth->setText(QString::number(m_nProbeWidth));
    const int result = RunModal(*this);
    if (result == QDialog::Accepted) {
        doc.m_nTextSnap = m_nTextSnap;
        doc.m_nSnapMargin = m_nSnapMargin;
        doc.m_nEraseMargin = m_nEraseMargin;
        doc.m_nProbeWidth = m_nProbeWidth;
        doc.m_colWire = m_wireColour ^ 0xFFFFFF;
    }
    return result == QDialog::Accepted ? 1 : 2;
}

void CBoardSettingsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_pTextSnap->setFocus();
    m_pTextSnap->selectAll();
}

void CBoardSettingsDlg::ChooseColour()
{
    QColorDialog chooser(this);
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    QColorDialog::setCustomColor(0, ToQColor(m_wireColour));
    if (RunModal(chooser) == QDialog::Accepted) {
        const QColor c = chooser.currentColor();
        m_wireColour = RGB(c.red(), c.green(), c.blue());
    }
}

void CBoardSettingsDlg::accept()
{
    // Checked in the order of the field numbers; the first refusal keeps the dialog open.
    if (!CheckInteger(*m_pSnapMargin, 0, 50) || !CheckInteger(*m_pEraseMargin, 0, 50) ||
        !CheckInteger(*m_pProbeWidth, 30, 300) || !CheckInteger(*m_pTextSnap, 0, 100))
        return;
    m_nSnapMargin = ParseInteger(m_pSnapMargin->text()).value_or(0);
    m_nEraseMargin = ParseInteger(m_pEraseMargin->text()).value_or(0);
    m_nProbeWidth = ParseInteger(m_pProbeWidth->text()).value_or(30);
    m_nTextSnap = ParseInteger(m_pTextSnap->text()).value_or(0);
    done(QDialog::Accepted);
}

void CBoardSettingsDlg::reject()
{
    done(QDialog::Rejected);
}
