// Main of every test program: tests run headless on the offscreen platform.
#include "platform/DialogGuard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QStandardPaths>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true); // settings written by tests stay out of the user's
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Drawing first, reporting afterwards: any test that reaches a dialog from inside a
    // drawing fails, whatever the dialog.
    SetDialogRefusalHandler([](QDialog& dialog) {
        ADD_FAILURE() << "dialog \"" << dialog.windowTitle().toStdString()
                      << "\" asked for while a drawing context is open";
    });
    return RUN_ALL_TESTS();
}
