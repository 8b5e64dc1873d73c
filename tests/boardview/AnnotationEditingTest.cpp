// Text fields, tables and pictures on the board: the teacher's commands place them,
// the mouse drags them with their outlines, a right click opens their dialogs; a pupil
// without permission 64 can do none of it.
#include "BoardViewFixture.h"
#include "annotations/Picture.h"
#include "annotations/Table.h"
#include "annotations/TableDlg.h"
#include "annotations/TextDlg.h"
#include "annotations/TextField.h"
#include "support/ScriptedModals.h"

#include <QBuffer>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

void PressButton(QDialog& d, int id)
{
    d.findChild<QPushButton*>(QStringLiteral("button%1").arg(id))->click();
}

// Types the text into the text dialog, the second word bold, and accepts it.
int TypeText(QDialog& d)
{
    auto& edit = *d.findChild<QTextEdit*>(u"edit1021"_qs);
    edit.insertPlainText(u"Meet de "_qs);
    PressButton(d, CTextDlg::ID_BOLD);
    edit.insertPlainText(u"spanning"_qs);
    PressButton(d, CTextDlg::ID_BOLD);
    edit.insertPlainText(u" caf\u00e9"_qs);
    PressButton(d, CTextDlg::ID_OK);
    return d.result();
}

class AnnotationEditingTest : public BoardViewFixture {
protected:
    void SetUp() override
    {
        BoardViewFixture::SetUp();
        ShowBoard();
    }
    void Teacher()
    {
        doc->SetTeacherMode(true);
        doc->m_bTeacherUnlock = true;
    }
    CTextField& AddText(CRect rect, int frame = 1)
    {
        auto text = std::make_unique<CTextField>();
        text->SetText(u"{\\rtf1{\\fonttbl{\\f0 X;}}{\\colortbl ;}\r\n\\plain Opdracht\\par \r\n\r\n}"_qs,
                      frame);
        text->m_rect = rect;
        CTextField& raw = *text;
        doc->AddTextField(std::move(text));
        Refresh();
        return raw;
    }
    CTabel& AddTable(CPoint at)
    {
        auto table = std::make_unique<CTabel>();
        table->SetContents({u"a#b#c#d"_qs, u"#"_qs, 1, 1, 1, 2, 2});
        table->m_rect = CRect(at.x, at.y, at.x, at.y);
        CTabel& raw = *table;
        doc->AddTable(std::move(table));
        Refresh();
        return raw;
    }
    QString WriteBitmap(const QString& name, int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(qRgb(200, 30, 30));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        WriteFile(name, bytes);
        return Path(name);
    }
};

TEST_F(AnnotationEditingTest, AuthoringCommandsNeedTeacherModeAndTheUnlock)
{
    const int commands[] = {ID_INSERT_TEXTFIELD, ID_INSERT_TABLE, ID_INSERT_PICTURE};
    struct Case {
        bool mode, unlock, busy, running, enabled;
    } cases[] = {
        {false, false, false, false, false}, {false, true, false, false, false},
        {true, false, false, false, false},  {true, true, false, false, true},
        {true, true, true, false, false},    {true, true, false, true, false},
    };
    for (const Case& c : cases) {
        doc->SetTeacherMode(c.mode);
        doc->m_bTeacherUnlock = c.unlock;
        doc->m_bBusy = c.busy;
        doc->m_bRunning = c.running;
        for (int id : commands)
            EXPECT_EQ(doc->IsCommandEnabled(id), c.enabled)
                << id << " mode " << c.mode << " unlock " << c.unlock << " busy " << c.busy;
    }
}

TEST_F(AnnotationEditingTest, TeacherWritesATextThatShowsAndOpensAgainWithItsAttributes)
{
    Teacher();
    // Scrolled away from the origin, the new field starts under the view's top-left corner.
    view->horizontalScrollBar()->setValue(100);
    view->verticalScrollBar()->setValue(100);
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Aanmaak worksheet"_qs);
        EXPECT_TRUE(d.findChild<QCheckBox*>(u"check1051"_qs)->isChecked()); // new: framed
        return TypeText(d);
    });
    doc->OnCommand(ID_INSERT_TEXTFIELD);
    ASSERT_EQ(doc->m_textFields.size(), 1u);
    auto& field = static_cast<CTextField&>(*doc->m_textFields[0]);
    const CPoint corner = view->ClientToBoard(QPoint(1, -1));
    EXPECT_EQ(field.m_rect.TopLeft(), corner);
    EXPECT_EQ(field.m_nFrame, 1);
    EXPECT_GT(field.m_rect.right, field.m_rect.left); // drawn: the rectangle fits the text
    EXPECT_EQ(field.m_rect.bottom, corner.y - 52);
    EXPECT_TRUE(doc->IsModified());
    // The text is on the screen: something dark inside the field.
    Paint();
    int dark = 0;
    const QRect pixels(view->BoardToClient(field.m_rect.TopLeft()),
                       view->BoardToClient(field.m_rect.BottomRight()));
    for (int y = pixels.top() + 2; y < pixels.bottom() - 2; ++y)
        for (int x = pixels.left() + 2; x < pixels.right() - 2; ++x)
            dark += qGray(view->Surface().pixel(x, y)) < 100;
    EXPECT_GT(dark, 50);

    // A right click opens it again with its attributes; Annuleer changes nothing.
    QStringList seen;
    user.Then([&](QDialog& d) {
        const QTextDocument& text = *d.findChild<QTextEdit*>(u"edit1021"_qs)->document();
        for (auto it = text.begin().begin(); !it.atEnd(); ++it)
            seen << it.fragment().text() + (it.fragment().charFormat().fontWeight() > QFont::Normal
                                                 ? u"[B]"_qs : QString());
        PressButton(d, CTextDlg::ID_ANNULEER);
        return d.result();
    });
    const QString stored = field.m_strText;
    Click(CPoint(field.m_rect.left + 5, field.m_rect.top - 20), Qt::RightButton);
    EXPECT_EQ(seen, (QStringList{u"Meet de "_qs, u"spanning[B]"_qs, u" caf\u00e9"_qs}));
    EXPECT_EQ(field.m_strText, stored);
}

