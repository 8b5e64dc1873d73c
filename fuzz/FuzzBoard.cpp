// A board file as the program opens it: read through the open operation (which lays
// out the sockets and routes the wires), a measurement of a few ticks with the mouse
// on the board, then written again; the written board must read back and write the
// same bytes.
#include "FuzzSupport.h"

#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"

#include <QFile>

#include <cstdint>
#include <memory>

namespace {

void WriteInput(const QString& path, const std::uint8_t* data, std::size_t size)
{
    QFile file(path);
    FuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file opens");
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}

void Measure(CVeldtrakDoc& doc)
{
    CMemoryDC dc(64, 64);
    doc.m_bBusy = false;
    doc.Start();
    // The mouse held on the first component, then Shift, Ctrl, redraw and reset.
    CPoint cursor(0, 0);
    if (!doc.m_components.empty())
        cursor = doc.m_components.front()->m_rect.CenterPoint();
    for (std::uint32_t state : {0u, 0x01u, 0x05u, 0x09u, 0x20u, 0x40u, 0x80u, 0x100u})
        doc.Tick(dc, cursor, state);
    doc.Stop();
    doc.UnlinkAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InitFuzzing();
    static auto doc = std::make_unique<CVeldtrakDoc>();
    static auto reread = std::make_unique<CVeldtrakDoc>();
    const QString path = FuzzFolder() + QStringLiteral("/bord.wks");
    WriteInput(path, data, size);
    if (!doc->OnOpenDocument(WindowsName(path)))
        return 0;
    Measure(*doc);

    const QByteArray saved = WriteBoard(*doc);
    reread->DeleteContents();
    FuzzCheck(ReadBoard(saved, *reread) == 0, "a saved board reads back");
    FuzzCheck(WriteBoard(*reread) == saved, "a saved board reads back to the same bytes");
    return 0;
}
