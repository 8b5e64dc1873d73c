#include "SettingsStore.h"

#include "platform/CodePage.h"
#include "platform/FileIO.h"
#include "platform/Strings.h"

#include <QSettings>

QByteArray CSettingsStore::Scramble(const QByteArray& plain)
{
    QByteArray stored(plain.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < plain.size(); ++i)
        stored[i] = char(~std::uint8_t(std::uint8_t(plain[i]) + std::uint8_t(i % 255)));
    return stored;
}

QByteArray CSettingsStore::Unscramble(const QByteArray& stored)
{
    QByteArray plain(stored.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < stored.size(); ++i)
        plain[i] = char(std::uint8_t(~std::uint8_t(stored[i])) - std::uint8_t(i % 255));
    return plain;
}

QMap<QString, QString> CSettingsStore::Parse(const QByteArray& plain)
{
    QMap<QString, QString> map;
    qsizetype pos = 0;
    while (pos < plain.size()) {
        const qsizetype colon = plain.indexOf(':', pos);
        if (colon < 0)
            break;
        const qsizetype valueStart = colon + 2; // the colon and the blank after it
        const qsizetype cr = plain.indexOf('\r', valueStart);
        if (cr < 0 || valueStart > plain.size())
            break; // a line cut short ends the list
        map.insert(FromCp1252(plain.mid(pos, colon - pos)),
                   FromCp1252(plain.mid(valueStart, cr - valueStart)));
        pos = cr + 2; // the carriage return and the line feed
    }
    return map;
}

void CSettingsStore::LoadSettingsFile()
{
    QByteArray stored;
    if (m_strFilePath.isEmpty() || ReadWholeFile(m_strFilePath, stored) != FILE_OK ||
        stored.isEmpty())
        return;
    const QMap<QString, QString> read = Parse(Unscramble(stored));
    for (auto it = read.begin(); it != read.end(); ++it)
        m_map.insert(it.key(), it.value());
}

QByteArray CSettingsStore::Content() const
{
    // The whole content is written, however long: no entry is ever cut off.
    QByteArray plain;
    for (auto it = m_map.begin(); it != m_map.end(); ++it) {
        if (it.value().isEmpty())
            continue;
        plain += ToCp1252(it.key()) + ": " + ToCp1252(it.value()) + "\r\n";
    }
    return Scramble(plain);
}

bool CSettingsStore::SaveSettingsFile(bool teacherUnlock, const QString& programFolder)
{
    if (!teacherUnlock)
        return true;
    QSettings registry(LoadString(131), LoadString(57344));
    registry.beginGroup(LoadString(129));
    registry.setValue(LoadString(61662), programFolder);
    registry.endGroup();
    return !m_strFilePath.isEmpty() && WriteWholeFile(m_strFilePath, Content()) == FILE_OK;
}

QString CSettingsStore::GetSetting(const QString& key, const QString& fallback) const
{
    const auto it = m_map.find(key);
    return it == m_map.end() ? fallback : it.value();
}

int CSettingsStore::GetSettingInt(const QString& key, int fallback) const
{
    const auto it = m_map.find(key);
    if (it == m_map.end())
        return fallback;
    // A plain decimal conversion: leading digits count, anything else reads as 0.
    const QString text = it.value().trimmed();
    qsizetype end = 0;
    if (end < text.size() && (text[end] == u'-' || text[end] == u'+'))
        ++end;
    while (end < text.size() && text[end].isDigit())
        ++end;
    return text.left(end).toInt();
}

QStringList CSettingsStore::GetList(const QString& key) const
{
    QStringList values;
    for (int i = 0;; ++i) {
        const QString value = GetSetting(key + QString::number(i), QString());
        if (value.isEmpty())
            break;
        if (values.isEmpty() || values.last() != value)
            values << value;
    }
    return values;
}

void CSettingsStore::SetList(const QString& key, const QStringList& values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        SetSetting(key + QString::number(i), values[i]);
    SetSetting(key + QString::number(values.size()), QString());
}
