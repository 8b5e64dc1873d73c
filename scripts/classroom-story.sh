#!/usr/bin/env bash
# A teacher prepares a worksheet and its answer sheet, a pupil works through them, in
# the real window under Xvfb, with screenshots:
#   teacher (veldtrak /docent, the teacher-mode password): empty board -> toggle, lamp, wire -> "Stel beveiliging
#   in" (no password yet) -> password, no adding of components, title, next board
#   les1.ant behind a password -> saved into the pupils' folder through the ordinary
#   save dialog (unlocked, the teacher saves where the teacher wants) -> protection
#   again with "Extra" and the settings -> the answer sheet les1.ant beside it
#   pupil (veldtrak leerling/les1.wks): a refused move -> scroll -> "Open volgend bord"
#   with the password -> the answer sheet at the same place -> back -> Save As.
#   scripts/classroom-story.sh OUTFOLDER    (after ./run.sh or scripts/setup.sh built it;
#   VELDTRAK=path/to/veldtrak picks another build)
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-/tmp/classroom-story}")"
mkdir -p "$out"
program="$(realpath "${VELDTRAK:-build/veldtrak}")"
[ -x "$program" ] || { echo "no program at $program: build it first (./run.sh), or set VELDTRAK"; exit 1; }
for tool in xvfb-run xdotool import; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool imagemagick)"; exit 1; }
done
# A program folder of its own, so the story's settings and boards stay out of the build.
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
cp "$program" "$folder/veldtrak"
cp "$(dirname "$program")/veldtrak-tool" "$folder/"
printf 'natuurkunde\n' | "$folder/veldtrak-tool" docentwachtwoord >/dev/null  # the teacher-mode password
cp -r data/* "$folder/" && rm -f "$folder/CMakeLists.txt"

xvfb-run -a -s "-screen 0 1280x900x24" bash -s "$out" "$folder" "$PWD/scripts/story-hands.sh" <<'STORY'
out="$1"
hands="$3"
folder="$2"
cd "$folder"
. "$hands"
bar() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool mousedown 1; sleep 0.2
        xdotool mousemove "$3" "$4"; sleep 0.3; xdotool mouseup 1; sleep 0.3; }
lock=206; previous=238; next=263   # toolbar buttons (x at y 34)

# The teacher
./veldtrak /docent & sleep 4
shot t0-teacher-password; t natuurkunde; k Return; sleep 5
click 750 371                      # "Leeg bord"
drag 30 573 400 300; drag 30 246 700 300
click 485 327; click 600 400; click 727 327
click $lock 34; sleep 0.5          # no teacher password yet: straight to the dialog
t juf; k Tab; t juf; k Tab; t "Les 1: lamp aan"; k Tab Tab Tab Tab; t les1.ant; k Tab Tab; t antw
k Tab Tab Tab space                # "componenten toevoegen" off
shot t1-protection
k Return; sleep 0.5
click 900 700; k ctrl+s; sleep 0.8; t leerling/les1; sleep 0.3; shot t2-save-dialog
k Return; sleep 0.8
click $lock 34; sleep 0.5          # unlocked: no password asked
k Tab Tab ctrl+a; t "Les 1: antwoord"; k Tab; t les1.wks; k Tab Tab Tab ctrl+a Delete Tab Tab ctrl+a Delete
click 379 617; sleep 0.5           # "Extra": the settings
click 690 371; t ant; k Return; click 823 371; sleep 0.4; shot t3-settings; k Escape
click 880 455; sleep 0.8; shot t4-protection-restored
click 794 617; sleep 0.5
drag 30 274 600 500                # an LED on the answer sheet
click 900 750; k alt+b; sleep 0.3; k a Return; sleep 0.8; k ctrl+a; t les1.ant; k Return; sleep 0.8
click 900 750; k alt+F4; sleep 1.5

# The pupil
./veldtrak leerling/les1.wks & sleep 8
xdotool mousemove 455 342; sleep 0.3; xdotool mousedown 1; sleep 0.8; shot p1-refused; xdotool mouseup 1
k Return; sleep 0.3
bar 1272 120 1272 135              # scroll a little
click $next 34; sleep 0.5; shot p2-password
t antw; k Return; sleep 1; shot p3-answer-sheet
click $previous 34; sleep 1; shot p4-back
click 900 750; k alt+b; sleep 0.3; k a Return; sleep 0.8
k ctrl+a; t 'map\mijn werk'; k Return; sleep 0.8; shot p5-name-with-folder-asked-again
k ctrl+a; t 'mijn werk'; k Return; sleep 0.8
ls -l leerling > "$out/leerling.txt"
kill %2
STORY
echo "screenshots in $out"
