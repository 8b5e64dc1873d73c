#!/usr/bin/env bash
# The teacher's files on an installed program, in the real window under Xvfb, with
# screenshots: the teacher (here the administrator, so the installed program folder is
# the teacher's) starts "veldtrak /docent", puts a toggle and a lamp on an empty board,
# unlocks it, places a PNG from elsewhere (copied into bmp\ after the question), saves
# the lesson into the category folder "invoer en uitvoer" through the ordinary save
# dialog and opens the print preview; veldtrak-tool prints the lesson to a PDF. Then a
# pupil on another account (user nobody, another HOME, so a program folder of its own
# filled from the installed one) opens the lesson and sees the picture.
#   scripts/teacher-files-story.sh OUTFOLDER     (as root, after scripts/setup.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-/tmp/teacher-files-story}")"
mkdir -p "$out"
[ "$(id -u)" -eq 0 ] || { echo "run as root: the pupil is another user"; exit 1; }
for tool in xvfb-run xdotool import convert setpriv pdftoppm; do
  command -v "$tool" >/dev/null || { echo "needs $tool"; exit 1; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cmake --install build --prefix "$work/inst" >/dev/null
# The teacher's own picture of the circuit, somewhere outside the program.
convert -size 300x200 xc:'#fdf6e3' -stroke black -strokewidth 3 -fill none \
  -draw "rectangle 40,50 260,160" -fill '#ffd700' -draw "circle 150,50 150,25" -fill none \
  -draw "line 132,32 168,68" -draw "line 168,32 132,68" -fill '#d22' -stroke '#d22' \
  -draw "circle 60,160 60,150" -fill black -stroke black -draw "line 230,150 255,135" \
  "$work/schakeling.png"

xvfb-run -a -s "-screen 0 1280x900x24 -ac" bash -s "$out" "$work" "$PWD/scripts/story-hands.sh" <<'STORY'
out="$1"
hands="$3"
work="$2"
prefix="$work/inst"
. "$hands"
picture=238; lock=263   # toolbar buttons (x at y 34)

# The teacher
export HOME="$work/teacher"
mkdir -p "$HOME" && cd "$HOME"
"$prefix/bin/veldtrak" /docent & sleep 8
click 750 371                      # "Leeg bord"
drag 30 573 400 300; drag 30 246 700 300
click 485 327; click 600 400; click 727 327
click $lock 34; sleep 0.8          # no teacher password yet: straight to the dialog
k Tab Tab; t "Les: lamp en schakelaar"; sleep 0.3; k Return; sleep 0.8
click $picture 34; sleep 1.2       # the file dialog opens in bmp\
t "$work/schakeling.png"; sleep 0.3; shot t1-picture-file-dialog
k Return; sleep 1; shot t2-copy-question
k alt+j; sleep 1
drag 300 150 880 520; click 1000 800; shot t3-picture-placed
k ctrl+s; sleep 1.2; t "invoer en uitvoer/lamp-les"; sleep 0.3; shot t4-teacher-save-dialog
k Return; sleep 1
click 34 8; sleep 0.6; k v; sleep 3; shot t5-print-preview
k alt+F4; sleep 1; click 1000 800; k alt+F4; sleep 2
kill %1 2>/dev/null
"$prefix/bin/veldtrak-tool" pdf "$prefix/share/veldtrak/invoer en uitvoer/lamp-les.wks" "$out/lamp-les.pdf"
pdftoppm -r 60 -png -singlefile "$out/lamp-les.pdf" "$out/t6-printed-page"

# The pupil: another user, another HOME
pupil="$work/pupil"
mkdir -p "$pupil" && chown 65534:65534 "$pupil" && cd "$pupil"
setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$pupil" DISPLAY="$DISPLAY" \
  "$prefix/bin/veldtrak" "$pupil/.local/share/veldtrak/invoer en uitvoer/lamp-les.wks" & sleep 9
shot p1-pupil-sees-the-picture
ls -l "$pupil/.local/share/veldtrak/bmp" > "$out/pupil-bmp-folder.txt"
kill %1 2>/dev/null; sleep 1
STORY
echo "screenshots in $out"
