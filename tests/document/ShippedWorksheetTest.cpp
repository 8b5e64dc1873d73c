// The worksheets that ship with the program read as boards, and their assignment texts
// are plain Dutch: no menu mnemonics ("St&art") a pupil would read literally.
#include "DocFixture.h"

#include "annotations/TextField.h"
#include "core/Archive.h"
#include "document/BoardJson.h"

#include <QDirIterator>
#include <QRegularExpression>

namespace {

TEST(ShippedWorksheetTest, TextsHoldNoMnemonicAmpersands)
{
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    static const QRegularExpression mnemonic(QStringLiteral("&\\w"));
    int worksheets = 0;
    QDirIterator it(QStringLiteral(VT_DATA_DIR), {QStringLiteral("*.json")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        // The worksheets ship as text, which the build turns into boards.
        CVeldtrakDoc doc;
        doc.DeleteContents();
        QString error;
        ASSERT_TRUE(ImportBoardJson(file.readAll(), doc, error)) << path.toStdString() << error.toStdString();
        for (const auto& object : doc.m_textFields) {
            const auto* field = dynamic_cast<const CTextField*>(object.get());
            ASSERT_NE(field, nullptr);
            EXPECT_FALSE(field->m_strText.contains(mnemonic)) << path.toStdString();
        }
        ++worksheets;
    }
    EXPECT_GE(worksheets, 3) << "the start menu's worksheets at least";
}

} // namespace
