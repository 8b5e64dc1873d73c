#include "VeldtrakApp.h"

#include "CommandIds.h"
#include "MainFrame.h"
#include "RecoveryPrompt.h"
#include "TeacherGate.h"
#include "TimingProbe.h"
#include "annotations/AnnotationClasses.h"
#include "classroom/StartDialog.h"
#include "document/BoardArchive.h"
#include "document/CommandLine.h"
#include "document/Document.h"
#include "document/Recovery.h"
#include "platform/Sound.h"
#include "platform/Strings.h"

#include "platform/QtSoundService.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QScreen>

CVeldtrakApp::CVeldtrakApp() = default;

CVeldtrakApp::~CVeldtrakApp()
{
    // A normal end: the board was saved or given up in the save question.
    if (m_pRecovery) m_pRecovery->Discard();
    m_pRecoveryPrompt.reset();
    m_pRecovery.reset();
    m_pFrame.reset(); // the panes hold on to the document
    m_pDoc.reset();
    if (m_pSound) SetSoundService(nullptr);
    if (!m_translator.isEmpty()) QCoreApplication::removeTranslator(&m_translator);
}

QStringList CVeldtrakApp::CommandLineOptions(const QStringList& arguments)
{
    QStringList options;
    for (const CCommandLineOption& o : ParseCommandLine(arguments)) {
        if (o.name.isEmpty())
            options << QStringLiteral("/file:") + QFileInfo(o.value).absoluteFilePath();
        else
            options << u'/' + o.name + (o.hasValue ? u':' + o.value : QString());
    }
    return options;
}

bool CVeldtrakApp::InitInstance()
{
    return InitInstance(QCoreApplication::arguments().mid(1));
}

bool CVeldtrakApp::InitInstance(const QStringList& arguments)
{
    QCoreApplication::setApplicationName(LoadString(IDS_APP_TITLE));
    QCoreApplication::setOrganizationName(LoadString(IDS_COMPANY));
    InstallTranslations();
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    InstallSoundService();

    // Names on the command line are taken relative to where the program was started,
    // before the document makes the program folder current.
    const QStringList options = CommandLineOptions(arguments);
    m_pDoc = std::make_unique<CVeldtrakDoc>();
    m_pDoc->m_commandLine = options;
    InstallStartDialog(*m_pDoc); // every "Nieuw" after the first offers the worksheets
    // Teacher mode only with the teacher-mode password, asked before the window opens.
    m_pDoc->SetTeacherMode(m_pDoc->HasCommandLineOption(QStringLiteral("docent")) && PassTeacherGate());
    m_pRecovery = std::make_unique<CRecoveryKeeper>(*m_pDoc);
    m_pRecoveryPrompt = std::make_unique<CRecoveryPrompt>(*m_pDoc);

    m_pFrame = std::make_unique<CMainFrame>(*m_pDoc);
    InstallTimingProbes(*m_pDoc, m_pFrame->BoardPane()); // for the benchmarks only
    m_pDoc->OnFileNew(); // an empty board; the start-up sequence follows the first paint
    // Without a window manager (a bare X server) maximising means nothing: the screen
    // size is given as well.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_pFrame->setGeometry(screen->availableGeometry());
    m_pFrame->showMaximized();
    return true;
}

void CVeldtrakApp::InstallTranslations()
{
    // The standard dialogs (files, printing) speak Dutch when Qt's translations are there.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (m_translator.load(QStringLiteral("qtbase_nl"), folder))
        QCoreApplication::installTranslator(&m_translator);
}

void CVeldtrakApp::InstallSoundService()
{
    m_pSound = CreateQtSoundService();
    SetSoundService(m_pSound.get());
}
