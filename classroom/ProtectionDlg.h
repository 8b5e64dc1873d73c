#pragma once
// The protection dialog (dialog 161, "Beveiliging"): what the pupil may do on this
// board, the teacher password, the board's title, help file and its links to the
// previous and next board with their passwords.

#include <QDialog>
#include <QString>

#include <array>

class CVeldtrakDoc;
class QCheckBox;
class QLineEdit;

// Everything the dialog edits, as the dialog holds it.
struct CProtectionEntries {
    int permissions = 255; // the eight check boxes as the permission bits
    QString password;      // 1023
    QString retype;        // 1024
    QString prevBoard;     // 1021
    QString nextBoard;     // 1022
    QString helpFile;      // 1025
    QString prevPassword;  // 1026
    QString nextPassword;  // 1027
    QString boardTitle;    // 1028

    bool operator==(const CProtectionEntries&) const = default;
};

class CProtectionDlg : public QDialog {
    Q_OBJECT
public:
    enum : int {
        ID_EXTRA = 1071,
        ID_BROWSE_PREV = 1072,
        ID_BROWSE_NEXT = 1073,
        ID_BROWSE_HELP = 1074
    };
    static constexpr int kPasswordLength = 8;
    static constexpr int kBoardFileLength = 64;
    static constexpr int kTitleLength = 60;

    // programFolder: browsed files below it are entered relative to it
    explicit CProtectionDlg(const QString& programFolder, QWidget* parent = nullptr);

    void SetEntries(const CProtectionEntries& entries);
    CProtectionEntries Entries() const;

    // The check box id of each permission bit, from bit 0 to bit 7.
    static const std::array<int, 8> kPermissionBoxes;

    // The warning for the first entry longer than its edit takes, or empty when all fit.
    static QString LimitMessage(const CProtectionEntries& entries);

    // A chosen path below the program folder loses that folder's part.
    static QString ShortenedPath(const QString& path, const QString& programFolder);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Browse(QLineEdit& edit, bool helpFile);

    QString m_strFolderRoot;
    std::array<QCheckBox*, 8> m_boxes{}; // by permission bit
    QLineEdit* m_pPassword;
    QLineEdit* m_pRetype;
    QLineEdit* m_pPrevBoard;
    QLineEdit* m_pNextBoard;
    QLineEdit* m_pHelpFile;
    QLineEdit* m_pPrevPassword;
    QLineEdit* m_pNextPassword;
    QLineEdit* m_pTitle;
};

// The document's protection record and teacher password as the dialog shows them.
CProtectionEntries ProtectionEntriesOf(const CVeldtrakDoc& doc);

// Command 32790 "Stel &beveiliging in": the teacher password (when one is set and the
// board is still locked), the unlock, the dialog; on OK the board's record and the
// teacher password are taken over, the settings saved, the links resolved and the board
// marked modified. True when the dialog ended with OK.
bool SetProtection(CVeldtrakDoc& doc);
