// "Meetwaarden opslaan..." and "Grafiek opslaan..." in the Meting menu: what the probes
// measured, saved during and after a measurement, and what the pupil is told when the
// file cannot be written.
#include "AppFixture.h"

#include "shell/CommandIds.h"
#include "support/ScreenshotFolder.h"

#include "platform/FileWriteSeam.h"

#include <QFileDialog>
#include <QImage>

#include <cerrno>

namespace {

constexpr int kToggle = 19;
constexpr int kInverter = 6;

class MeasurementExportTest : public AppFixture {
protected:
    // A probed toggle, measured for one tick and stopped: something to save.
    void MeasureOneTick()
    {
        Start();
        CComponent* toggle = PlaceOnBoard(kToggle, 300, -300);
        AddProbe(Doc(), toggle->Bus(1).GetId(), 1);
        Run(ID_MEASURE_START);
        Board().OnTimer(CBoardView::kMeasureTimer);
        Run(ID_MEASURE_STOP);
    }
};

std::function<int(QDialog&)> ChooseFile(const QString& path)
{
    return [path](QDialog& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        EXPECT_FALSE(files.nameFilters().isEmpty());
        files.selectFile(path);
        return int(QDialog::Accepted);
    };
}

TEST_F(MeasurementExportTest, TracesAreSavedDuringAndAfterAMeasurement)
{
    Start();
    EXPECT_FALSE(Enabled(ID_MEASURE_SAVE_VALUES)) << "nothing measured yet";
    CComponent* toggle = PlaceOnBoard(kToggle, 300, -300);
    toggle->m_nParam2 = 1;
    CComponent* inverter = PlaceOnBoard(kInverter, 900, -300);
    Doc().m_wires.push_back(std::make_unique<CDraad>());
    Doc().m_wires.back()->AddPoint(toggle->Bus(1).GetCenter(), toggle->Bus(1).GetId(), 30);
    Doc().m_wires.back()->AddPoint(inverter->Bus(0).GetCenter(), inverter->Bus(0).GetId(), 30);
    AddProbe(Doc(), inverter->Bus(1).GetId(), 2);
    AddProbe(Doc(), toggle->Bus(1).GetId(), 1);

    Run(ID_MEASURE_START);
    EXPECT_FALSE(Enabled(ID_MEASURE_SAVE_CHART)) << "no tick yet";
    for (int i = 0; i < 3; ++i)
        Board().OnTimer(CBoardView::kMeasureTimer);
    ASSERT_TRUE(Enabled(ID_MEASURE_SAVE_VALUES));
    {
        ScriptedModals user;
        user.Then(ChooseFile(Path(QStringLiteral("tijdens.csv"))));
        Run(ID_MEASURE_SAVE_VALUES);
    }
    EXPECT_EQ(ReadFile(QStringLiteral("tijdens.csv")),
              QByteArray("tijd (s);Sonde 1;Sonde 2\r\n"
                         "0,00;5,00;0,00\r\n"
                         "0,05;5,00;0,00\r\n"
                         "0,10;5,00;0,00\r\n"));
    EXPECT_TRUE(Doc().m_bRunning) << "the measurement goes on";

    Board().OnTimer(CBoardView::kMeasureTimer);
    Run(ID_MEASURE_STOP);
    ASSERT_TRUE(Enabled(ID_MEASURE_SAVE_CHART)) << "the traces stay after Stop";
    {
        ScriptedModals user;
        user.Then(ChooseFile(Path(QStringLiteral("grafiek")))); // the extension is added
        Run(ID_MEASURE_SAVE_CHART);
    }
    QImage chart(Path(QStringLiteral("grafiek.png")));
    ASSERT_FALSE(chart.isNull());
    // The measurement chart: 1200 wide, two lanes of 110 with a gap of 6, 10 above and
    // 26 below for the times.
    EXPECT_EQ(chart.size(), QSize(1200, 2 * 110 + 6 + 10 + 26));
    chart.save(ScreenshotFolder() + QStringLiteral("/meting-grafiek.png"));
    // The four ticks measured span the plot (x 48 to 1185): the toggle's 5 V along the
    // top row of the first lane (y 10) in the first colour, the inverter's 0 V along the
    // bottom row of the second (y 126 + 109) in the second.
    const auto along = [&chart](int y, QRgb colour) {
        int count = 0;
        for (int x = 50; x < 1184; ++x)
            count += (chart.pixel(x, y) & 0xFFFFFF) == colour || (chart.pixel(x, y + 1) & 0xFFFFFF) == colour;
        return count;
    };
    EXPECT_EQ(along(10, 0xD60000u), 1184 - 50);
    EXPECT_EQ(along(126 + 108, 0x0050DCu), 1184 - 50);

    CVeldtrakDoc other;
    WriteFile(QStringLiteral("ander.wks"), WriteBoard(other));
    ASSERT_TRUE(Doc().OnOpenDocument(Stored(QStringLiteral("ander.wks"))));
    EXPECT_FALSE(Enabled(ID_MEASURE_SAVE_VALUES)) << "another board, no traces";
}

TEST_F(MeasurementExportTest, AFileThatCannotBeWrittenIsReported)
{
    MeasureOneTick();
    WriteFile(QStringLiteral("meting.csv"), "eerdere meting");
    const FileWriteFunction previous = SetFileWriteFunction([](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    });
    ScriptedModals user;
    user.Then(ChooseFile(Path(QStringLiteral("meting.csv")))).Answer(1);
    Run(ID_MEASURE_SAVE_VALUES);
    SetFileWriteFunction(previous);
    ASSERT_EQ(user.Titles().size(), 2);
    EXPECT_EQ(user.Titles()[1], QStringLiteral("Foutmelding (FS61698)"));
    EXPECT_EQ(user.Texts()[1].join(u' '), QStringLiteral("De disk is vol."));
    EXPECT_EQ(ReadFile(QStringLiteral("meting.csv")), QByteArray("eerdere meting")) << "the old file stays";
}

TEST_F(MeasurementExportTest, TheSaveDialogsStartInTheOutputFolder)
{
    MeasureOneTick();
    ASSERT_EQ(Doc().m_strFolderOutput, QStringLiteral("leerling\\"));
    ASSERT_FALSE(QDir(Path(QStringLiteral("leerling"))).exists()) << "no board saved yet";
    for (int command : {ID_MEASURE_SAVE_VALUES, ID_MEASURE_SAVE_CHART}) {
        SCOPED_TRACE(command);
        QString folder;
        ScriptedModals user;
        user.Then([&folder](QDialog& d) {
            folder = static_cast<QFileDialog&>(d).directory().absolutePath();
            return int(QDialog::Rejected);
        });
        Run(command);
        EXPECT_EQ(folder, QDir(Path(QStringLiteral("leerling"))).absolutePath());
    }
}

} // namespace
