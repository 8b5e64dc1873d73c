// Veldtrak Tanvo: the board simulator.
#include "VeldtrakApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CVeldtrakApp veldtrak;
    if (!veldtrak.InitInstance()) return 1;
    return app.exec();
}
