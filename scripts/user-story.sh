#!/usr/bin/env bash
# Plays a pupil's first minutes in the real window under Xvfb and saves screenshots,
# three times: started with a board on the command line, through the start menu, and
# through "Nieuw" with its start dialog. Each time: a toggle and a lamp from the
# palette -> a wire with a bend -> a probe on the lamp input -> Start -> press the
# toggle. Also the Dutch file dialog of "Openen".
#   scripts/user-story.sh OUTFOLDER      (after ./run.sh or scripts/setup.sh built it;
#   VELDTRAK=path/to/veldtrak picks another build)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/user-story}"
mkdir -p "$out"
program="$(realpath "${VELDTRAK:-build/veldtrak}")"
[ -x "$program" ] || { echo "no program at $program: build it first (./run.sh), or set VELDTRAK"; exit 1; }
for tool in xvfb-run xdotool import; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool imagemagick)"; exit 1; }
done
board="$(mktemp -d)/BORD.wks"
cp "$(dirname "$program")/invoer en uitvoer/invoer.wks" "$board"
xvfb-run -a -s "-screen 0 1280x900x24" bash -s "$out" "$program" "$board" <<'STORY'
out="$1"
program="$2"
board="$3"
shot() { import -window root "$out/$1.png"; }
drag() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool mousedown 1; sleep 0.3
         xdotool mousemove "$3" "$4"; sleep 0.3; xdotool mousemove "$(( $3 + 20 ))" "$(( $4 + 20 ))"
         sleep 0.3; xdotool mouseup 1; sleep 0.5; }
click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.4; }
# The pupil's circuit, placed right of what a worksheet may already hold.
circuit() {
  drag 30 573 400 760                # Toggle
  drag 30 246 700 760                # Lamp
  click 485 787; click 600 840; click 727 787   # wire with one bend
  drag 30 709 708 769                # probe onto the lamp input
  shot "$1-board"
  xdotool key alt+m; sleep 0.4; xdotool key a; sleep 1
  xdotool mousemove 427 787; xdotool mousedown 1; sleep 0.3; xdotool mouseup 1; sleep 1.5
  shot "$1-measuring"
  xdotool key alt+m; sleep 0.4; xdotool key o; sleep 0.5
}
stop() { kill "$1"; wait "$1" 2>/dev/null || true; }
cd "$(dirname "$program")"

# 1. A board on the command line.
"$program" "$board" & pid=$!; sleep 8; shot 1-command-line
circuit 1
stop $pid

# 2. The start menu.
"$program" & pid=$!; sleep 8; shot 2-start-menu
click 750 371                      # "Leeg bord"
circuit 2
stop $pid

# 3. "Nieuw" with the start dialog, then the Dutch file dialog of "Openen".
"$program" & pid=$!; sleep 8
click 750 371
xdotool key ctrl+n; sleep 1; shot 3-start-dialog
xdotool key Return; sleep 1       # "  === Leeg bord ===" is chosen first
circuit 3
xdotool key Escape; sleep 0.3
xdotool key ctrl+o; sleep 0.3; xdotool key alt+n; sleep 1.5; shot 3-open-dialog
xdotool key Escape; sleep 0.5
stop $pid
STORY
echo "screenshots in $out"
