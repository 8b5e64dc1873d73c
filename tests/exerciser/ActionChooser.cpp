#include "ActionChooser.h"

#include "ActionPlayer.h"
#include "ExerciseSession.h"
#include "annotations/Annotation.h"
#include "shell/CommandIds.h"
#include "shell/MenuLayout.h"

#include <algorithm>
#include <set>

namespace {

class CDraw {
public:
    explicit CDraw(std::mt19937& rng) : m_rng(rng) {}
    int Below(int n) { return n <= 0 ? 0 : int(std::uniform_int_distribution<int>(0, n - 1)(m_rng)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename List>
    const auto& OneOf(const List& list) { return list[std::size_t(Below(int(list.size())))]; }

private:
    std::mt19937& m_rng;
};

// Every command of the menus, the toolbar and the pane keys, once.
const std::vector<int>& AllCommands()
{
    static const std::vector<int> commands = [] {
        std::set<int> ids = {ID_NEXT_PANE, ID_PREV_PANE};
        for (const MenuDef& menu : MainMenuLayout())
            for (const MenuItemDef& item : menu.items)
                if (item.id != 0)
                    ids.insert(item.id);
        for (int id : ToolbarLayout())
            if (id != 0)
                ids.insert(id);
        return std::vector<int>(ids.begin(), ids.end());
    }();
    return commands;
}

// A point of the board worth aiming at.
CPoint Target(CExerciseSession& s, CDraw& draw)
{
    const CVeldtrakDoc& doc = s.Doc();
    CPoint p;
    switch (draw.Below(6)) {
    case 0: // a socket
        if (!doc.m_components.empty()) {
            const CComponent& c = *draw.OneOf(doc.m_components);
            if (c.GetBusCount() > 0) {
                p = c.Bus(draw.Below(c.GetBusCount())).GetCenter();
                break;
            }
        }
        [[fallthrough]];
    case 1: // a component
        if (!doc.m_components.empty()) {
            const CRect& r = draw.OneOf(doc.m_components)->m_rect;
            p = CPoint(draw.Between(std::min(r.left, r.right), std::max(r.left, r.right)),
                       draw.Between(std::min(r.top, r.bottom), std::max(r.top, r.bottom)));
            break;
        }
        [[fallthrough]];
    case 2: // a wire
        if (!doc.m_wires.empty()) {
            const CDraad& w = *draw.OneOf(doc.m_wires);
            if (w.GetPointCount() > 0) {
                const int i = draw.Below(w.GetPointCount());
                const CPoint a = w.GetPoint(i), b = w.GetPoint(std::min(i + 1, w.GetPointCount() - 1));
                p = CPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
                break;
            }
        }
        [[fallthrough]];
    case 3: { // a text field, table or picture
        std::vector<const CAnnotation*> annotations;
        for (const ObjectList* list : {&doc.m_textFields, &doc.m_tables, &doc.m_pictures})
            for (const auto& o : *list)
                if (const auto* a = dynamic_cast<const CAnnotation*>(o.get()))
                    annotations.push_back(a);
        if (!annotations.empty()) {
            const CRect& r = draw.OneOf(annotations)->m_rect;
            p = CPoint(r.left + draw.Between(0, 40), r.top - draw.Between(0, 40));
            break;
        }
        [[fallthrough]];
    }
    default: { // anywhere in the pane
        const QSize size = s.Board().viewport()->size();
        return s.Board().ClientToBoard(QPoint(draw.Below(size.width()), draw.Below(size.height())));
    }
    }
    if (draw.Chance(30)) // a little beside it
        p = CPoint(p.x + draw.Between(-20, 20), p.y + draw.Between(-20, 20));
    return p;
}

// The pixel of a board point, kept inside the pane.
QPoint Pixel(CExerciseSession& s, CPoint board)
{
    const QPoint p = s.Board().BoardToClient(board);
    const QSize size = s.Board().viewport()->size();
    return {std::clamp(p.x(), 0, std::max(size.width() - 1, 0)), std::clamp(p.y(), 0, std::max(size.height() - 1, 0))};
}

int Mods(CDraw& draw)
{
    return (draw.Chance(15) ? 1 : 0) | (draw.Chance(10) ? 2 : 0);
}

CExerciseAction Mouse(CExerciseSession& s, CDraw& draw, const char* verb, bool withButton)
{
    const QPoint at = Pixel(s, Target(s, draw));
    CExerciseAction a{QString::fromLatin1(verb), {at.x(), at.y()}};
    if (withButton)
        a.args.push_back(draw.Chance(75) ? 1 : 2);
    a.args.push_back(Mods(draw));
    return a;
}

// What a random user rarely reaches: the restricted save, the chain with its passwords,
// "&Nieuw" with the start dialog, the menus by their access keys. A chain step on a
// board without that link starts the program with a shipped worksheet first.
CExerciseAction Aimed(CExerciseSession& s, CDraw& draw)
{
    const int kind = draw.Below(5);
    if (kind == 4) {
        const auto& menus = MainMenuLayout();
        const int menu = draw.Below(int(menus.size()));
        return {QStringLiteral("menu"),
                {menu, draw.Chance(20) ? -1 : draw.Below(int(menus[std::size_t(menu)].items.size()))}};
    }
    const QString& link = kind == 1 ? s.Doc().m_strNextBoard : s.Doc().m_strPrevBoard;
    if ((kind == 1 || kind == 2) && link.isEmpty()) {
        std::vector<int> shipped;
        for (int i = 0; i < int(s.PoolBoards().size()); ++i)
            if (!s.PoolBoards()[i].contains(QStringLiteral("/pool/")))
                shipped.push_back(i + 2);
        if (!shipped.empty())
            return {QStringLiteral("restart"), {draw.OneOf(shipped)}};
    }
    return {QStringLiteral("aim"), {kind}};
}

} // namespace

CExerciseAction ChooseAction(CExerciseSession& s, std::mt19937& rng)
{
    CDraw draw(rng);
    CExerciseAction a;
    const int r = draw.Below(100);
    if (s.Board().Mode() == MODE_STARTUP && draw.Chance(60))
        a = {QStringLiteral("startmenu"), {draw.Between(1, 4)}};
    else if (r < 12)
        a = Mouse(s, draw, "click", true);
    else if (r < 19)
        a = Mouse(s, draw, "press", true);
    else if (r < 26)
        a = Mouse(s, draw, "move", false);
    else if (r < 32)
        a = Mouse(s, draw, "release", true);
    else if (r < 40) {
        const QPoint from = Pixel(s, Target(s, draw)), to = Pixel(s, Target(s, draw));
        a = {QStringLiteral("drag"), {from.x(), from.y(), to.x(), to.y(), Mods(draw)}};
    } else if (r < 47) {
        const QPoint to = Pixel(s, Target(s, draw));
        a = {QStringLiteral("palette"), {draw.Below(22), to.x(), to.y()}};
    } else if (r < 53)
        a = {QStringLiteral("key"), {draw.Below(int(ExerciseKeys().size())), Mods(draw)}};
    else if (r < 72) {
        int id = draw.OneOf(AllCommands());
        if (id == ID_APP_EXIT && draw.Chance(80)) // closing ends the session's board: now and then
            id = ID_EDIT_UNDO;
        a = {QStringLiteral("command"), {id}};
    } else if (r < 78)
        a = {QStringLiteral("command"),
             {draw.OneOf(std::vector<int>{ID_MEASURE_START, ID_MEASURE_STOP, ID_MEASURE_RESET,
                                          ID_EDIT_UNDO, ID_EDIT_REDO})}};
    else if (r < 87)
        a = {QStringLiteral("tick"), {draw.Between(1, 30)}};
    else if (r < 90) {
        const QPoint at = Pixel(s, Target(s, draw));
        a = {QStringLiteral("wheel"), {at.x(), at.y(), draw.Chance(50) ? 120 : -120, draw.Chance(80) ? 2 : 0}};
    } else if (r < 92)
        a = {QStringLiteral("resize"), {draw.Between(400, 1400), draw.Between(300, 1100)}};
    else if (r < 93)
        a = {QStringLiteral("restart"), {draw.Below(int(s.PoolBoards().size()) + 2)}};
    else if (r < 95)
        a = Aimed(s, draw);
    else if (r < 96)
        a = {QStringLiteral("idle"), {}};
    else if (r < 98)
        a = {QStringLiteral("undowalk"), {}};
    else
        a = {QStringLiteral("closepreview"), {}};
    a.answers = std::uint32_t(rng());
    return a;
}
