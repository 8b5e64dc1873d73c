// The program's arguments (one per line of the input): parsed into options, the
// output folder and the board to open looked up as the program looks them up.
#include "FuzzSupport.h"

#include "document/CommandLine.h"
#include "document/Document.h"
#include "platform/Paths.h"

#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InitFuzzing();
    static auto doc = std::make_unique<CVeldtrakDoc>();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList arguments = text.split(u'\n');

    for (const CCommandLineOption& option : ParseCommandLine(arguments))
        FuzzCheck(option.value == option.value.trimmed() && !option.value.contains(u'"'),
                  "option values are trimmed and unquoted");
    doc->m_commandLine = arguments;
    doc->LoadSettings(); // takes the output folder from /dir:
    const QString board = WindowsName(doc->GetCommandLineOption(QStringLiteral("file")));
    // Only looked up: opening is the board target's work, and the input may name any file.
    (void)doc->ResolveBoardFileName(board);
    (void)doc->HasCommandLineOption(QStringLiteral("docent"));
    return 0;
}
