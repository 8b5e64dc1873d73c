// Where the pupil's work goes and what the program finds afterwards: the output folder
// of a restricted save and of the chain's silent save, and folders typed without their
// closing backslash.
#include "AppFixture.h"

#include "annotations/Picture.h"
#include "classroom/DialogDriver.h"
#include "document/SettingsStore.h"
#include "platform/ShellOpen.h"
#include "shell/CommandIds.h"
#include "support/ScreenshotFolder.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kInverter = 6;
constexpr int kToggle = 19;

class OutputFolderTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        m_previousShellOpen = SetShellOpenHandler([this](const QString& path) {
            opened << path;
            return true;
        });
    }
    void TearDown() override
    {
        SetShellOpenHandler(std::move(m_previousShellOpen));
        AppFixture::TearDown();
    }

    // A worksheet with one inverter; the lambda adds what the case needs.
    void WriteBoardFile(const QString& relative, const std::function<void(CVeldtrakDoc&)>& setUp)
    {
        CVeldtrakDoc writer;
        std::unique_ptr<CComponent> c = writer.CreateComponent(kInverter);
        c->MoveTo(200, -200);
        writer.AddComponent(std::move(c));
        setUp(writer);
        WriteFile(relative, WriteBoard(writer));
    }
    // A 4 x 3 bitmap below the program folder.
    void WriteBitmap(const QString& relative)
    {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(Path(relative), "BMP"));
    }
    static void AddPicture(CVeldtrakDoc& d, const QString& name)
    {
        auto picture = std::make_unique<CPlaatje>();
        picture->SetFile(QString(), name);
        picture->m_rect = CRect(1500, -300, 0, 0);
        d.m_pictures.push_back(std::move(picture));
    }
    int PictureWidth() const
    {
        return Doc().m_pictures.empty()
                   ? -1
                   : static_cast<const CPlaatje&>(*Doc().m_pictures[0]).m_nWidth;
    }
    QString StatusText() const { return Frame()->MessagePane().text(); }

    QStringList opened;

private:
    std::function<bool(const QString&)> m_previousShellOpen;
};

TEST_F(OutputFolderTest, AfterARestrictedSaveHelpAndPicturesAreStillFoundInTheProgramFolder)
{
    WriteFile("help/Veldtrak400.htm", "<html></html>");
    WriteBitmap("bmp/foto.bmp");
    WriteBoardFile("praktisch/les.wks", [](CVeldtrakDoc& d) { AddPicture(d, "foto.bmp"); });
    QDir().mkpath(Path("leerling")); // where the pupils' boards already are
    Start({Path("praktisch/les.wks")});
    ASSERT_EQ(Doc().m_strFolderOutput, "leerling\\");
    ASSERT_EQ(PictureWidth(), 4);

    PlaceOnBoard(kInverter, 900, -900);
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Opslaan als...");
        Edit(d, 1098)->setText("mijnwerk");
        return Press(d, 1);
    });
    Run(ID_FILE_SAVE_AS);
    ASSERT_TRUE(QFileInfo::exists(Path("leerling/mijnwerk.wks")));

    Run(ID_HELP); // no message box: the help file is found
    EXPECT_EQ(opened, QStringList({QFileInfo(Path("help/Veldtrak400.htm")).absoluteFilePath()}));

    PlaceOnBoard(kInverter, 1500, -1500);
    Board().CommitUndoStep();
    ASSERT_TRUE(Enabled(ID_EDIT_UNDO));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Doc().m_components.size(), 2u);
    EXPECT_EQ(PictureWidth(), 4) << "the picture is still found in the bitmap folder";
}

TEST_F(OutputFolderTest, TheChainSaysWhereItSavedAndTheStartDialogListsTheSavedBoard)
{
    WriteBoardFile("praktisch/les.wks", [](CVeldtrakDoc& d) {
        d.m_strBoardTitle = "Opdracht";
        d.m_strNextBoard = "les.ant";
    });
    WriteBoardFile("praktisch/les.ant", [](CVeldtrakDoc& d) {
        d.m_strBoardTitle = "Antwoord";
        d.m_strPrevBoard = "les.wks";
    });
    Start({Path("praktisch/les.wks")});
    ASSERT_FALSE(QDir(Path("leerling")).exists()) << "the save makes the output folder";
    const QString before = StatusText();

    PlaceOnBoard(kToggle, 900, -900); // the pupil's work
    Run(ID_NEXT_BOARD);
    EXPECT_EQ(Doc().m_strBoardTitle, "Antwoord");
    EXPECT_EQ(StatusText(), "Je bord is opgeslagen als leerling/les.wks");
    Run(ID_PREV_BOARD); // nothing changed on the answer sheet: nothing saved
    EXPECT_EQ(Doc().GetTitle(), "les.wks");
    EXPECT_EQ(Doc().m_components.size(), 1u) << "the clean worksheet";
    EXPECT_EQ(StatusText(), "Je bord is opgeslagen als leerling/les.wks");
    EXPECT_NE(before, StatusText());
    Frame()->grab().save(ScreenshotFolder() + QStringLiteral("/ketting-opgeslagen.png"));

    // The output folder is a category folder: "Nieuw" lists the pupil's board at once.
    ScriptedModals user;
    user.Then([](QDialog& d) {
        auto* categories = d.findChild<QComboBox*>("combo1078");
        auto* titles = d.findChild<QComboBox*>("combo1077");
        EXPECT_TRUE(categories && titles);
        if (!categories || !titles) return 0;
        const int leerling = categories->findText("Leerling");
        EXPECT_GE(leerling, 0);
        categories->setCurrentIndex(leerling);
        EXPECT_EQ(titles->count(), 2); // the empty board and the pupil's
        titles->setCurrentIndex(titles->findText("Opdracht"));
        return Press(d, 1);
    });
    Run(ID_FILE_NEW);
    EXPECT_EQ(Doc().GetPathName(), Stored("leerling/les.wks"));
    EXPECT_EQ(Doc().m_components.size(), 2u) << "the pupil's work";
}

TEST_F(OutputFolderTest, FoldersTypedWithoutTheirBackslashStillHoldTheirFiles)
{
    // The teacher's settings file: the worksheet and bitmap folders typed bare.
    CSettingsStore settings;
    settings.SetSetting("FolderWerkblad0", "praktisch");
    settings.SetSetting("ExtensieWerkblad0", "ant");
    settings.SetSetting("FolderBitmap", " bmp ");
    settings.SetSetting("FolderOutput", "uitvoer/");
    WriteFile("Veldtrak Tanvo", settings.Content());
    WriteBitmap("bmp/foto.bmp");
    WriteBoardFile("praktisch/antwoord.ant",
                   [](CVeldtrakDoc& d) { d.m_strBoardTitle = "Antwoord"; });
    WriteBoardFile("opdrachten/les.wks", [](CVeldtrakDoc& d) {
        d.m_strNextBoard = "antwoord.ant"; // only in the worksheet folder
        AddPicture(d, "foto.bmp");
    });

    Start({Path("opdrachten/les.wks")});
    EXPECT_EQ(Doc().m_worksheetFolders, QStringList({"praktisch\\"}));
    EXPECT_EQ(Doc().m_strFolderBitmap, "bmp\\");
    EXPECT_EQ(Doc().m_strFolderOutput, "uitvoer\\");
    EXPECT_EQ(PictureWidth(), 4);
    ASSERT_TRUE(Enabled(ID_NEXT_BOARD));
    Run(ID_NEXT_BOARD);
    EXPECT_EQ(Doc().m_strBoardTitle, "Antwoord");
}

} // namespace
