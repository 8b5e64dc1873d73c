#include "ActionPlayer.h"

#include "ExerciseSession.h"
#include "shell/CommandIds.h"
#include "shell/MenuLayout.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QWheelEvent>

#include <algorithm>

namespace {

Qt::KeyboardModifiers Modifiers(int bits)
{
    Qt::KeyboardModifiers m;
    if (bits & 1)
        m |= Qt::ShiftModifier;
    if (bits & 2)
        m |= Qt::ControlModifier;
    return m;
}

Qt::MouseButton Button(int code)
{
    return code == 2 ? Qt::RightButton : Qt::LeftButton;
}

QPoint At(const CExerciseAction& a, std::size_t first)
{
    return {a.Arg(first), a.Arg(first + 1)};
}

void Mouse(CExerciseSession& s, QTest::MouseAction what, int button, int mods, QPoint at)
{
    QTest::mouseEvent(what, s.Board().viewport(), what == QTest::MouseMove ? Qt::NoButton : Button(button),
                      Modifiers(mods), at);
}

void DragFromPalette(CExerciseSession& s, int row, QPoint to)
{
    QWidget* palette = s.Palette().viewport();
    const int rowPixels = 72 * palette->logicalDpiY() / 254;
    const QPoint at(20, row * rowPixels + rowPixels / 4);
    QTest::mouseMove(palette, at);
    QTest::mousePress(palette, Qt::LeftButton, {}, at);
    QTest::mouseMove(s.Board().viewport(), to);
    QTest::mouseRelease(s.Board().viewport(), Qt::LeftButton, {}, to);
}

void Wheel(CExerciseSession& s, QPoint at, int delta, int mods)
{
    QWheelEvent event(at, s.Board().viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Modifiers(mods), Qt::NoScrollPhase, false);
    QApplication::sendEvent(s.Board().viewport(), &event);
}

QString Command(CExerciseSession& s, int id)
{
    CMainFrame& frame = *s.Frame();
    if (!frame.Action(id))
        return {};
    const bool enabled = frame.IsCommandEnabled(id);
    const QByteArray before = enabled ? QByteArray() : WriteBoard(s.Doc());
    const QString path = s.Doc().GetPathName();
    frame.OnCommand(id);
    if (!enabled && (WriteBoard(s.Doc()) != before || s.Doc().GetPathName() != path))
        return QStringLiteral("the disabled command %1 changed the board").arg(id);
    return {};
}

void Ticks(CExerciseSession& s, int count)
{
    for (int i = 0; i < std::clamp(count, 0, 200); ++i) {
        if (!s.Board().IsTimerActive(CBoardView::kMeasureTimer))
            return;
        s.Board().OnTimer(CBoardView::kMeasureTimer);
    }
}

void ClosePreview(CExerciseSession& s)
{
    for (QPrintPreviewDialog* preview : s.Frame()->findChildren<QPrintPreviewDialog*>())
        if (preview->isVisible())
            preview->close();
}

// Aimed at what a random user rarely reaches: words that matter are offered to the
// dialogs the command opens.
QString Aim(CExerciseSession& s, int kind)
{
    const CVeldtrakDoc& doc = s.Doc();
    switch (kind) {
    case 0:
        s.User().Offer({QStringLiteral("mijnwerk"), QStringLiteral("proef 2"), QStringLiteral("map\\bord"),
                        QStringLiteral("c:bord"), QStringLiteral("..")});
        return Command(s, ID_FILE_SAVE_AS);
    case 1:
    case 2: {
        const QString& password = kind == 1 ? doc.m_strNextPassword : doc.m_strPrevPassword;
        s.User().Offer({password, password.toUpper(), password + u'x'});
        return Command(s, kind == 1 ? ID_NEXT_BOARD : ID_PREV_BOARD);
    }
    case 3:
        return Command(s, ID_FILE_NEW);
    default:
        return {};
    }
}

// The key after the "&" of a menu text, or 0.
int AccessKey(const char* text)
{
    const QString t = QString::fromUtf8(text ? text : "");
    const qsizetype at = t.indexOf(u'&');
    return at >= 0 && at + 1 < t.size() ? t[at + 1].toUpper().unicode() : 0;
}

void Menu(CExerciseSession& s, int menu, int item)
{
    const auto& menus = MainMenuLayout();
    if (menu < 0 || menu >= int(menus.size()))
        return;
    const MenuDef& def = menus[std::size_t(menu)];
    if (const int key = AccessKey(def.title))
        QTest::keyClick(s.Frame(), Qt::Key(key), Qt::AltModifier);
    QCoreApplication::processEvents();
    if (QWidget* popup = QApplication::activePopupWidget()) {
        const int key = item >= 0 && item < int(def.items.size()) ? AccessKey(def.items[std::size_t(item)].text) : 0;
        QTest::keyClick(popup, key ? Qt::Key(key) : Qt::Key_Escape);
        QCoreApplication::processEvents();
    }
    // A menu left open would take the next action's mouse.
    for (int i = 0; i < 8 && QApplication::activePopupWidget(); ++i)
        QApplication::activePopupWidget()->close();
}

} // namespace

