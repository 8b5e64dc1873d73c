#pragma once
// The program's options, read from its arguments in one place: "/name:value" gives a
// value, "/name" alone is a switch without one. The shell splits a command line at
// blanks, so an argument that starts no option continues the value before it, joined
// with one blank ("/file:invoer en uitvoer\invoer.wks" arrives as three arguments).
// Arguments before any option name a board without a switch.

#include <QString>
#include <QStringList>

#include <vector>

struct CCommandLineOption {
    QString name;  // empty: a board named without a switch
    QString value; // trimmed, double quotes removed
    bool hasValue = false; // written with a colon, so later arguments continue it
};

std::vector<CCommandLineOption> ParseCommandLine(const QStringList& arguments);

// The value of the first option /key:value (the key compared without case), or empty.
QString GetCommandLineOption(const QStringList& arguments, const QString& key);
// Whether the option /key (with or without a value) is given.
bool HasCommandLineOption(const QStringList& arguments, const QString& key);
