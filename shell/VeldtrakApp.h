#pragma once
// The application object: starts the program in its fixed order (names, board
// classes, sound, translations, the document, the main window) and owns what it made.

#include <QStringList>
#include <QTranslator>

#include <memory>

class CMainFrame;
class CVeldtrakDoc;
class ISoundService;

class CVeldtrakApp {
public:
    CVeldtrakApp();
    ~CVeldtrakApp();
    CVeldtrakApp(const CVeldtrakApp&) = delete;
    CVeldtrakApp& operator=(const CVeldtrakApp&) = delete;

    // Runs the start-up; false when the program cannot start.
    bool InitInstance();
    // The same with the arguments given (without the program's own name).
    bool InitInstance(const QStringList& arguments);

    CVeldtrakDoc* Document() const { return m_pDoc.get(); }
    CMainFrame* MainFrame() const { return m_pFrame.get(); }

    // The program's arguments as the document reads them, one option each: a board
    // named without a switch becomes the switch /file: with its full path.
    static QStringList CommandLineOptions(const QStringList& arguments);

private:
    void InstallTranslations();
    void InstallSoundService();

    QTranslator m_translator;
    std::unique_ptr<ISoundService> m_pSound;
    std::unique_ptr<CVeldtrakDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
};
