#include "Clock.h"

#include <QEventLoop>
#include <QTimer>

namespace {
std::function<void(int)>& Handler()
{
    static std::function<void(int)> handler;
    return handler;
}
} // namespace

void Pause(int milliseconds)
{
    if (Handler()) {
        Handler()(milliseconds);
        return;
    }
    // Only painting and timers run meanwhile: the user's input waits until the end.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

std::function<void(int)> SetPauseHandler(std::function<void(int)> handler)
{
    std::function<void(int)> previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