const std::array<int, 9>& ExerciseKeys()
{
    static const std::array<int, 9> keys = {Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Up,
                                            Qt::Key_Down,   Qt::Key_Delete, Qt::Key_CapsLock,
                                            Qt::Key_Escape, Qt::Key_Return, Qt::Key_Home};
    return keys;
}

QString PlayAction(CExerciseSession& s, const CExerciseAction& a)
{
    const QString& v = a.verb;
    if (v == u"press")
        Mouse(s, QTest::MousePress, a.Arg(2), a.Arg(3), At(a, 0));
    else if (v == u"release")
        Mouse(s, QTest::MouseRelease, a.Arg(2), a.Arg(3), At(a, 0));
    else if (v == u"move")
        Mouse(s, QTest::MouseMove, 0, a.Arg(2), At(a, 0));
    else if (v == u"click")
        Mouse(s, QTest::MouseClick, a.Arg(2), a.Arg(3), At(a, 0));
    else if (v == u"drag") {
        const QPoint from = At(a, 0), to = At(a, 2);
        Mouse(s, QTest::MousePress, 1, a.Arg(4), from);
        Mouse(s, QTest::MouseMove, 0, a.Arg(4), (from + to) / 2);
        Mouse(s, QTest::MouseMove, 0, a.Arg(4), to);
        Mouse(s, QTest::MouseRelease, 1, a.Arg(4), to);
    } else if (v == u"wheel")
        Wheel(s, At(a, 0), a.Arg(2), a.Arg(3));
    else if (v == u"palette")
        DragFromPalette(s, std::clamp(a.Arg(0), 0, 40), At(a, 1));
    else if (v == u"key") {
        const int index = std::clamp(a.Arg(0), 0, int(ExerciseKeys().size()) - 1);
        QTest::keyClick(&s.Board(), Qt::Key(ExerciseKeys()[std::size_t(index)]), Modifiers(a.Arg(1)));
    } else if (v == u"command")
        return Command(s, a.Arg(0));
    else if (v == u"tick")
        Ticks(s, a.Arg(0));
    else if (v == u"resize")
        s.Frame()->resize(std::clamp(a.Arg(0), 200, 2000), std::clamp(a.Arg(1), 150, 1500));
    else if (v == u"restart")
        s.Restart(std::max(a.Arg(0), 0));
    else if (v == u"startmenu") {
        if (s.Board().Mode() == MODE_STARTUP)
            s.ClickStartMenu(std::clamp(a.Arg(0), 1, 4));
    }
    else if (v == u"idle") {
        if (s.Board().IsTimerActive(CBoardView::kStartupTimer))
            s.Board().OnTimer(CBoardView::kStartupTimer);
        QCoreApplication::processEvents();
    } else if (v == u"undowalk")
        return s.Invariants().UndoWalkFault(s);
    else if (v == u"closepreview")
        ClosePreview(s);
    else if (v == u"aim")
        return Aim(s, a.Arg(0));
    else if (v == u"menu")
        Menu(s, a.Arg(0), a.Arg(1, -1));
    else
        return QStringLiteral("unknown action \"%1\"").arg(v);
    return {};
}
