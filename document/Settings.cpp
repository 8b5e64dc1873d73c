// Reading the installation settings into the document and writing them back.
#include "Document.h"

#include "platform/FolderName.h"
#include "platform/Strings.h"

#include <algorithm>

namespace {
const QString kHelpFile = QStringLiteral("NameHelpFile");
const QString kFolderBitmap = QStringLiteral("FolderBitmap");
const QString kFolderOutput = QStringLiteral("FolderOutput");
const QString kPassword = QStringLiteral("Password");
const QString kTextSnap = QStringLiteral("TextSnap");
const QString kSnapMargin = QStringLiteral("SnapMargin");
const QString kEraseMargin = QStringLiteral("EraseMargin");
const QString kProbeWidth = QStringLiteral("ProbeWidth");
const QString kFolders = QStringLiteral("FolderWerkblad");
const QString kExtensions = QStringLiteral("ExtensieWerkblad");
constexpr int kDefaultMargin = 30;
} // namespace

QString CVeldtrakDoc::GetCommandLineOption(const QString& key) const
{
    return ::GetCommandLineOption(m_commandLine, key);
}

bool CVeldtrakDoc::HasCommandLineOption(const QString& key) const
{
    return ::HasCommandLineOption(m_commandLine, key);
}

void CVeldtrakDoc::LoadSettings()
{
    m_settings.LoadSettingsFile();
    m_strDefaultHelpFile = m_settings.GetSetting(kHelpFile, LoadString(61488));
    // Folders typed by hand ("praktisch") are kept with their backslash, so that every
    // name joined to them lands inside them.
    m_strFolderBitmap = FolderName(m_settings.GetSetting(kFolderBitmap, LoadString(61641)));
    m_strFolderOutput = m_settings.GetSetting(kFolderOutput, LoadString(61640));
    m_strDirOption = GetCommandLineOption(QStringLiteral("dir"));
    if (!m_strDirOption.isEmpty())
        m_strFolderOutput = m_strDirOption;
    m_strFolderOutput = FolderName(m_strFolderOutput);
    m_strPassword = m_settings.GetSetting(kPassword, QString());
    // Kept within what the board settings dialog accepts: the margins enter the
    // wiring's coordinate arithmetic.
    m_nTextSnap = std::clamp(m_settings.GetSettingInt(kTextSnap, kDefaultMargin), 0, 100);
    m_nSnapMargin = std::clamp(m_settings.GetSettingInt(kSnapMargin, kDefaultMargin), 0, 50);
    m_nEraseMargin = std::clamp(m_settings.GetSettingInt(kEraseMargin, kDefaultMargin), 0, 50);
    m_nProbeWidth = std::clamp(m_settings.GetSettingInt(kProbeWidth, kDefaultMargin), 30, 300);
    m_worksheetFolders = m_settings.GetList(kFolders);
    for (QString& folder : m_worksheetFolders)
        folder = FolderName(folder);
    m_worksheetExtensions = m_settings.GetList(kExtensions);
    if (m_worksheetFolders.isEmpty() && m_worksheetExtensions.isEmpty()) {
        for (int id : {61633, 61634, 61635, 61636, 61640})
            m_worksheetFolders << LoadString(id);
        m_worksheetExtensions << LoadString(61637);
    }
}

void CVeldtrakDoc::SaveSettings()
{
    m_settings.SetSetting(kHelpFile, m_strDefaultHelpFile);
    m_settings.SetSetting(kFolderBitmap, m_strFolderBitmap);
    m_settings.SetSetting(kFolderOutput, m_strFolderOutput);
    m_settings.SetSetting(kPassword, m_strPassword);
    m_settings.SetSettingInt(kTextSnap, m_nTextSnap);
    m_settings.SetSettingInt(kSnapMargin, m_nSnapMargin);
    m_settings.SetSettingInt(kEraseMargin, m_nEraseMargin);
    m_settings.SetSettingInt(kProbeWidth, m_nProbeWidth);
    m_settings.SetList(kFolders, m_worksheetFolders);
    m_settings.SetList(kExtensions, m_worksheetExtensions);
    m_settings.SaveSettingsFile(m_bTeacherUnlock, m_strFolderRoot);
}
