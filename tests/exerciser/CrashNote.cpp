#include "CrashNote.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

char g_note[512] = "";

void OnFatalSignal(int signal)
{
    const char head[] = "\nexerciser: crashed at ";
    (void)!write(STDERR_FILENO, head, sizeof head - 1);
    (void)!write(STDERR_FILENO, g_note, strnlen(g_note, sizeof g_note));
    (void)!write(STDERR_FILENO, "\n", 1);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void InstallCrashNote()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    for (int s : {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS})
        std::signal(s, OnFatalSignal);
}

void SetCrashNote(const QString& note)
{
    const QByteArray bytes = note.toUtf8().left(int(sizeof g_note) - 1);
    std::memcpy(g_note, bytes.constData(), std::size_t(bytes.size()));
    g_note[bytes.size()] = '\0';
}