TEST_F(AnnotationEditingTest, TextFieldsFollowTheMouseOneEventBehindAndSnapToTheMargin)
{
    CTextField& field = AddText(CRect(600, -600, 600, -600));
    const CRect size = field.m_rect;
    const int w = size.Width(), h = size.Height();
    const CPoint grab(650, -620);
    Press(grab);
    EXPECT_EQ(view->Mode(), MODE_DRAG_TEXTFIELD);
    EXPECT_TRUE(doc->IsModified());
    const CPoint pressed = view->ClientToBoard(Client(grab));
    MoveMouse(CPoint(400, -500));
    EXPECT_EQ(field.m_rect.TopLeft(), CPoint(600, -600)); // the first move goes to the press point
    const CPoint first = view->ClientToBoard(Client(CPoint(400, -500)));
    MoveMouse(CPoint(200, -400));
    const CPoint expected(600 - pressed.x + first.x, -600 - pressed.y + first.y);
    EXPECT_EQ(field.m_rect, CRect(expected.x, expected.y, expected.x + w, expected.y + h));
    MoveMouse(CPoint(190, -400));
    // Now 30 units from the margin at most: snapped to x = 130.
    EXPECT_EQ(field.m_rect.left, 130);
    Release(CPoint(190, -400));
    EXPECT_EQ(view->Mode(), MODE_IDLE);
}

TEST_F(AnnotationEditingTest, TablesAndPicturesAreDraggedToo)
{
    CTabel& table = AddTable(CPoint(1000, -1000));
    const CRect before = table.m_rect;
    Press(CPoint(1010, -1010));
    EXPECT_EQ(view->Mode(), MODE_DRAG_TABLE);
    MoveMouse(CPoint(1210, -1110));
    MoveMouse(CPoint(1410, -1210));
    Release(CPoint(1410, -1210));
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    EXPECT_GT(table.m_rect.left, before.left + 150);
    EXPECT_EQ(table.m_rect.Width(), before.Width());

    Teacher();
    const QString path = WriteBitmap(u"rood.bmp"_qs, 40, 30);
    ScriptedModals user;
    user.Then([&](QDialog& d) {
        auto& files = static_cast<QFileDialog&>(d);
        files.selectFile(path);
        return int(QDialog::Accepted);
    });
    user.Answer(7); // not copied into the bitmap folder: the full path is kept
    doc->OnCommand(ID_INSERT_PICTURE);
    ASSERT_EQ(doc->m_pictures.size(), 1u);
    auto& picture = static_cast<CPlaatje&>(*doc->m_pictures[0]);
    EXPECT_EQ(picture.m_strFileName, WindowsName(path));
    EXPECT_EQ(std::pair(picture.m_nWidth, picture.m_nHeight), std::pair(40, 30));
    // At the origin of the view the picture stays where it was made: the board's corner.
    EXPECT_EQ(picture.m_rect, CRect(0, 0, 106, -79));

    picture.m_rect = CRect(300, -300, 406, -379);
    Refresh();
    EXPECT_EQ(qRed(view->Surface().pixel(Client(CPoint(350, -340)))), 200);
    Press(CPoint(350, -340));
    EXPECT_EQ(view->Mode(), MODE_DRAG_PICTURE);
    MoveMouse(CPoint(650, -540));
    MoveMouse(CPoint(900, -700));
    Release(CPoint(900, -700));
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    // Removed from its old place, shown at the new one, with nothing redrawn.
    EXPECT_EQ(PixelAt(CPoint(310, -310)), 0xFFFFFFu);
    EXPECT_EQ(qRed(view->Surface().pixel(Client(CPoint(picture.m_rect.left + 20, picture.m_rect.top - 20)))), 200);
}

