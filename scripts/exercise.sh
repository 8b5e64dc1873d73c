#!/usr/bin/env bash
# Plays random sessions of a user on the real program for as long as asked, checking
# after every action what must always hold, and prints actions per second, actions run
# and faults found. Every fault is shrunk to a short script in exercise-faults/ (copy it
# to tests/exerciser/scripts/ to keep it as a test once it is fixed).
#   scripts/exercise.sh SECONDS [SEED]          (after scripts/setup.sh)
#   scripts/exercise.sh --replay SCRIPT         replays one script and says what fails
# VT_EXERCISE_BUILD=build-asan runs the sanitizer build (scripts/sanitize.sh makes it);
# VT_EXERCISE_ACTIONS sets the actions a session (400).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${VT_EXERCISE_BUILD:-build}
program=$build/exerciser
[ -x "$program" ] || cmake --build "$build" --target exerciser -j"$(nproc)"
run() { QT_QPA_PLATFORM=offscreen "$program" --gtest_also_run_disabled_tests \
  --gtest_filter='DISABLED_ByHand.*' --gtest_brief=1; }

if [ "${1:-}" = "--replay" ]; then
  [ -f "${2:-}" ] || { echo "usage: $0 --replay SCRIPT" >&2; exit 2; }
  VT_EXERCISE_REPLAY=$(realpath "$2") run
  exit
fi
seconds=${1:-}
seed=${2:-1}
[[ "$seconds" =~ ^[0-9]+$ && "$seconds" -gt 0 ]] || { echo "usage: $0 SECONDS [SEED]" >&2; exit 2; }
[[ "$seed" =~ ^[0-9]+$ ]] || { echo "SEED must be a whole number" >&2; exit 2; }
mkdir -p exercise-faults
VT_EXERCISE_SECONDS=$seconds VT_EXERCISE_SEED=$seed VT_EXERCISE_OUT=$PWD/exercise-faults run
