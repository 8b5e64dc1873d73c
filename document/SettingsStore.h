#pragma once
// The installation settings: a key/value map kept in a small scrambled text file in
// the program folder, written back only while the teacher has unlocked the board.

#include "CommandLine.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

class CSettingsStore {
public:
    // The settings file (a file-system path).
    void SetFilePath(const QString& path) { m_strFilePath = path; }
    const QString& FilePath() const { return m_strFilePath; }

    // Reads the file into the map; a missing, unreadable or empty file changes nothing.
    void LoadSettingsFile();
    // Writes the registry value and then the file, but only with the teacher unlock.
    // False when the file could not be written.
    bool SaveSettingsFile(bool teacherUnlock, const QString& programFolder);

    void SetSetting(const QString& key, const QString& value) { m_map.insert(key, value); }
    void SetSettingInt(const QString& key, int value) { SetSetting(key, QString::number(value)); }
    QString GetSetting(const QString& key, const QString& fallback) const;
    int GetSettingInt(const QString& key, int fallback) const;

    // A list stored as K0, K1, ...; it ends at the first missing or empty entry.
    // Runs of equal entries shrink to one.
    QStringList GetList(const QString& key) const;
    // Writes K0 .. K(n-1) and an empty K(n), which ends the list on reading.
    void SetList(const QString& key, const QStringList& values);

    void Clear() { m_map.clear(); }
    const QMap<QString, QString>& Map() const { return m_map; }

    // The file's content: key ": " value CR LF for every non-empty value, scrambled.
    QByteArray Content() const;
    static QByteArray Scramble(const QByteArray& plain);
    static QByteArray Unscramble(const QByteArray& stored);
    static QMap<QString, QString> Parse(const QByteArray& plain);

private:
    QString m_strFilePath;
    QMap<QString, QString> m_map;
};
