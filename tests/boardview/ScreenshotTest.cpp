// Saves what pupils see into the folder named by VT_SCREENSHOTS, for a person to look
// at: the start-up pictures, the start menu under the mouse, an empty board, and a full
// board while editing and while measuring. Without it they go to a temporary folder.
#include "support/ScreenshotFolder.h"
#include "BoardViewFixture.h"

#include "boardview/Cursors.h"
#include "boardview/StartupImages.h"
#include "components/ComponentFactory.h"
#include "platform/Clock.h"

#include <QPainter>

namespace {

class ScreenshotTest : public BoardViewFixture {
protected:
    void SetUp() override
    {
        m_folder = ScreenshotFolder();
        BoardViewFixture::SetUp();
    }
    void Save(const QImage& image, const char* name)
    {
        EXPECT_TRUE(image.save(m_folder + u'/' + QLatin1String(name))) << name;
    }
    void Save(const QPixmap& pixmap, const char* name) { Save(pixmap.toImage(), name); }

    // Every kind of component there is, in rows, each output wired to the next input.
    void FillBoard()
    {
        std::vector<CComponent*> placed;
        for (int index = 0; index < kCreationIndexCount; ++index) {
            const int n = int(placed.size());
            if (CComponent* c = Place(index, 150 + 620 * (n % 5), -150 - 520 * (n / 5)))
                placed.push_back(c);
        }
        doc->LayOutSockets();
        const auto socketOfKind = [](CComponent* c, int kind) {
            for (int i = 0; i < c->GetBusCount(); ++i)
                if (c->Bus(i).GetKind() == kind)
                    return c->Bus(i).GetId();
            return 0;
        };
        for (std::size_t i = 0; i + 1 < placed.size(); ++i) {
            const int out = socketOfKind(placed[i], BUS_OUTPUT);
            const int in = socketOfKind(placed[i + 1], BUS_INPUT);
            if (out && in)
                Wire(out, in);
        }
    }

private:
    QString m_folder;
};

TEST_F(ScreenshotTest, SavesTheScreensAsPupilsSeeThem)
{
    for (int n = 1; n <= kStartImageCount; ++n)
        Save(StartupImage(n), QStringLiteral("startup_image_%1.png").arg(n).toLatin1().constData());

    // The pressed buttons and the cursors, enlarged, on one sheet each.
    QImage pressed(4 * 40 * 3, 32 * 3, QImage::Format_RGB32);
    pressed.fill(Qt::white);
    QImage cursors(4 * 36 * 4, 36 * 4, QImage::Format_RGB32);
    cursors.fill(QColor(0x9a, 0xb0, 0xc4));
    {
        QPainter p(&pressed);
        for (int b = 1; b <= 4; ++b)
            p.drawImage(QRect((b - 1) * 120, 0, PressedButtonImage(b).width() * 3,
                              PressedButtonImage(b).height() * 3),
                        PressedButtonImage(b));
        QPainter c(&cursors);
        int i = 0;
        for (BoardCursor kind : {CURSOR_PLAIN, CURSOR_LIGHT, CURSOR_SOUND, CURSOR_HEAT})
            c.drawImage(QRect(i++ * 144 + 8, 8, 128, 128), BoardCursorImage(kind));
    }
    Save(pressed, "pressed_buttons.png");
    Save(cursors, "cursors.png");

    WriteWorksheet("invoer en uitvoer/invoer.wks", "Invoer en uitvoer");
    WriteWorksheet("praktisch/auto_licht.wks", "Autolicht");
    WriteWorksheet("blackbox/blackbox1.wks", "Blackbox 1");
    ShowView(QSize(1000, 700));

    // The splash with its progress line, as it stands while the last file is read.
    CSurfaceAtHint snapshot(*view, HINT_STARTUP_STATUS);
    doc->AddView(&snapshot);
    auto previous = SetPauseHandler([](int) {});
    view->OnTimer(CBoardView::kStartupTimer);
    SetPauseHandler(std::move(previous));
    doc->RemoveView(&snapshot);
    Save(snapshot.m_image, "startup_progress.png");

    // The start menu with the mouse on "Praktische opdrachten".
    const QPoint corner = StartImageCorner();
    const CRect hot = kStartMenuHotAreas[2];
    const QPoint button = corner + QPoint((hot.left + hot.right) / 2, (hot.top + hot.bottom) / 2);
    QTest::mouseMove(view->viewport(), button);
    Save(view->grab(), "start_menu_hover.png");

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, corner + QPoint(374, 167));
    Paint();
    Save(view->grab(), "board_empty.png");

    FillBoard();
    doc->UpdateAllViews(HINT_REFRESH);
    Save(view->grab(), "board_editing.png");

    doc->Start();
    Paint();
    for (int tick = 0; tick < 10; ++tick)
        view->OnTimer(CBoardView::kMeasureTimer);
    Save(view->grab(), "board_measuring.png");
    doc->Stop();
}

} // namespace
