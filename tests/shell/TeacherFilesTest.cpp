// The teacher's files in the program as the teacher starts it (/docent): once the board
// is unlocked the teacher saves where the teacher wants, while a pupil keeps the
// restricted save; a picture the teacher places is kept by a name in the bitmap folder
// (copied there when the teacher agrees, scaled down when it is larger than the board),
// so that a pupil on another computer sees it; a file that is no picture is refused with
// a word.
#include "AppFixture.h"

#include "annotations/Picture.h"
#include "classroom/RestrictedSaveDlg.h"
#include "shell/CommandIds.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kInverter = 6;
constexpr int kJa = 6;
constexpr int kNee = 7;

// What a file dialog showed, and the file chosen in it.
struct FileDialogSeen {
    QStringList filters;
    QString selectedFilter;
    QString folder;
    bool restricted = false;
};

// Answers a file dialog by choosing 'path' (after the filter 'filter', when given, as the
// user picks it from the list); a restricted save dialog is noted and cancelled.
std::function<int(QDialog&)> ChooseFile(const QString& path, FileDialogSeen& seen,
                                        const QString& filter = {})
{
    return [path, &seen, filter](QDialog& d) {
        if (qobject_cast<CRestrictedSaveDlg*>(&d)) {
            seen.restricted = true;
            return int(QDialog::Rejected);
        }
        auto* files = qobject_cast<QFileDialog*>(&d);
        EXPECT_NE(files, nullptr) << d.windowTitle().toStdString();
        if (!files) return int(QDialog::Rejected);
        seen.filters = files->nameFilters();
        seen.selectedFilter = files->selectedNameFilter();
        seen.folder = files->directory().absolutePath();
        if (!filter.isEmpty()) {
            auto* kinds = files->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            EXPECT_NE(kinds, nullptr);
            if (kinds) {
                const int index = kinds->findText(filter);
                kinds->setCurrentIndex(index);
                emit kinds->activated(index);
                emit kinds->textActivated(filter);
            }
        }
        files->selectFile(path);
        return int(QDialog::Accepted);
    };
}

class TeacherFilesTest : public AppFixture {
protected:
    // A protected worksheet (no adding, no deleting) in a category folder.
    void WriteLesson(const QString& relative)
    {
        CVeldtrakDoc writer;
        writer.m_strBoardTitle = QStringLiteral("Les");
        writer.m_nPermissions = PERMIT_ADD_WIRES | PERMIT_PROBES;
        std::unique_ptr<CComponent> c = writer.CreateComponent(kInverter);
        c->MoveTo(200, -200);
        writer.AddComponent(std::move(c));
        WriteFile(relative, WriteBoard(writer));
    }
    // The teacher unlocks through "Stel beveiliging in" (no teacher password is set).
    void Unlock()
    {
        ScriptedModals teacher;
        teacher.Then([](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Beveiliging"));
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("button1")), Qt::LeftButton);
            return d.result();
        });
        Run(ID_PROTECTION);
        ASSERT_TRUE(Doc().m_bTeacherUnlock);
    }
    void WriteImage(const QString& relative, QSize size, const char* format, QRgb colour = qRgb(220, 30, 30))
    {
        QDir().mkpath(QFileInfo(relative).path());
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(relative, format)) << relative.toStdString();
    }
    // Places a picture through "Aanbrengen foto", choosing 'file'; 'answers' plays the
    // questions and messages that follow.
    CPlaatje* PlacePicture(const QString& file, const std::vector<int>& answers, ScriptedModals& teacher)
    {
        FileDialogSeen seen;
        teacher.Then(ChooseFile(file, seen));
        for (int answer : answers)
            teacher.Answer(answer);
        const std::size_t before = Doc().m_pictures.size();
        Run(ID_INSERT_PICTURE);
        EXPECT_EQ(seen.filters.value(0), QStringLiteral("Plaatjes (*.bmp *.png *.jpg *.jpeg)"));
        EXPECT_EQ(QDir(seen.folder), QDir(Path("bmp"))) << seen.folder.toStdString();
        if (Doc().m_pictures.size() == before) return nullptr;
        // Each in a place of its own: pictures on top of each other mix their colours.
        auto* picture = static_cast<CPlaatje*>(Doc().m_pictures.back().get());
        const int x = 100 + 500 * int(before % 3);
        const int y = -300 - 800 * int(before / 3);
        picture->m_rect = CRect(x, y, x + picture->m_rect.Width(), y - std::abs(picture->m_rect.Height()));
        Doc().UpdateAllViews(HINT_REFRESH);
        Board().viewport()->repaint();
        return picture;
    }
};

