#pragma once
// The ways a pupil reaches every edit that a permission guards, through the program's
// own window (the mouse on the board and the palette, the menu, the menu's letters,
// the marked-components dialog and the property dialogs' buttons), with the pupil who
// answers the dialogs on the way. Shared by the permission and the undo tests.
#include "AppFixture.h"

#include "annotations/Picture.h"
#include "annotations/Table.h"
#include "annotations/TextField.h"
#include "boardview/MarkedComponentsDlg.h"
#include "components/TwoInputGate.h"
#include "shell/CommandIds.h"

#include <QAbstractButton>
#include <QMenu>

#include <functional>
#include <vector>

namespace editing_ways {

constexpr int kAndGate = 3;
constexpr int kInverter = 6;
constexpr int kProbe = 24;

// The pupil at every dialog: notes its title, presses the row's button in a property
// or marked-components dialog when it is enabled (else leaves with "&Annuleer"), says
// Ja to questions and OK to messages.
class CPupil {
public:
    explicit CPupil(QString button) : m_strButton(std::move(button))
    {
        m_previous = SetModalHandler([this](QDialog& dialog) { return Answer(dialog); });
    }
    ~CPupil() { SetModalHandler(std::move(m_previous)); }
    QStringList titles;
    QStringList texts;
    int propertyDialogs = 0;

private:
    int Answer(QDialog& dialog)
    {
        titles << dialog.windowTitle();
        texts << ScriptedModals::LabelTexts(dialog).join(u' ');
        if (qobject_cast<CMessageBox*>(&dialog))
            return 1;
        if (qobject_cast<CConfirmBox*>(&dialog))
            return CConfirmBox::kJa;
        ++propertyDialogs;
        for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            if (button->text() == m_strButton && button->isEnabled()) {
                button->click();
                return dialog.result();
            }
        return 2;
    }

    QString m_strButton;
    ModalHandler m_previous;
};

class PermissionMatrixTest : public AppFixture {
public:
    // The table's steps drive the program from outside the test bodies.
    using AppFixture::Board;
    using AppFixture::Doc;
    void SetUp() override
    {
        AppFixture::SetUp();
        Start();
        // Room for every palette row.
        Frame()->showNormal();
        Frame()->resize(1100, 1000);
        QTest::qWait(1);
        Frame()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    }

