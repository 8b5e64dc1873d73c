// A teacher makes a worksheet in the program's window: teacher mode and the unlock
// enable the three authoring commands, whose dialogs put a framed text, a table and a
// picture on a board that already carries a title box; it prints with the picture
// and comes back from its file unchanged. With VT_SCREENSHOTS set the window and the
// printed page are written there.
#include "FrameFixture.h"
#include "annotations/Picture.h"
#include "annotations/Table.h"
#include "annotations/TableDlg.h"
#include "annotations/TextDlg.h"
#include "annotations/TextField.h"
#include "boardview/BoardRender.h"
#include "boardview/BoardView.h"
#include "platform/Clock.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace {

void PressButton(QDialog& d, int id)
{
    d.findChild<QPushButton*>(QStringLiteral("button%1").arg(id))->click();
}

class AuthoringTest : public FrameFixture {
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        frame->resize(1100, 760);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        QCoreApplication::processEvents();
        const auto pauses = SetPauseHandler([](int) {});
        frame->BoardPane().OnTimer(CBoardView::kStartupTimer);
        SetPauseHandler(pauses);
        doc->UpdateAllViews(HINT_STARTUP_IMAGE, 0);
        QCoreApplication::processEvents();
    }
    CBoardView& Board() { return frame->BoardPane(); }
    void Drag(CPoint from, CPoint to)
    {
        QWidget* port = Board().viewport();
        QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, Board().BoardToClient(from));
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(port, Board().BoardToClient(CPoint(from.x + (to.x - from.x) * step / 4,
                                                                  from.y + (to.y - from.y) * step / 4)));
        QTest::mouseMove(port, Board().BoardToClient(to));
        QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, Board().BoardToClient(to));
        QCoreApplication::processEvents();
    }
    // A worksheet that holds only a title box, as the shipped ones start.
    QString TitleWorksheet()
    {
        CVeldtrakDoc writer;
        auto title = std::make_unique<CTextField>();
        title->SetText(u"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}{\\colortbl ;}\r\n"
                       "\\plain \\b Werkblad: de spanningsdeler\\par \r\n\r\n}"_qs,
                       -1);
        title->m_rect = CRect(130, -60, 900, -112);
        writer.AddTextField(std::move(title));
        writer.m_strBoardTitle = u"Spanningsdeler"_qs;
        WriteFile(u"werkblad.wks"_qs, WriteBoard(writer));
        return Stored(u"werkblad.wks"_qs);
    }
    QString Bitmap()
    {
        QImage image(120, 80, QImage::Format_RGB32);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x)
                image.setPixel(x, y, (x / 20 + y / 20) % 2 ? qRgb(230, 40, 30) : qRgb(250, 230, 60));
        // Kept beside the screenshots, so that the saved worksheet opens in the program.
        const QString folder = qEnvironmentVariable("VT_SCREENSHOTS");
        const QString path = folder.isEmpty() ? Path(u"schakeling.bmp"_qs)
                                              : QDir(folder).absoluteFilePath(u"schakeling.bmp"_qs);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
    void Shot(const QString& name, const QImage& image) const
    {
        const QString folder = qEnvironmentVariable("VT_SCREENSHOTS");
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            image.save(folder + u'/' + name);
        }
    }
};

