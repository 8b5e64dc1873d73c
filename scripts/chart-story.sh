#!/usr/bin/env bash
# Plays two measurements with the measurement chart in the real window under Xvfb and
# saves screenshots: a pulse generator counted by a pulse counter, its period read
# with two cursors; a light sensor whose voltage falls as the hand-held lamp (Shift)
# moves away, read with the cursor and with a socket's tool tip.
#   scripts/chart-story.sh OUTFOLDER      (after ./run.sh or scripts/setup.sh built it)
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-/tmp/chart-story}")"
mkdir -p "$out"
program="$(realpath "${VELDTRAK:-build/veldtrak}")"
tool="$(dirname "$program")/veldtrak-tool"
[ -x "$program" ] || { echo "no program at $program: build it first (./run.sh), or set VELDTRAK"; exit 1; }
for t in xvfb-run xdotool import convert python3; do
  command -v "$t" >/dev/null || { echo "needs $t (apt-get install xvfb xdotool imagemagick python3)"; exit 1; }
done
boards="$(mktemp -d)"
# 2 Hz pulses into a counter: probe 1 on the pulses, 2 and 3 on the counter's outputs 1 and 2.
cat > "$boards/puls.json" <<'JSON'
{"title": "Periode van een pulsgenerator", "permissions": 255,
 "components": [
  {"class": "CPulsGenerator", "x": 300, "y": -300, "name": "Pulsgenerator", "sockets": [1], "param1": 2},
  {"class": "CPulsTeller", "x": 1000, "y": -300, "name": "Pulsteller", "sockets": [4, 5, 6, 7, 8, 9, 10, 11]},
  {"class": "CSonde", "x": 700, "y": -200, "name": "Sonde", "sockets": [20], "param1": 1, "param2": 1},
  {"class": "CSonde", "x": 1700, "y": -400, "name": "Sonde", "sockets": [21], "param1": 8, "param2": 2},
  {"class": "CSonde", "x": 1700, "y": -500, "name": "Sonde", "sockets": [22], "param1": 9, "param2": 3}],
 "wires": [{"from": 1, "to": 4}]}
JSON
# A light sensor at full sensitivity with a probe on its output.
cat > "$boards/licht.json" <<'JSON'
{"title": "Lichtsensor en afstand", "permissions": 255,
 "components": [
  {"class": "CLichtSensor", "x": 400, "y": -400, "name": "Lichtsensor", "sockets": [1, 2], "param1": 100},
  {"class": "CSonde", "x": 800, "y": -300, "name": "Sonde", "sockets": [20], "param1": 2, "param2": 1}]}
JSON
"$tool" import "$boards/puls.json" "$boards/puls.wks" "$boards/licht.json" "$boards/licht.wks"

xvfb-run -a -s "-screen 0 1400x900x24" bash -s "$out" "$program" "$boards" <<'STORY'
out="$1"; program="$2"; boards="$3"
shot() { import -window root "$out/$1.png"; }
stop() { kill "$1"; wait "$1" 2>/dev/null || true; }
window() { xdotool search --sync --onlyvisible --name "Veldtrak" | head -1; }
# x of the first two columns, right of x0 on row y, whose colour is near r,g,b.
columns() {
  import -window root -depth 8 ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
parts = data.split(maxsplit=4)
w, h = int(parts[1]), int(parts[2]); pixels = parts[4]
x0, y0, y1, r, g, b = map(int, sys.argv[1:7])
found = []
for x in range(x0, w):
    for y in range(y0, y1):
        i = 3 * (y * w + x)
        if abs(pixels[i] - r) < 40 and abs(pixels[i + 1] - g) < 40 and abs(pixels[i + 2] - b) < 40:
            if not found or x - found[-1] > 6:
                found.append(x)
            break
    if len(found) == 3: break
print(" ".join(map(str, found)))' "$@"
}
cd "$(dirname "$program")"

# 1. The period of a pulse generator, read with two cursors.
"$program" "$boards/puls.wks" & pid=$!; sleep 8
xdotool windowsize "$(window)" 1400 880; xdotool windowmove "$(window)" 0 0; sleep 1
xdotool mousemove 1000 700 click 1; sleep 0.5                  # the keys go to the window
xdotool key alt+e; sleep 0.4; xdotool key m; sleep 1          # Beeld, Meetgrafiek
xdotool key alt+m; sleep 0.4; xdotool key a; sleep 6          # Meting, Start
shot pulsen-meten
xdotool key alt+m; sleep 0.4; xdotool key o; sleep 1          # Meting, Stop
shot pulsen-gestopt
echo "$(columns 700 150 250 214 0 0)" > "$out/.pulses"
read -r a b rest < "$out/.pulses" || true
if [ -n "${a:-}" ] && [ -n "${b:-}" ]; then
  xdotool mousemove "$a" 300; sleep 0.3; xdotool click 1; sleep 0.3
  xdotool mousemove "$b" 300; sleep 0.3; xdotool click 1; sleep 0.3
  xdotool mousemove "$(( (a + b) / 2 ))" 300; sleep 0.5
fi
shot pulsen-periode-cursors
stop $pid

# 2. A light sensor's voltage as the hand-held lamp moves away, the tool tip on its output.
"$program" "$boards/licht.wks" & pid=$!; sleep 8
xdotool windowsize "$(window)" 1400 880; xdotool windowmove "$(window)" 0 0; sleep 1
xdotool mousemove 1000 700 click 1; sleep 0.5                  # the keys go to the window
xdotool key alt+e; sleep 0.4; xdotool key m; sleep 1
xdotool key alt+m; sleep 0.4; xdotool key a; sleep 1
# The lamp's light, held with Shift, from the sensing socket outwards, then resting
# on the sensor's output socket (its tool tip shows the level there).
xdotool mousemove 308 208; sleep 0.3
xdotool keydown shift; sleep 1
for step in $(seq 0 30); do xdotool mousemove "$(( 308 + step * 2 ))" "$(( 208 + step * 4 ))"; sleep 0.1; done
for step in $(seq 0 20); do xdotool mousemove "$(( 368 + step ))" "$(( 328 - step * 6 ))"; sleep 0.1; done
xdotool mousemove 376 208; sleep 2.5
shot licht-tooltip-tijdens-meting
xdotool keyup shift; sleep 0.5
xdotool key alt+m; sleep 0.4; xdotool key o; sleep 1          # Meting, Stop
xdotool mousemove 1085 80 click 1; sleep 0.5                   # "Alles tonen"
xdotool mousemove 1000 400; sleep 0.5
shot licht-cursor
stop $pid
STORY
echo "screenshots in $out"
