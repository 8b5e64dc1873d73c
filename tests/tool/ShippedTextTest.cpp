// The assignment texts of the shipped boards, as veldtrak-tool draws them: each is
// stored exactly as the text dialog's writer stores it, and each field's rectangle
// holds every line it draws, so that a framed question shows its frame.
#include "RunTool.h"

#include "annotations/AnnotationClasses.h"
#include "annotations/RtfReader.h"
#include "annotations/RtfWriter.h"
#include "annotations/TextField.h"
#include "document/BoardArchive.h"
#include "document/Document.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

namespace {

constexpr int kLineHeight = 52; // a line of the 44-unit font, 1.2 lines apart

TEST(ShippedTextTest, EveryTextFieldIsStoredAsTheWriterStoresItAndHoldsAllItsLines)
{
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    static const QRegularExpression fieldLine(
        QStringLiteral(
            "^tekstveld (\\d+): \\((-?\\d+),(-?\\d+)\\)-\\((-?\\d+),(-?\\d+)\\) kader (-?\\d+)$"),
        QRegularExpression::MultilineOption);
    int fields = 0;
    // The boards the build made from the texts in data/.
    const QDir source(QStringLiteral(VT_DATA_DIR));
    QDirIterator it(source.path(), {QStringLiteral("*.json")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString path = source.relativeFilePath(it.next());
        path = QStringLiteral(VT_SHIPPED_FOLDER "/") + path.chopped(5);
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        CVeldtrakDoc stored;
        stored.DeleteContents();
        ASSERT_EQ(ReadBoard(file.readAll(), stored), 0);

        QString out, err;
        ASSERT_EQ(RunTool({QStringLiteral("info"), path}, out, err), 0) << err.toStdString();
        auto match = fieldLine.globalMatch(out);
        std::size_t index = 0;
        for (; match.hasNext(); ++index) {
            const QRegularExpressionMatch m = match.next();
            ASSERT_LT(index, stored.m_textFields.size());
            const auto* field = dynamic_cast<const CTextField*>(stored.m_textFields[index].get());
            ASSERT_NE(field, nullptr);

            QTextDocument editor;
            ReadRtfInto(field->m_strText, editor);
            EXPECT_EQ(field->m_strText, WriteBoardRtf(editor)) << "text field " << index;

            // Every line the writer stores ends in "\par ".
            const int lines = int(field->m_strText.count(QStringLiteral("\\par ")));
            const int top = m.captured(3).toInt();
            const int bottom = m.captured(5).toInt();
            EXPECT_GT(lines, 0);
            EXPECT_EQ(bottom, top - lines * kLineHeight) << "text field " << index;
            ++fields;
        }
        EXPECT_EQ(index, stored.m_textFields.size());
    }
    EXPECT_GE(fields, 50) << "every shipped board explains itself";
}

} // namespace
