#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
std::function<bool(const QString&)>& Handler()
{
    static std::function<bool(const QString&)> handler;
    return handler;
}
} // namespace

bool ShellOpenFile(const QString& fileSystemPath)
{
    if (Handler())
        return Handler()(fileSystemPath);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileSystemPath));
}

std::function<bool(const QString&)> SetShellOpenHandler(std::function<bool(const QString&)> handler)
{
    return std::exchange(Handler(), std::move(handler));
}
