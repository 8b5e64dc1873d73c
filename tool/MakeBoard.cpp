// Writes a generated board, for measuring the program on boards of any size:
//   vt-make-board keten|rooster AANTAL UITVOER.wks
// "keten" is a chain of inverters, "rooster" a layered grid of gates.
#include "BoardGenerator.h"
#include "annotations/AnnotationClasses.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/FileIO.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    BoardShape shape = BoardShape::Chain;
    bool countOk = false;
    const int count = arguments.value(2).toInt(&countOk);
    if (arguments.size() != 4 || !ParseBoardShape(arguments[1], shape) || !countOk || count < 1 ||
        count > 1000000) {
        std::fprintf(stderr, "Gebruik: vt-make-board keten|rooster AANTAL UITVOER.wks\n"
                             "  (AANTAL van 1 tot 1000000)\n");
        return 2;
    }
    const QString output = QFileInfo(arguments[3]).absoluteFilePath();
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    CVeldtrakDoc doc;
    GenerateBoard(doc, shape, count);
    if (WriteWholeFile(output, WriteBoard(doc)) != FILE_OK) {
        std::fprintf(stderr, "Kon %s niet schrijven.\n", qPrintable(output));
        return 1;
    }
    return 0;
}
