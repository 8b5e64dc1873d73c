#include "FuzzSupport.h"

#include "annotations/AnnotationClasses.h"
#include "document/BoardArchive.h"
#include "platform/ModalRunner.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
std::unique_ptr<QTemporaryDir> g_folder;
}

void InitFuzzing()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives as long as the process
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    g_folder = std::make_unique<QTemporaryDir>();
    SetProgramFolder(g_folder->path());
    SetModalHandler([](QDialog&) { return 6; }); // OK to messages, Ja to questions
}

QString FuzzFolder()
{
    return g_folder->path();
}

void FuzzCheck(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
