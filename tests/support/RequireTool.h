#pragma once
// Tests that need an outside program (the PDF tools, setpriv). Without it such a test
// is skipped on a developer's machine; on CI (CI=true) a missing program is a missing
// install step, so the test fails instead.

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <QString>
#include <QtGlobal>

inline bool RunsOnCi()
{
    return qgetenv("CI") == "true";
}

inline bool ToolIsInstalled(const char* tool)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty();
}

// Ends the test unless the program is installed.
#define REQUIRE_TOOL(tool)                                                                  \
    if (ToolIsInstalled(tool)) {                                                            \
    } else if (RunsOnCi()) {                                                                \
        GTEST_FAIL() << (tool) << " is not installed; the set-up script must install it";   \
    } else                                                                                  \
        GTEST_SKIP() << (tool) << " is not installed"
