#pragma once
// Runs whole sessions: a seeded random one, or a script replayed action by action.
// Each starts a fresh program in a fresh folder.

#include "ExerciseAction.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <map>

struct SessionResult {
    ActionList actions; // those played, the failing one last
    QString fault;      // empty when every check held
    int failedAt = -1;  // index of the failing action, -1 before the first (start-up)
    bool Failed() const { return !fault.isEmpty(); }
    // What the session reached, counted: the dialogs by title, the aimed actions, and
    // the boards that an aimed chain step opened.
    std::map<QString, int> reached;
};

// A random session of at most 'count' actions, or until 'stop' says so.
SessionResult RunSeed(std::uint32_t seed, int count, const std::function<bool()>& stop = {});
// The script's actions in order, up to the first fault.
SessionResult RunScript(const ActionList& actions, const QString& name = QString());
