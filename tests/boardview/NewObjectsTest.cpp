// New objects announced by hints: a picture asks for its picture file first.
#include "BoardViewFixture.h"

#include "support/ScriptedModals.h"

#include <QFileDialog>

namespace {

using NewObjectsTest = BoardViewFixture;

TEST_F(NewObjectsTest, ANewPictureAsksForABitmapAndCancellingChangesNothing)
{
    ShowBoard();
    QStringList filters;
    QString suffix;
    ScriptedModals user;
    user.Then([&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        EXPECT_NE(files, nullptr);
        if (files) {
            filters = files->nameFilters();
            suffix = files->defaultSuffix();
            EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFile);
        }
        return int(QDialog::Rejected);
    });
    doc->UpdateAllViews(HINT_NEW_PICTURE);
    EXPECT_EQ(filters, QStringList({"Plaatjes (*.bmp *.png *.jpg *.jpeg)", "Bitmaps (*.bmp)",
                                    "Alle bestanden (*.*)"}));
    EXPECT_EQ(suffix, "bmp");
    EXPECT_TRUE(doc->m_pictures.empty());
    EXPECT_EQ(view->Mode(), MODE_IDLE);
}

} // namespace
