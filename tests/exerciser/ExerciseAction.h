#pragma once
// One thing the user does, as the exerciser plays it and as a replay script keeps it:
// a verb with whole-number arguments, and the seed of the answers the user gives to
// the dialogs that the action opens. A script is one action a line.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

struct CExerciseAction {
    QString verb;
    std::vector<int> args;
    std::uint32_t answers = 0; // seeds the answers to the dialogs this action opens

    int Arg(std::size_t i, int fallback = 0) const { return i < args.size() ? args[i] : fallback; }

    // "press 120 340 1 0 @77"
    QString ToLine() const;
    // Empty for a blank line, a comment (#) or a line that is no action.
    static std::optional<CExerciseAction> FromLine(const QString& line);
};

using ActionList = std::vector<CExerciseAction>;

// A script: comment lines first (what it shows), then one action a line.
QString ScriptText(const ActionList& actions, const QStringList& comments = {});
ActionList ParseScript(const QString& text);
bool WriteScript(const QString& path, const ActionList& actions, const QStringList& comments = {});
std::optional<ActionList> ReadScript(const QString& path);
