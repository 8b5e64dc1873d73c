// Every dialog the pupil meets has a close button in its title bar, but no minimise
// or maximise button.
#include "AppFixture.h"

#include "shell/CommandIds.h"

namespace {

constexpr int kInverter = 6;

using DialogFrameTest = AppFixture;

TEST_F(DialogFrameTest, DialogsHaveOnlyACloseButton)
{
    WriteWorksheet("praktisch/ander.wks", "Ander");
    Start();
    ClickStartMenu(1);
    CComponent* gate = PlaceOnBoard(kInverter, 300, -300);
    Doc().SetModifiedFlag(false);

    QStringList seen;
    ScriptedModals user;
    const auto check = [&seen](QDialog& dialog) {
        const Qt::WindowFlags flags = dialog.windowFlags();
        seen << dialog.windowTitle();
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint) << dialog.windowTitle().toStdString();
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "no buttons but those asked for";
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint) << dialog.windowTitle().toStdString();
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint) << dialog.windowTitle().toStdString();
        return int(QDialog::Rejected);
    };
    for (int i = 0; i < 5; ++i)
        user.Then(check);
    // Taken now: "&Nieuw" below takes the gate off the board.
    const QPoint onGate = Pixel(gate->m_rect.CenterPoint());
    Run(ID_APP_ABOUT);
    Run(ID_FILE_OPEN);
    Run(ID_FILE_NEW); // the start dialog
    QTest::mouseClick(Board().viewport(), Qt::RightButton, {}, onGate);
    QTest::mouseClick(Board().viewport(), Qt::RightButton, {}, Pixel(CPoint(3000, -3000)));
    EXPECT_EQ(seen.size(), 5) << seen.join(u'|').toStdString();
}

} // namespace
