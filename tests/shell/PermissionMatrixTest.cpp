// Every way a pupil can reach an edit that a permission guards, through the program's
// own window: the mouse on the board and on the palette, the menu, the keyboard (the
// menu's letters), the marked-components dialog and the buttons of the property
// dialogs. Without the permission the edit does not happen; with it, it does. (The
// toolbar holds no guarded command that a pupil's program enables: its authoring
// buttons stay disabled, which CommandStateTest checks.)
#include "EditingWays.h"

namespace {

using namespace editing_ways;

class GuardedWayTest : public PermissionMatrixTest, public ::testing::WithParamInterface<Way> {};

TEST_P(GuardedWayTest, RefusedWithoutThePermissionAndDoneWithIt)
{
    const Way& way = GetParam();
    for (bool granted : {false, true}) {
        SCOPED_TRACE(granted ? "granted" : "refused");
        // Each pass on a board of its own: the AND gate and the inverter.
        Doc().DeleteContents();
        a = PlaceOnBoard(kAndGate, 100, -100);
        b = PlaceOnBoard(kInverter, 900, -600);
        probe = nullptr;
        {
            CPupil quiet("");
            if (way.prepare) way.prepare(*this);
        }
        Doc().LayOutSockets();
        Doc().UpdateAllViews(HINT_REFRESH);
        Doc().m_nPermissions = granted ? PERMIT_ALL : PERMIT_ALL & ~way.permission;

        CPupil pupil(QString::fromUtf8(way.button));
        way.operate(*this);
        EXPECT_EQ(way.done(*this, pupil), granted) << pupil.titles.join(u'|').toStdString();
        if (granted) {
            EXPECT_FALSE(pupil.titles.contains(QStringLiteral("Waarschuwing")));
        }
        EXPECT_EQ(Board().Mode(), MODE_IDLE);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWay, GuardedWayTest, ::testing::ValuesIn(kWays),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