    // Mouse on the board, at board points.
    void Press(CPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(Board().viewport(), button, {}, Pixel(p));
    }
    void Release(CPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(Board().viewport(), button, {}, Pixel(p));
    }
    void Move(CPoint p) { QTest::mouseMove(Board().viewport(), Pixel(p)); }
    void Click(CPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        Press(p, button);
        Release(p, button);
    }
    void Drag(CPoint from, CPoint to)
    {
        Press(from);
        Move(CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
        Move(to);
        Release(to);
    }
    void Mark(CPoint from, CPoint to) { Drag(from, to); }
    // From a palette row onto the board.
    void DragFromPalette(int row, CPoint to)
    {
        QWidget* palette = Palette().viewport();
        const int rowPixels = 72 * palette->logicalDpiY() / 254;
        const QPoint at(20, row * rowPixels + rowPixels / 4);
        QTest::mouseMove(palette, at);
        QTest::mousePress(palette, Qt::LeftButton, {}, at);
        Move(to);
        Release(to);
    }
    // The menu item as the pupil chooses it with the mouse.
    void Menu(int id)
    {
        Frame()->UpdateCommandUI();
        Frame()->Action(id)->trigger();
    }
    // The menu "B&ord" opened with Alt+O and the item chosen by its letter. Several
    // items share a letter ("Wis &tekstvelden", "Aanbrengen &tekstveld"): the letter
    // then only moves to the first of them, and Enter chooses it.
    void Keyboard(Qt::Key letter)
    {
        Frame()->UpdateCommandUI();
        QTest::keyClick(Frame(), Qt::Key_O, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "Alt+O opens the board menu";
        QTest::keyClick(menu, letter);
        if (QApplication::activePopupWidget() == menu)
            QTest::keyClick(menu, Qt::Key_Return);
        if (QApplication::activePopupWidget() == menu)
            QTest::keyClick(menu, Qt::Key_Escape); // nothing was chosen
    }

    void AddWire()
    {
        Doc().LayOutSockets();
        Click(a->Bus(2).GetCenter());
        Click(b->Bus(0).GetCenter());
        ASSERT_EQ(Doc().m_wires.size(), 1u);
    }
    void AddProbe()
    {
        probe = PlaceOnBoard(kProbe, 1200, -1000);
        probe->m_nParam1 = b->Bus(1).GetId();
        probe->m_nParam2 = 1;
    }
    void MakeBlackbox() { static_cast<CTwoInputGate*>(a)->SetBlackbox(true); }
    CPoint WireMiddle() const
    {
        const CPoint p = Doc().m_wires[0]->GetPoint(0), q = Doc().m_wires[0]->GetPointFromEnd(0);
        return CPoint((p.x + q.x) / 2, (p.y + q.y) / 2);
    }
    std::size_t Count(int typeId) const
    {
        std::size_t n = 0;
        for (const auto& c : Doc().m_components)
            n += c->GetTypeId() == unsigned(typeId);
        return n;
    }

    CComponent* a = nullptr; // AND gate
    CComponent* b = nullptr; // inverter
    CComponent* probe = nullptr;
};

using Step = std::function<void(PermissionMatrixTest&)>;
using Check = std::function<bool(PermissionMatrixTest&, const CPupil&)>;

struct Way {
    int permission;
    const char* name;
    Step prepare; // with every permission, before the pupil's own permissions apply
    const char* button; // what the pupil presses in a property or marked dialog
    Step operate;
    Check done;
};

inline void PrintTo(const Way& w, std::ostream* os)
{
    *os << w.name;
}

template <class T>
Step AddAnnotation(ObjectList CVeldtrakDoc::*list)
{
    return [list](PermissionMatrixTest& t) {
        auto object = std::make_unique<T>();
        object->m_rect = CRect(1200, -100, 1500, -300);
        (t.Doc().*list).push_back(std::move(object));
    };
}

inline CPoint TextFieldMiddle(PermissionMatrixTest& t)
{
    return static_cast<CAnnotation&>(*t.Doc().m_textFields.front()).m_rect.CenterPoint();
}

inline const std::vector<Way> kWays = {
    {PERMIT_ADD_MOVE, "AddFromThePalette", nullptr, "",
     [](PermissionMatrixTest& t) { t.DragFromPalette(kInverter, CPoint(500, -1000)); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Count(TYPE_INVERTER) == 2; }},
    {PERMIT_ADD_MOVE, "MoveOnTheBoard", nullptr, "",
     [](PermissionMatrixTest& t) { t.Drag(t.a->m_rect.CenterPoint(), CPoint(600, -1000)); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.a->GetTopLeft() != CPoint(100, -100); }},
    {PERMIT_DELETE_COMPONENTS, "WisInThePropertyDialog", nullptr, "&Wis",
     [](PermissionMatrixTest& t) { t.Click(t.a->m_rect.CenterPoint(), Qt::RightButton); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Count(TYPE_ENPOORT) == 0; }},
    {PERMIT_DELETE_COMPONENTS, "DeleteMarked", nullptr, "De componenten &wissen",
     [](PermissionMatrixTest& t) { t.Mark(CPoint(20, -20), CPoint(1500, -1200)); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_components.empty(); }},
    {PERMIT_ADD_WIRES, "WireWithTheMouse", nullptr, "",
     [](PermissionMatrixTest& t) {
         t.Doc().LayOutSockets();
         t.Click(t.a->Bus(2).GetCenter());
         t.Click(t.b->Bus(0).GetCenter());
     },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_wires.size() == 1; }},
    {PERMIT_DELETE_WIRES, "DeleteWireWithTheMouse", [](PermissionMatrixTest& t) { t.AddWire(); }, "",
     [](PermissionMatrixTest& t) { t.Click(t.WireMiddle(), Qt::RightButton); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_wires.empty(); }},
    {PERMIT_DELETE_WIRES, "WisDradenMenu", [](PermissionMatrixTest& t) { t.AddWire(); }, "",
     [](PermissionMatrixTest& t) { t.Menu(ID_EDIT_CLEAR_WIRES); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_wires.empty(); }},
    {PERMIT_DELETE_WIRES, "WisDradenKeyboard", [](PermissionMatrixTest& t) { t.AddWire(); }, "",
     [](PermissionMatrixTest& t) { t.Keyboard(Qt::Key_D); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_wires.empty(); }},
    {PERMIT_IDENTIFY_BLACKBOXES, "OpenBlackboxWithTheMouse",
     [](PermissionMatrixTest& t) { t.MakeBlackbox(); }, "",
     [](PermissionMatrixTest& t) { t.Click(t.a->m_rect.CenterPoint(), Qt::RightButton); },
     [](PermissionMatrixTest&, const CPupil& p) { return p.propertyDialogs == 1; }},
    {PERMIT_IDENTIFY_BLACKBOXES, "IdentifyMenu", [](PermissionMatrixTest& t) { t.MakeBlackbox(); }, "",
     [](PermissionMatrixTest& t) { t.Menu(ID_IDENTIFY_BLACKBOXES); },
     [](PermissionMatrixTest& t, const CPupil&) {
         return !static_cast<CTwoInputGate*>(t.a)->IsBlackbox();
     }},
    {PERMIT_IDENTIFY_BLACKBOXES, "IdentifyKeyboard", [](PermissionMatrixTest& t) { t.MakeBlackbox(); }, "",
     [](PermissionMatrixTest& t) { t.Keyboard(Qt::Key_B); },
     [](PermissionMatrixTest& t, const CPupil&) {
         return !static_cast<CTwoInputGate*>(t.a)->IsBlackbox();
     }},
    {PERMIT_PROBES, "ProbeFromThePalette", nullptr, "",
     [](PermissionMatrixTest& t) { t.DragFromPalette(kProbe, CPoint(500, -1000)); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Count(TYPE_SONDE) == 1; }},
    {PERMIT_PROBES, "MoveProbe", [](PermissionMatrixTest& t) { t.AddProbe(); }, "",
     [](PermissionMatrixTest& t) { t.Drag(t.probe->m_rect.CenterPoint(), CPoint(500, -1000)); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.probe->GetTopLeft() != CPoint(1200, -1000); }},
    {PERMIT_PROBES, "WisSondesMenu", [](PermissionMatrixTest& t) { t.AddProbe(); }, "",
     [](PermissionMatrixTest& t) { t.Menu(ID_EDIT_CLEAR_PROBES); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Count(TYPE_SONDE) == 0; }},
    {PERMIT_PROBES, "WisSondesKeyboard", [](PermissionMatrixTest& t) { t.AddProbe(); }, "",
     [](PermissionMatrixTest& t) { t.Keyboard(Qt::Key_S); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Count(TYPE_SONDE) == 0; }},
    // Pressed where the screen lays the field out, which an opened board already knows.
    {PERMIT_CHANGE_TEXTS, "MoveTextField", AddAnnotation<CTextField>(&CVeldtrakDoc::m_textFields), "",
     [](PermissionMatrixTest& t) { t.Press(TextFieldMiddle(t)); },
     [](PermissionMatrixTest& t, const CPupil&) {
         const bool dragging = t.Board().Mode() == MODE_DRAG_TEXTFIELD;
         t.Release(TextFieldMiddle(t));
         return dragging;
     }},
    {PERMIT_CHANGE_TEXTS, "WisTekstveldenMenu", AddAnnotation<CTextField>(&CVeldtrakDoc::m_textFields), "",
     [](PermissionMatrixTest& t) { t.Menu(ID_EDIT_CLEAR_TEXTS); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_textFields.empty(); }},
    {PERMIT_CHANGE_TEXTS, "WisTekstveldenKeyboard", AddAnnotation<CTextField>(&CVeldtrakDoc::m_textFields), "",
     [](PermissionMatrixTest& t) { t.Keyboard(Qt::Key_T); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_textFields.empty(); }},
    {PERMIT_CHANGE_TEXTS, "WisTabellenMenu", AddAnnotation<CTabel>(&CVeldtrakDoc::m_tables), "",
     [](PermissionMatrixTest& t) { t.Menu(ID_EDIT_CLEAR_TABLES); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_tables.empty(); }},
    {PERMIT_CHANGE_TEXTS, "WisTabellenKeyboard", AddAnnotation<CTabel>(&CVeldtrakDoc::m_tables), "",
     [](PermissionMatrixTest& t) { t.Keyboard(Qt::Key_A); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_tables.empty(); }},
    {PERMIT_CHANGE_TEXTS, "WisFotosMenu", AddAnnotation<CPlaatje>(&CVeldtrakDoc::m_pictures), "",
     [](PermissionMatrixTest& t) { t.Menu(ID_EDIT_CLEAR_PICTURES); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_pictures.empty(); }},
    {PERMIT_CHANGE_TEXTS, "WisFotosKeyboard", AddAnnotation<CPlaatje>(&CVeldtrakDoc::m_pictures), "",
     [](PermissionMatrixTest& t) { t.Keyboard(Qt::Key_F); },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().m_pictures.empty(); }},
    {PERMIT_CHANGE_PROPERTIES, "OpenMarkedDialog", nullptr, "&Annuleer",
     [](PermissionMatrixTest& t) { t.Mark(CPoint(20, -20), CPoint(1500, -1200)); },
     [](PermissionMatrixTest&, const CPupil& p) { return p.propertyDialogs == 1; }},
    {PERMIT_CHANGE_PROPERTIES, "OkInThePropertyDialog", nullptr, "OK",
     [](PermissionMatrixTest& t) {
         t.Doc().SetModifiedFlag(false);
         t.Click(t.a->m_rect.CenterPoint(), Qt::RightButton);
     },
     [](PermissionMatrixTest& t, const CPupil&) { return t.Doc().IsModified(); }},
};

} // namespace editing_ways
