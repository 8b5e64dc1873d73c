// A text field's stored rich text as a board file brings it (code page 1252): drawn
// on the board in each kind of frame, taken apart by the board's own reader, and read
// into the text dialog's editor. What the dialog would store for that reads back into
// the same stored text.
#include "FuzzSupport.h"

#include "annotations/RichTextReader.h"
#include "annotations/RtfReader.h"
#include "annotations/RtfWriter.h"
#include "annotations/TextField.h"
#include "platform/CodePage.h"
#include "platform/DrawContext.h"

#include <QTextDocument>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InitFuzzing();
    const QString stored = FromCp1252(reinterpret_cast<const char*>(data), qsizetype(size));

    CMemoryDC dc(128, 128);
    for (int frame : {0, 1, -1}) {
        CTextField field;
        field.m_rect = CRect(100, -100, 100, -100);
        field.m_strText = stored;
        field.m_nFrame = frame;
        field.Draw(dc);
    }

    QString decoded = stored;
    DecodeHighCharacters(decoded);
    const QString body = TextBody(decoded);
    FuzzCheck(body.size() <= decoded.size(), "the body lies within the text");
    const QString shown = DisplayString(body);
    FuzzCheck(shown.size() <= body.size(), "the display string is no longer than the body");

    QTextDocument editor;
    ReadRtfInto(stored, editor);
    const QString written = WriteBoardRtf(editor);
    QTextDocument reopened;
    ReadRtfInto(written, reopened);
    const QString rewritten = WriteBoardRtf(reopened);
    if (rewritten != written)
        std::fprintf(stderr, "written:\n%s\nwritten again:\n%s\n", qPrintable(written),
                     qPrintable(rewritten));
    FuzzCheck(rewritten == written, "stored rich text reads back as written");
    return 0;
}
