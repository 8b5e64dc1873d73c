#include "PropertyDialog.h"

#include "ColourChooser.h"
#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace {

constexpr int kPermitDelete = 0x02;
constexpr int kPermitChangeProperties = 0x80;
constexpr int kColourButtonId = 1097;

constexpr int kTemplateWidth = 186;

// Three templates are two units taller than the others.
int TemplateHeight(int templateId)
{
    return templateId == 165 || templateId == 199 || templateId == 200 ? 97 : 95;
}

// a * b / c rounded to the nearest integer, as dialog units are converted.
int MulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>(product >= 0 ? (product + c / 2) / c : (product - c / 2) / c);
}

// The base units of a dialog font: the average width of the 52 letters, rounded, and
// the character height.
QSize BaseUnits(const QFontMetrics& metrics)
{
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(metrics.horizontalAdvance(letters) / 26 + 1) / 2, metrics.height()};
}

} // namespace

CPropertyDialog::CPropertyDialog(int templateId, const QString& name, int permissions,
                                 QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog%1").arg(templateId));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(name);
    setFixedSize(DialogUnits(0, 0, kTemplateWidth, TemplateHeight(templateId)).size());

    m_pOk = AddButton(ID_OK, QStringLiteral("OK"), 130, 7);
    m_pAnnuleer = AddButton(ID_ANNULEER, QStringLiteral("&Annuleer"), 130, 27);
    m_pWis = AddButton(ID_WIS, QStringLiteral("&Wis"), 129, 74);
    m_pOk->setDefault(true);
    // The buttons are the first controls made; the dialog's own ones go before them.
    m_pLastControl = nullptr;

    connect(m_pOk, &QPushButton::clicked, this, &CPropertyDialog::accept);
    connect(m_pAnnuleer, &QPushButton::clicked, this, &CPropertyDialog::reject);
    connect(m_pWis, &QPushButton::clicked, this, [this] { done(ID_WIS); });

    // A pupil may look at every dialog, but leaves it only with "&Annuleer" unless the
    // board allows changing properties or deleting components.
    m_pOk->setEnabled((permissions & kPermitChangeProperties) != 0);
    m_pWis->setEnabled((permissions & kPermitDelete) != 0);
}

int CPropertyDialog::Run()
{
    LoadControls();
    const int result = RunModal(*this);
    if (result == ID_OK)
        SaveControls();
    return result;
}

void CPropertyDialog::accept()
{
    if (Validate())
        done(ID_OK);
}

void CPropertyDialog::reject()
{
    done(ID_ANNULEER);
}

QRect CPropertyDialog::DialogUnits(int x, int y, int w, int h) const
{
    const QSize base = BaseUnits(fontMetrics());
    const int left = MulDiv(x, base.width(), 4);
    const int top = MulDiv(y, base.height(), 8);
    return QRect(left, top, MulDiv(x + w, base.width(), 4) - left,
                 MulDiv(y + h, base.height(), 8) - top);
}

QLabel* CPropertyDialog::AddStatic(const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("static%1").arg(++m_nStatics));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(label, DialogUnits(x, y, w, h), true);
    return label;
}

QLineEdit* CPropertyDialog::AddEdit(int id, int x, int y, int w, int h)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("edit%1").arg(id));
    Place(edit, DialogUnits(x, y, w, h), false);
    return edit;
}

QCheckBox* CPropertyDialog::AddCheckBox(int id, const QString& text, int x, int y, int w, int h)
{
    auto* check = new QCheckBox(text, this);
    check->setObjectName(QStringLiteral("check%1").arg(id));
    Place(check, DialogUnits(x, y, w, h), true);
    return check;
}

QPushButton* CPropertyDialog::AddButton(int id, const QString& text, int x, int y, int w, int h)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    Place(button, DialogUnits(x, y, w, h), false);
    return button;
}

QPushButton* CPropertyDialog::AddColourButton(int x, int y, std::array<COLORREF, 16>& colours)
{
    QPushButton* button = AddButton(kColourButtonId, QStringLiteral("&Kies kleur"), x, y);
    connect(button, &QPushButton::clicked, this, [this, &colours] {
        EditCustomColours(this, colours);
    });
    return button;
}

void CPropertyDialog::Place(QWidget* control, QRect rect, bool bFitToText)
{
    if (bFitToText) {
        // Text set in this font may need more room than the units it was laid out in;
        // grow to the right and equally up and down rather than clip it.
        const QSize hint = control->sizeHint();
        rect.setWidth(std::max(rect.width(), hint.width()));
        const int extra = hint.height() - rect.height();
        if (extra > 0)
            rect.adjust(0, -extra / 2, 0, extra - extra / 2);
    }
    control->setGeometry(rect);
    m_pLastControl = control;
}

void CPropertyDialog::PutButtonsLastInTabOrder()
{
    if (!m_pLastControl)
        return;
    setTabOrder(m_pLastControl, m_pOk);
    setTabOrder(m_pOk, m_pAnnuleer);
    setTabOrder(m_pAnnuleer, m_pWis);
    m_pLastControl = nullptr;
}

void CPropertyDialog::NarrowLabelsBeforeNeighbours()
{
    // The layout in dialog units was made for a narrower face than ours: a label that
    // would run into the control beside it is set a little narrower instead.
    constexpr int kGap = 5;
    constexpr int kNarrowest = 75; // percent of the normal width
    const QList<QWidget*> controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect own = label->geometry();
        int room = INT_MAX;
        for (QWidget* other : controls) {
            const QRect r = other->geometry();
            if (other != label && r.left() > own.left() && r.top() < own.bottom() &&
                r.bottom() > own.top())
                room = std::min(room, r.left() - kGap - own.left());
        }
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        if (room == INT_MAX || needed <= room)
            continue;
        // Glyph widths round to whole pixels, so narrow step by step until it fits.
        QFont font = label->font();
        for (int stretch = 100 * room / needed; stretch >= kNarrowest; --stretch) {
            font.setStretch(stretch);
            if (QFontMetrics(font).horizontalAdvance(label->text()) <= room)
                break;
        }
        label->setFont(font);
        label->setGeometry(own.left(), own.top(), room, own.height());
    }
}

void CPropertyDialog::showEvent(QShowEvent* event)
{
    if (m_pLastControl)
        NarrowLabelsBeforeNeighbours();
    PutButtonsLastInTabOrder();
    QDialog::showEvent(event);
    if (m_pInitialFocus) {
        m_pInitialFocus->setFocus(Qt::OtherFocusReason);
        m_pInitialFocus->selectAll();
    }
}
