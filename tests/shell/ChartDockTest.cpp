// "Meetgrafiek": the measurement chart beside the board, opened from the menu and the
// toolbar, read with its cursors, zoomed and scrolled in time, saved and printed; and a
// socket's level as a tool tip on the board.
#include "AppFixture.h"

#include "chart/ChartLayout.h"
#include "document/MeasurementLog.h"
#include "shell/ChartCanvas.h"
#include "shell/ChartDock.h"
#include "shell/CommandIds.h"
#include "support/RequireTool.h"
#include "support/SvgLines.h"
#include "support/ScreenshotFolder.h"

#include <QAbstractButton>
#include <QDate>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QToolBar>
#include <QToolTip>

namespace {

enum { kPulse = 13, kCounter = 14, kSource = 21 };

class ChartDockTest : public AppFixture {
protected:
    // A 5 Hz pulse generator counted by a pulse counter, and a 2,5 V source: probe 1 on
    // the pulses, 2 on the counter's lowest bit, 3 on the source.
    void BuildPulseBoard()
    {
        Start();
        Doc().m_strBoardTitle = QStringLiteral("Periode meten");
        CComponent* pulse = PlaceOnBoard(kPulse, 300, -300);
        pulse->m_nParam1 = 5;
        CComponent* counter = PlaceOnBoard(kCounter, 1000, -300);
        m_source = PlaceOnBoard(kSource, 300, -900);
        m_source->m_nParam1 = 25;
        Connect(pulse->Bus(0), counter->Bus(0));
        AddProbe(Doc(), pulse->Bus(0).GetId(), 1);
        AddProbe(Doc(), counter->Bus(4).GetId(), 2);
        AddProbe(Doc(), m_source->Bus(0).GetId(), 3);
        Doc().UpdateAllViews(HINT_REFRESH);
    }
    void Measure(int ticks)
    {
        Run(ID_MEASURE_START);
        Ticks(ticks);
        Run(ID_MEASURE_STOP);
    }
    CChartDock& Dock() const { return Frame()->ChartDock(); }
    CChartCanvas& Canvas() const { return Dock().Canvas(); }
    void OpenChart()
    {
        // Within the offscreen screen (800 x 600), so that the window's pixels can be read.
        Frame()->resize(800, 600);
        Run(ID_VIEW_CHART);
        Dock().resize(420, Dock().height());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Canvas()));
        QCoreApplication::processEvents();
    }
    // The pixel column where the chart draws a tick.
    QPoint AtTick(long long tick) const
    {
        const CChartLayout layout = Canvas().Layout();
        return QPoint(int(std::floor(layout.XOfTick(double(tick)))), layout.Plot().center().y());
    }
    // "Meetwaarden opslaan..." into a file, read back as lines of fields.
    std::vector<QStringList> SavedCsv()
    {
        {
            ScriptedModals user;
            user.Then([this](QDialog& dialog) {
                static_cast<QFileDialog&>(dialog).selectFile(Path(QStringLiteral("meting.csv")));
                return int(QDialog::Accepted);
            });
            Run(ID_MEASURE_SAVE_VALUES);
        }
        std::vector<QStringList> rows;
        for (const QByteArray& line : ReadFile(QStringLiteral("meting.csv")).split('\n'))
            if (!line.trimmed().isEmpty())
                rows.push_back(QString::fromLatin1(line.trimmed()).split(u';'));
        return rows;
    }
    // The mouse moved over the chart without a button, as a pupil points at a time.
    void Hover(QPoint at)
    {
        QMouseEvent event(QEvent::MouseMove, at, Canvas().mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&Canvas(), &event);
    }
    void Wheel(QPoint at, int delta, Qt::KeyboardModifiers modifiers = {})
    {
        QWheelEvent event(at, Canvas().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&Canvas(), &event);
    }
    // The tool tip Qt asks for when the mouse rests on this board point.
    QString TipAt(CPoint board)
    {
        QToolTip::hideText(); // the tip of the previous rest goes after a moment
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
        QApplication::setEffectEnabled(Qt::UI_FadeTooltip, false); // shown at once
        QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
        const QPoint at = Pixel(board);
        QHelpEvent event(QEvent::ToolTip, at, Board().viewport()->mapToGlobal(at));
        QApplication::sendEvent(Board().viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    CComponent* m_source = nullptr;
};

TEST_F(ChartDockTest, TheChartOpensFromTheViewMenuAndTheToolbar)
{
    Start();
    EXPECT_FALSE(Dock().isVisible());
    EXPECT_TRUE(Enabled(ID_VIEW_CHART)) << "also before a measurement";
    EXPECT_TRUE(Frame()->ToolBar()->actions().contains(Frame()->Action(ID_VIEW_CHART)));
    Run(ID_VIEW_CHART);
    EXPECT_TRUE(Dock().isVisible());
    EXPECT_TRUE(Frame()->Action(ID_VIEW_CHART)->isChecked());
    EXPECT_EQ(Dock().CursorLine().text(), QStringLiteral("Nog geen meting."));
    EXPECT_FALSE(Dock().ButtonOf(CChartDock::Save).isEnabled());
    Dock().close(); // the dock's own close button
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(Frame()->Action(ID_VIEW_CHART)->isChecked());
}

TEST_F(ChartDockTest, TheCursorReadsWhatTheCsvHolds)
{
    BuildPulseBoard();
    Measure(40);
    const std::vector<QStringList> csv = SavedCsv();
    ASSERT_EQ(csv.size(), 41u);
    ASSERT_EQ(csv[0], QStringList({"tijd (s)", "Sonde 1", "Sonde 2", "Sonde 3"}));
    OpenChart();

    std::vector<long long> pulses;
    for (long long t = 0; t < 40; ++t) {
        const QStringList& row = csv[std::size_t(t + 1)];
        Hover(AtTick(t));
        EXPECT_EQ(Dock().CursorLine().text(), QStringLiteral("t = %1 s  Sonde 1: %2 V  Sonde 2: %3 V  Sonde 3: %4 V")
                                                  .arg(row[0], row[1], row[2], row[3]));
        if (row[1] == u"5,00")
            pulses.push_back(t);
    }
    ASSERT_GE(pulses.size(), 2u);

    // The period with two cursors: A on a pulse, B on the next one.
    QTest::mouseClick(&Canvas(), Qt::LeftButton, {}, AtTick(pulses[0]));
    EXPECT_TRUE(Dock().MarksLine().text().startsWith(QStringLiteral("A: t = ") + csv[std::size_t(pulses[0] + 1)][0]));
    QTest::mouseClick(&Canvas(), Qt::LeftButton, {}, AtTick(pulses[1]));
    const QString marks = Dock().MarksLine().text();
    // 5 Hz is a pulse every seven ticks of 0,05 s.
    EXPECT_TRUE(marks.contains(QStringLiteral("Δt = 0,35 s"))) << marks.toStdString();
    EXPECT_TRUE(marks.contains(QStringLiteral("Sonde 1: ΔU = 0,00 V"))) << marks.toStdString();
    EXPECT_TRUE(marks.contains(QStringLiteral("Sonde 3: ΔU = 0,00 V"))) << marks.toStdString();
    Frame()->grab().save(ScreenshotFolder() + QStringLiteral("/meetgrafiek-cursors.png"));

    QTest::mouseClick(&Canvas(), Qt::RightButton, {}, AtTick(3));
    EXPECT_TRUE(Dock().MarksLine().text().isEmpty()) << "a right click takes the cursors away";
}

TEST_F(ChartDockTest, NewTicksAreAppendedLiveAndTheChartMovesAlong)
{
    BuildPulseBoard();
    OpenChart();
    Run(ID_MEASURE_START);
    const long long visible = Canvas().VisibleTicks();
    ASSERT_GT(visible, 50);
    for (long long i = 0; i < visible + visible / 2; ++i) {
        Ticks(1);
        QCoreApplication::processEvents(); // paints what each tick left
    }
    const long long newest = Frame()->MeasurementLog().TickCount() - 1;
    EXPECT_GT(Canvas().FirstTick(), 0) << "the chart moved on with the measurement";
    EXPECT_LE(Canvas().FirstTick(), newest);
    EXPECT_GE(Canvas().FirstTick() + visible - 1, newest) << "the newest tick is in sight";
    EXPECT_EQ(Dock().TimeBar().value(), Canvas().FirstTick());

    // What was painted strip by strip is what a whole repaint draws.
    QScreen* screen = Canvas().screen();
    const QPoint origin = Canvas().mapTo(Canvas().window(), QPoint(0, 0));
    const QImage live = screen->grabWindow(Canvas().window()->winId(), origin.x(), origin.y(), Canvas().width(),
                                           Canvas().height()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage whole = Canvas().grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(live.size(), whole.size());
    int different = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
            different += live.pixel(x, y) != whole.pixel(x, y);
    EXPECT_EQ(different, 0);
    if (different) {
        live.save(ScreenshotFolder() + QStringLiteral("/meetgrafiek-live.png"));
        whole.save(ScreenshotFolder() + QStringLiteral("/meetgrafiek-heel.png"));
    }
    Run(ID_MEASURE_STOP);
}

TEST_F(ChartDockTest, TimeZoomsAndScrollsAndTracesGoOverEachOther)
{
    BuildPulseBoard();
    Measure(4000);
    OpenChart();
    CChartCanvas& canvas = Canvas();
    Dock().ButtonOf(CChartDock::ShowAll).click();
    EXPECT_EQ(canvas.FirstTick(), 0);
    EXPECT_GE(canvas.VisibleTicks(), 4000) << "the whole measurement";
    EXPECT_LT(canvas.VisibleTicks(), 8000) << "and no more than twice as much";

    // The wheel zooms around the tick under the mouse (early in the measurement, so
    // that the end does not hold the view back).
    const QPoint at = AtTick(256);
    const int zoom = canvas.Zoom();
    Wheel(at, 120);
    EXPECT_EQ(canvas.Zoom(), zoom + 1);
    ASSERT_TRUE(canvas.TickAtColumn(at.x()).has_value());
    EXPECT_EQ(*canvas.TickAtColumn(at.x()), 256);
    Dock().ButtonOf(CChartDock::ZoomIn).click();
    EXPECT_EQ(canvas.Zoom(), zoom + 2);
    // Shift and the wheel, or the scroll bar, move in time.
    const long long first = canvas.FirstTick();
    Wheel(at, -120, Qt::ShiftModifier);
    EXPECT_GT(canvas.FirstTick(), first);
    Dock().TimeBar().setValue(0);
    EXPECT_EQ(canvas.FirstTick(), 0);
    Dock().ButtonOf(CChartDock::ZoomOut).click();
    EXPECT_EQ(canvas.Zoom(), zoom + 1);

    EXPECT_TRUE(canvas.Lanes());
    Dock().ButtonOf(CChartDock::Overlaid).click();
    EXPECT_FALSE(canvas.Lanes());
    EXPECT_EQ(canvas.Layout().LaneCount(), 1);
    canvas.grab().save(ScreenshotFolder() + QStringLiteral("/meetgrafiek-over-elkaar.png"));
    Hover(AtTick(16)); // the first tick of its pixel column
    EXPECT_TRUE(Dock().CursorLine().text().startsWith(QStringLiteral("t = 0,80 s  Sonde 1: ")))
        << Dock().CursorLine().text().toStdString();
}

TEST_F(ChartDockTest, TheWholeMeasurementIsSavedAndPrintedFromTheChart)
{
    REQUIRE_TOOL("pdftotext");
    BuildPulseBoard();
    Measure(400);
    OpenChart();
    {
        ScriptedModals user;
        QString folder;
        user.Then([&](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            folder = files.directory().absolutePath();
            EXPECT_EQ(files.nameFilters(), QStringList({"PNG-afbeeldingen (*.png)", "SVG-tekeningen (*.svg)"}));
            files.selectFile(Path(QStringLiteral("grafiek.svg")));
            return int(QDialog::Accepted);
        });
        Dock().ButtonOf(CChartDock::Save).click();
        EXPECT_EQ(folder, QDir(Path(QStringLiteral("leerling"))).absolutePath()) << "the output folder";
    }
    const QByteArray svg = ReadFile(QStringLiteral("grafiek.svg"));
    const std::vector<std::vector<QPointF>> third = SvgLines(svg, QStringLiteral("#008c00"));
    ASSERT_EQ(third.size(), 1u) << "the third probe's line";
    ASSERT_EQ(third[0].size(), 400u) << "the whole measurement";
    EXPECT_EQ(third[0].back(), QPointF(399, 250)) << "the source's 2,50 V at the last tick";

    const QString pdf = Path(QStringLiteral("grafiek.pdf"));
    {
        ScriptedModals user;
        user.PrintToPdf(pdf);
        Dock().ButtonOf(CChartDock::Print).click();
    }
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromLatin1(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("Periode meten"))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QDate::currentDate().toString(QStringLiteral("d-M-yyyy")))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("Sonde 3")));
}

TEST_F(ChartDockTest, ASocketShowsItsLevelWhenTheMouseRestsOnIt)
{
    BuildPulseBoard();
    const CPoint socket = m_source->Bus(0).GetCenter();
    EXPECT_EQ(TipAt(socket), QString()) << "nothing measured yet";
    Run(ID_MEASURE_START);
    EXPECT_EQ(TipAt(socket), QString()) << "before the first tick";
    Ticks(2);
    EXPECT_EQ(TipAt(socket), QStringLiteral("2,50 V"));
    Run(ID_MEASURE_STOP);
    EXPECT_EQ(TipAt(socket), QStringLiteral("2,50 V")) << "after Stop";
    EXPECT_EQ(TipAt(CPoint(socket.x, socket.y + 2000)), QString()) << "no socket there";
    Doc().m_nPermissions = PERMIT_ALL & ~PERMIT_PROBES;
    EXPECT_EQ(TipAt(socket), QString()) << "a pupil who may not measure reads no levels either";
}

} // namespace
