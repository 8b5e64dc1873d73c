#!/usr/bin/env bash
# Plays a pupil's first minutes in the real window under Xvfb and saves screenshots:
# start menu -> empty board -> toggle and lamp from the palette -> a wire with a bend
# -> a probe on the lamp input -> Start -> press the toggle.
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
xvfb-run -a -s "-screen 0 1280x900x24" bash -s "$out" "$program" <<'STORY'
out="$1"
program="$2"
shot() { import -window root "$out/$1.png"; }
drag() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool mousedown 1; sleep 0.3
         xdotool mousemove "$3" "$4"; sleep 0.3; xdotool mousemove "$(( $3 + 20 ))" "$(( $4 + 20 ))"
         sleep 0.3; xdotool mouseup 1; sleep 0.5; }
click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.4; }
cd "$(dirname "$program")" && "$program" & sleep 8; shot 1-start-menu
click 750 371                      # "Leeg bord"
drag 30 573 400 300                # Toggle
drag 30 246 700 300                # Lamp
click 485 327; click 600 400; click 727 327   # wire with one bend
drag 30 709 708 309                # probe onto the lamp input
shot 2-board
xdotool key alt+m; sleep 0.4; xdotool key a; sleep 1
xdotool mousemove 427 327; xdotool mousedown 1; sleep 0.3; xdotool mouseup 1; sleep 1.5
shot 3-measuring
kill %1
STORY
echo "screenshots in $out"