TEST_F(TeacherFilesTest, UnlockedTheTeacherSavesWhereTheTeacherWantsAndThePupilKeepsTheRestrictedSave)
{
    QDir().mkpath(Path("leerling"));
    WriteLesson("invoer en uitvoer/les.wks");
    const QByteArray original = ReadFile("invoer en uitvoer/les.wks");

    // A pupil's program and a teacher's before the unlock: the restricted save.
    for (const bool teacher : {false, true}) {
        SCOPED_TRACE(teacher ? "teacher" : "pupil");
        if (teacher)
            StartAsTeacher({Path("invoer en uitvoer/les.wks")});
        else
            Start({Path("invoer en uitvoer/les.wks")});
        FileDialogSeen seen;
        ScriptedModals user;
        user.Then(ChooseFile(Path("elders/les.wks"), seen));
        Run(ID_FILE_SAVE_AS);
        EXPECT_TRUE(seen.restricted);
        Doc().SetModifiedFlag();
        Run(ID_FILE_SAVE); // a board with a file: straight into the output folder
        EXPECT_TRUE(QFileInfo::exists(Path("leerling/les.wks")));
        QFile::remove(Path("leerling/les.wks"));
        app.reset();
    }
    EXPECT_EQ(ReadFile("invoer en uitvoer/les.wks"), original);

    StartAsTeacher({Path("invoer en uitvoer/les.wks")});
    Unlock();
    PlaceOnBoard(kInverter, 900, -200);
    {
        ScriptedModals teacher;
        teacher.Answer(kJa); // "Bestand bestaat al.  Overschrijven?"
        Run(ID_FILE_SAVE);
        EXPECT_EQ(teacher.Texts().value(0).join(u' '), QStringLiteral("Bestand bestaat al.  Overschrijven?"));
    }
    EXPECT_NE(ReadFile("invoer en uitvoer/les.wks"), original) << "the file that was opened";
    EXPECT_FALSE(QFileInfo::exists(Path("leerling/les.wks")));

    // "Opslaan als": the ordinary dialog in the board's own folder; the answer sheet kind
    // gives a bare name its extension, in a folder of the teacher's choice.
    QDir().mkpath(Path("antwoorden"));
    FileDialogSeen seen;
    {
        ScriptedModals teacher;
        teacher.Then(ChooseFile(Path("antwoorden/les"), seen, QStringLiteral("Antwoordvellen (*.ant)")));
        Run(ID_FILE_SAVE_AS);
    }
    EXPECT_FALSE(seen.restricted);
    EXPECT_EQ(seen.filters, QStringList({"Werkbladen (*.wks)", "Antwoordvellen (*.ant)", "Alle bestanden (*.*)"}));
    EXPECT_EQ(seen.selectedFilter, QStringLiteral("Werkbladen (*.wks)"));
    EXPECT_EQ(QDir(seen.folder), QDir(Path("invoer en uitvoer")));
    EXPECT_TRUE(QFileInfo::exists(Path("antwoorden/les.ant")));
    EXPECT_EQ(Doc().GetPathName(), Stored("antwoorden/les.ant"));
    EXPECT_EQ(QDir(Path("leerling")).entryList(QDir::Files), QStringList());
}

TEST_F(TeacherFilesTest, TheTeacherSavesANewUnprotectedBoardWhereTheTeacherWantsWithoutUnlocking)
{
    QDir().mkpath(Path("leerling"));
    WriteMenuWorksheets();
    StartAsTeacher();
    ClickStartMenu(1); // "Leeg bord"
    PlaceOnBoard(kInverter, 300, -300);
    FileDialogSeen seen;
    {
        ScriptedModals teacher;
        teacher.Then(ChooseFile(Path("praktisch/nieuw"), seen));
        Run(ID_FILE_SAVE);
    }
    EXPECT_FALSE(seen.restricted);
    EXPECT_EQ(QDir(seen.folder), QDir(Path(""))) << "the program folder, with the category folders";
    EXPECT_TRUE(QFileInfo::exists(Path("praktisch/nieuw.wks")));
}

