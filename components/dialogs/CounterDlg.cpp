#include "CounterDlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Checks the button at index, or none when no button has that index. An exclusive group
// does not let its last checked button go, so exclusivity is lifted meanwhile.
void CheckIndex(QButtonGroup& group, int index)
{
    group.setExclusive(false);
    for (QAbstractButton* button : group.buttons())
        button->setChecked(group.id(button) == index);
    group.setExclusive(true);
}

} // namespace

CCounterDlg::CCounterDlg(const QString& name, int permissions, QWidget* parent)
    : CPropertyDialog(159, name, permissions, parent)
{
    m_pNumberBase = AddRadioGroup(QStringLiteral(" Talstelsel "), DialogUnits(7, 7, 105, 46),
                                  {{1008, "Decimaal", 15, 20}, {1009, "Hexadecimaal", 15, 35}});
    m_pDigits = AddRadioGroup(QStringLiteral(" Aantal cijfers "), DialogUnits(7, 60, 105, 28),
                              {{1005, "1", 15, 73}, {1006, "2", 50, 73}, {1007, "3", 85, 73}});

    // The radio buttons come before OK, "&Annuleer" and "&Wis", which were made first.
    QWidget* previous = m_pDigits->buttons().last();
    for (const char* button : {"button1", "button2", "button172"}) {
        QWidget* next = findChild<QPushButton*>(QLatin1String(button));
        setTabOrder(previous, next);
        previous = next;
    }
}

QButtonGroup* CCounterDlg::AddRadioGroup(const QString& title, QRect box,
                                         std::initializer_list<Choice> choices)
{
    auto* frame = new QGroupBox(title, this);
    frame->setGeometry(box);
    auto* group = new QButtonGroup(this);
    int index = 0;
    for (const Choice& choice : choices) {
        auto* radio = new QRadioButton(QString::fromLatin1(choice.text), this);
        radio->setObjectName(QStringLiteral("radio%1").arg(choice.id));
        radio->move(DialogUnits(choice.x, choice.y, 0, 0).topLeft());
        radio->adjustSize();
        group->addButton(radio, index++);
    }
    return group;
}

void CCounterDlg::LoadControls()
{
    CheckIndex(*m_pNumberBase, m_nNumberBase);
    CheckIndex(*m_pDigits, m_nDigits);
}

void CCounterDlg::SaveControls()
{
    m_nNumberBase = m_pNumberBase->checkedId();
    m_nDigits = m_pDigits->checkedId();
}