TEST_F(AnnotationEditingTest, RightClickDialogsDeleteThroughTheDocument)
{
    AddText(CRect(600, -600, 600, -600));
    AddTable(CPoint(1500, -600));
    auto picture = std::make_unique<CPlaatje>();
    picture->m_rect = CRect(2500, -600, 0, 0);
    doc->AddPicture(std::move(picture));
    Refresh();

    ScriptedModals user;
    user.Then([](QDialog& d) { // the picture: "Geen eigenschappen" without a caption
        EXPECT_EQ(d.windowTitle(), QString());
        EXPECT_TRUE(d.findChild<QPushButton*>(u"button1"_qs)->isEnabled());
        EXPECT_TRUE(d.findChild<QPushButton*>(u"button172"_qs)->isEnabled());
        return 172;
    });
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Aanmaak tabel"_qs);
        PressButton(d, CTableDlg::ID_WIS);
        return d.result();
    });
    user.Then([](QDialog& d) {
        PressButton(d, CTextDlg::ID_WIS);
        return d.result();
    });
    QStringList hints;
    CHintLog log(hints);
    doc->AddView(&log);
    Click(CPoint(2500, -600), Qt::RightButton);
    EXPECT_TRUE(doc->m_pictures.empty());
    Click(CPoint(1510, -610), Qt::RightButton);
    EXPECT_TRUE(doc->m_tables.empty());
    Click(CPoint(610, -610), Qt::RightButton);
    EXPECT_TRUE(doc->m_textFields.empty());
    EXPECT_EQ(hints.count(u"hint 0 0"_qs), 3);
    doc->RemoveView(&log);
}

TEST_F(AnnotationEditingTest, APupilWithoutPermission64CannotMoveEditOrDeleteThem)
{
    CTextField& field = AddText(CRect(600, -600, 600, -600));
    CTabel& table = AddTable(CPoint(1500, -600));
    auto picture = std::make_unique<CPlaatje>();
    picture->m_rect = CRect(2500, -600, 0, 0);
    doc->AddPicture(std::move(picture));
    doc->m_nPermissions = PERMIT_ALL & ~PERMIT_CHANGE_TEXTS;
    doc->SetModifiedFlag(false);
    Refresh();
    const CRect fieldAt = field.m_rect;
    const CRect tableAt = table.m_rect;

    ScriptedModals user;
    for (int i = 0; i < 6; ++i)
        user.Answer(1); // the refusals
    Drag(CPoint(610, -610), CPoint(900, -900));
    Drag(CPoint(1510, -610), CPoint(1900, -900));
    Drag(CPoint(2500, -600), CPoint(2900, -900));
    for (CPoint p : {CPoint(610, -610), CPoint(1510, -610), CPoint(2500, -600)})
        Click(p, Qt::RightButton);
    for (const QStringList& texts : user.Texts())
        EXPECT_EQ(texts.join(u' '), u"Geen toestemming om teksten, tabellen of foto's te wijzigen."_qs);
    EXPECT_EQ(user.Titles(), QStringList(6, u"Waarschuwing"_qs));
    EXPECT_EQ(field.m_rect, fieldAt);
    EXPECT_EQ(table.m_rect, tableAt);
    EXPECT_EQ(doc->m_pictures.size(), 1u);
    EXPECT_FALSE(doc->IsModified());
    // The clear commands are off for the pupil too.
    for (int id : {ID_EDIT_CLEAR_TEXTS, ID_EDIT_CLEAR_TABLES, ID_EDIT_CLEAR_PICTURES})
        EXPECT_FALSE(doc->IsCommandEnabled(id)) << id;
}

TEST_F(AnnotationEditingTest, TeacherMakesATableThatLandsUnderTheViewsCorner)
{
    Teacher();
    view->horizontalScrollBar()->setValue(50);
    view->verticalScrollBar()->setValue(60);
    ScriptedModals user;
    user.Then([](QDialog& d) {
        d.findChild<QPlainTextEdit*>(u"edit1021"_qs)->setPlainText(u"t#U#1#2#3#4"_qs);
        d.findChild<QLineEdit*>(u"edit1022"_qs)->setText(u"2"_qs);
        PressButton(d, CTableDlg::ID_OK);
        return d.result();
    });
    doc->OnCommand(ID_INSERT_TABLE);
    ASSERT_EQ(doc->m_tables.size(), 1u);
    auto& table = static_cast<CTabel&>(*doc->m_tables[0]);
    EXPECT_EQ(table.m_rect.TopLeft(), view->ClientToBoard(QPoint(0, 0)));
    EXPECT_EQ(table.m_nColumns, 2);
    EXPECT_EQ(table.m_nRows, 3);
    EXPECT_GT(table.m_rect.Width(), 0); // measured
    EXPECT_LT(table.m_rect.Height(), 0);
}

} // namespace