TEST_F(TeacherFilesTest, APictureIsKeptByItsNameInTheBitmapFolderAndTheWorksheetShowsItElsewhere)
{
    WriteMenuWorksheets();
    const QString home = Path("thuis");
    WriteImage(home + "/schakeling.png", QSize(120, 80), "PNG");
    WriteImage(home + "/foto.jpg", QSize(90, 60), "JPG", qRgb(30, 160, 40));
    WriteImage(Path("bmp/al-hier.png"), QSize(10, 10), "PNG");
    StartAsTeacher();
    ClickStartMenu(1);
    Unlock();

    ScriptedModals teacher;
    CPlaatje* png = PlacePicture(home + "/schakeling.png", {kJa}, teacher);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(teacher.Texts().value(1).join(u' '),
              QStringLiteral("Het plaatje staat niet in de map bmp\\. Kopiëren naar die map, zodat het "
                             "werkblad het op elke computer toont?"));
    EXPECT_EQ(png->m_strFileName, QStringLiteral("schakeling.png"));
    EXPECT_EQ(std::pair(png->m_nWidth, png->m_nHeight), std::pair(120, 80));
    EXPECT_TRUE(QFileInfo::exists(Path("bmp/schakeling.png")));

    // The same picture again: the copy already there is used, not a second one.
    CPlaatje* again = PlacePicture(home + "/schakeling.png", {kJa}, teacher);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->m_strFileName, QStringLiteral("schakeling.png"));
    // Another picture of that name gets a name of its own.
    WriteImage(home + "/ander/schakeling.png", QSize(20, 20), "PNG", qRgb(0, 0, 200));
    CPlaatje* other = PlacePicture(home + "/ander/schakeling.png", {kJa}, teacher);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->m_strFileName, QStringLiteral("schakeling (2).png"));
    EXPECT_EQ(other->m_nWidth, 20);

    CPlaatje* inFolder = PlacePicture(Path("bmp/al-hier.png"), {}, teacher); // no question
    ASSERT_NE(inFolder, nullptr);
    EXPECT_EQ(inFolder->m_strFileName, QStringLiteral("al-hier.png"));
    CPlaatje* kept = PlacePicture(home + "/foto.jpg", {kNee}, teacher); // stays where it is
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->m_strFileName, WindowsName(home + "/foto.jpg"));
    EXPECT_EQ(kept->m_nWidth, 90);
    EXPECT_NEAR(qGreen(Board().Surface().pixel(Pixel(CPoint(kept->m_rect.left + 50, kept->m_rect.top - 50)))), 160, 6)
        << "a JPEG shows in its colours";

    ASSERT_EQ(Doc().m_pictures.size(), 5u);
    FileDialogSeen seen;
    teacher.Then(ChooseFile(Path("praktisch/foto.wks"), seen));
    Run(ID_FILE_SAVE_AS);
    const QByteArray saved = ReadFile("praktisch/foto.wks");
    EXPECT_EQ(saved.count(QFile::encodeName(WindowsName(home))), 1) << "only the picture kept at home";
    app.reset();

    // Another computer: the program folder's worksheets and pictures, nothing else.
    const QString other_computer = Path("school");
    for (const QString& file : {QStringLiteral("praktisch/foto.wks"), QStringLiteral("bmp/schakeling.png"),
                                QStringLiteral("bmp/schakeling (2).png"), QStringLiteral("bmp/al-hier.png")}) {
        QDir().mkpath(QFileInfo(other_computer + u'/' + file).path());
        ASSERT_TRUE(QFile::copy(Path(file), other_computer + u'/' + file));
    }
    QDir(home).removeRecursively();
    SetProgramFolder(other_computer);
    Start({other_computer + "/praktisch/foto.wks"}); // silent about the one left at home
    ASSERT_EQ(Doc().m_pictures.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(static_cast<CPlaatje&>(*Doc().m_pictures[i]).IsLoaded(), i < 4) << i;
    const CPlaatje& shown = static_cast<CPlaatje&>(*Doc().m_pictures[0]);
    Board().viewport()->repaint();
    EXPECT_EQ(Board().Surface().pixel(Pixel(CPoint(shown.m_rect.left + 100, shown.m_rect.top - 100))),
              qRgb(220, 30, 30));
}

TEST_F(TeacherFilesTest, AFileThatIsNoPictureIsRefusedAndAPhotoLargerThanTheBoardIsScaledDown)
{
    WriteMenuWorksheets();
    QDir().mkpath(Path("bmp"));
    WriteFile("thuis/opdracht.png", "geen plaatje");
    const QString home = Path("thuis");
    WriteImage(home + "/breed.png", QSize(6122, 1000), "PNG");
    StartAsTeacher();
    ClickStartMenu(1);
    Unlock();

    ScriptedModals teacher;
    EXPECT_EQ(PlacePicture(home + "/opdracht.png", {1}, teacher), nullptr);
    EXPECT_EQ(teacher.Titles().value(1), QStringLiteral("Foutmelding"));
    EXPECT_EQ(teacher.Texts().value(1).join(u' '),
              QStringLiteral("Het bestand opdracht.png kan niet als plaatje worden gelezen. Kies een "
                             "BMP-, PNG- of JPEG-bestand."));

    // The board is 8100 units (3061 pixels at 96 dpi) wide: half the photograph's width.
    CPlaatje* wide = PlacePicture(home + "/breed.png", {1}, teacher);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(teacher.Titles().value(3), QStringLiteral("Waarschuwing"));
    EXPECT_EQ(teacher.Texts().value(3).join(u' '),
              QStringLiteral("De foto (6122 x 1000 beeldpunten) is groter dan het bord en is verkleind tot "
                             "3061 x 500 beeldpunten: breed-verkleind.png in de map bmp\\."));
    EXPECT_EQ(wide->m_strFileName, QStringLiteral("breed-verkleind.png"));
    EXPECT_EQ(std::pair(wide->m_nWidth, wide->m_nHeight), std::pair(3061, 500));
    EXPECT_EQ(QImage(Path("bmp/breed-verkleind.png")).size(), QSize(3061, 500));
    EXPECT_TRUE(QFileInfo::exists(home + "/breed.png")) << "the teacher's own file is left as it was";
    EXPECT_EQ(Doc().m_pictures.size(), 1u);
}

} // namespace
