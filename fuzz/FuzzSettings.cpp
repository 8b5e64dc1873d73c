// The settings file as the program reads it at start-up: unscrambled, parsed and
// taken into the document's settings; what the store would write again must parse
// back to the same entries. The input is the plain content (scrambling is one byte
// for one byte), so the fuzzer works on the lines themselves.
#include "FuzzSupport.h"

#include "document/Document.h"
#include "document/SettingsStore.h"
#include "platform/Paths.h"

#include <QFile>

#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InitFuzzing();
    static auto doc = std::make_unique<CVeldtrakDoc>();
    {
        QFile file(doc->m_settings.FilePath());
        FuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the settings file opens");
        const QByteArray plain(reinterpret_cast<const char*>(data), qsizetype(size));
        file.write(CSettingsStore::Scramble(plain));
    }
    doc->m_settings.Clear();
    doc->LoadSettings();
    FuzzCheck(doc->m_nProbeWidth >= 30 && doc->m_nProbeWidth <= 300, "the probe width is in range");

    QMap<QString, QString> written;
    for (auto it = doc->m_settings.Map().cbegin(); it != doc->m_settings.Map().cend(); ++it)
        if (!it.value().isEmpty())
            written.insert(it.key(), it.value());
    const QByteArray content = doc->m_settings.Content();
    FuzzCheck(CSettingsStore::Parse(CSettingsStore::Unscramble(content)) == written,
              "written settings read back");
    return 0;
}