TEST_F(AuthoringTest, TeacherMakesAWorksheetThatPrintsAndSavesUnchanged)
{
    ASSERT_TRUE(doc->OnOpenDocument(TitleWorksheet()));
    for (int id : {ID_INSERT_TEXTFIELD, ID_INSERT_TABLE, ID_INSERT_PICTURE})
        EXPECT_FALSE(Enabled(id)) << id; // a pupil's program, and a teacher before the unlock
    doc->SetTeacherMode(true);
    for (int id : {ID_INSERT_TEXTFIELD, ID_INSERT_TABLE, ID_INSERT_PICTURE})
        EXPECT_FALSE(Enabled(id)) << id;
    doc->m_bTeacherUnlock = true;
    for (int id : {ID_INSERT_TEXTFIELD, ID_INSERT_TABLE, ID_INSERT_PICTURE})
        EXPECT_TRUE(Enabled(id)) << id;

    ScriptedModals user;
    user.Then([](QDialog& d) {
        auto& edit = *d.findChild<QTextEdit*>(u"edit1021"_qs);
        edit.insertPlainText(u"Bouw de schakeling na en meet de "_qs);
        PressButton(d, CTextDlg::ID_BOLD);
        edit.insertPlainText(u"spanning"_qs);
        PressButton(d, CTextDlg::ID_BOLD);
        edit.insertPlainText(u" over de "_qs);
        PressButton(d, CTextDlg::ID_ITALICS);
        edit.insertPlainText(u"lamp"_qs);
        PressButton(d, CTextDlg::ID_ITALICS);
        edit.insertPlainText(u"."_qs);
        edit.textCursor().insertBlock();
        edit.insertPlainText(u"Idee: "_qs);
        PressButton(d, CTextDlg::ID_UNDERLINE);
        edit.insertPlainText(u"na\u00efef"_qs);
        PressButton(d, CTextDlg::ID_UNDERLINE);
        edit.insertPlainText(u" is caf\u00e9 \u00e9\u00e9n co\u00ebfficient."_qs);
        PressButton(d, CTextDlg::ID_OK);
        return d.result();
    });
    Run(ID_INSERT_TEXTFIELD);
    ASSERT_EQ(doc->m_textFields.size(), 2u);
    auto& text = static_cast<CTextField&>(*doc->m_textFields[1]);
    Drag(CPoint(40, -20), CPoint(160, -260)); // from the board's corner onto the sheet
    EXPECT_EQ(text.m_rect.left, 130);         // snapped to the margin

    user.Then([](QDialog& d) {
        d.findChild<QPlainTextEdit*>(u"edit1021"_qs)
            ->setPlainText(u"Weerstand#Spanning#Stroom#10 \u03a9#1,5 V#0,15 A#20 \u03a9#3,0 V#0,15 A#"
                           "47 \u03a9#7,1 V#0,15 A"_qs.replace(u"\u03a9"_qs, u"ohm"_qs));
        d.findChild<QLineEdit*>(u"edit1022"_qs)->setText(u"3"_qs);
        d.findChild<QLineEdit*>(u"edit1023"_qs)->setText(u"4"_qs);
        PressButton(d, CTableDlg::ID_OK);
        return d.result();
    });
    Run(ID_INSERT_TABLE);
    ASSERT_EQ(doc->m_tables.size(), 1u);
    auto& table = static_cast<CTabel&>(*doc->m_tables[0]);
    Drag(CPoint(table.m_rect.left + 30, table.m_rect.top - 30), CPoint(190, -470));
    EXPECT_GT(table.m_rect.left, 100);

    const QString bitmap = Bitmap();
    user.Then([&](QDialog& d) {
        static_cast<QFileDialog&>(d).selectFile(bitmap);
        return int(QDialog::Accepted);
    });
    user.Answer(6); // copied into the bitmap folder, so that the worksheet takes it along
    Run(ID_INSERT_PICTURE);
    ASSERT_EQ(doc->m_pictures.size(), 1u);
    auto& picture = static_cast<CPlaatje&>(*doc->m_pictures[0]);
    EXPECT_EQ(picture.m_strFileName, u"schakeling.bmp"_qs);
    Drag(CPoint(30, -30), CPoint(1630, -330));
    EXPECT_GT(picture.m_rect.left, 1500);
    QCoreApplication::processEvents();
    Shot(u"authoring-window.png"_qs, frame->grab().toImage());

    // On the surface: the picture's red, the table's grey grid, the text's black.
    const QImage& surface = Board().Surface();
    int red = 0, grey = 0, black = 0;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            const QRgb p = surface.pixel(x, y);
            red += p == qRgb(230, 40, 30);
            grey += p == qRgb(128, 128, 128);
            black += qGray(p) < 40;
        }
    EXPECT_GT(red, 2000);
    EXPECT_GT(grey, 100);
    EXPECT_GT(black, 500);

    // Printed: texts, tables and the picture in its colours.
    const QString pdf = Path(u"werkblad.pdf"_qs);
    ASSERT_TRUE(RenderBoardPdf(*doc, pdf));
    ASSERT_EQ(QProcess::execute(u"pdftoppm"_qs, {u"-r"_qs, u"60"_qs, u"-png"_qs, u"-singlefile"_qs,
                                                 pdf, Path(u"pagina"_qs)}),
              0);
    const QImage page(Path(u"pagina.png"_qs));
    ASSERT_FALSE(page.isNull());
    Shot(u"authoring-printed-page.png"_qs, page);
    int pageRed = 0, pageDark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            pageRed += qRed(page.pixel(x, y)) > 180 && qGreen(page.pixel(x, y)) < 90;
            pageDark += qGray(page.pixel(x, y)) < 80;
        }
    // The 120 x 80 pixels of the picture at 96 dpi are 80 x 53 at 60 dpi, half of them
    // red: about 2120.
    EXPECT_GT(pageRed, 1700);
    EXPECT_LT(pageRed, 2500);
    EXPECT_GT(pageDark, 300);

    // Saved, read back and saved again: the same bytes.
    doc->m_strFolderOutput.clear(); // where asked, not in the pupils' folder
    ASSERT_TRUE(doc->OnSaveDocument(Stored(u"gemaakt.wks"_qs)));
    const QByteArray first = ReadFile(u"gemaakt.wks"_qs);
    ASSERT_TRUE(doc->OnOpenDocument(Stored(u"gemaakt.wks"_qs)));
    doc->UpdateAllViews(HINT_REFRESH);
    QCoreApplication::processEvents();
    ASSERT_EQ(doc->m_textFields.size(), 2u);
    ASSERT_EQ(doc->m_tables.size(), 1u);
    ASSERT_EQ(doc->m_pictures.size(), 1u);
    EXPECT_EQ(static_cast<CPlaatje&>(*doc->m_pictures[0]).m_nWidth, 120);
    ASSERT_TRUE(doc->OnSaveDocument(Stored(u"opnieuw.wks"_qs)));
    EXPECT_EQ(ReadFile(u"opnieuw.wks"_qs).toHex(' ').toStdString(), first.toHex(' ').toStdString());
    // The text's letters are in the file as code page bytes.
    EXPECT_TRUE(first.contains("caf\xe9 \xe9\xe9n co\xeb" "fficient"));
    EXPECT_TRUE(first.contains("\\u na\xef" "ef\\plain "));
    EXPECT_FALSE(doc->m_bTeacherUnlock); // opening a file ends the unlock
    if (const QString folder = qEnvironmentVariable("VT_SCREENSHOTS"); !folder.isEmpty()) {
        QFile::remove(folder + u"/werkblad-gemaakt.wks"_qs);
        QFile::copy(Path(u"gemaakt.wks"_qs), folder + u"/werkblad-gemaakt.wks"_qs);
    }
}

} // namespace
