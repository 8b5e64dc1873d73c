#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the desktop entries and the MIME
# types, and starts the installed program on a shipped worksheet: offscreen (it must
# keep running without an error) and under Xvfb (its window must show the board).
#   install-and-start.sh BUILDDIR       (VT_SCREENSHOTS=folder keeps a screenshot)
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop-file-validate "$prefix/share/applications/veldtrak.desktop" \
  "$prefix/share/applications/veldtrak-docent.desktop"
grep -q '^Exec=veldtrak /docent %f$' "$prefix/share/applications/veldtrak-docent.desktop"
update-mime-database "$prefix/share/mime" 2>/dev/null
for type in x-veldtrak-worksheet x-veldtrak-answer-sheet; do
  [ -f "$prefix/share/mime/application/$type.xml" ] || { echo "MIME type $type missing"; exit 1; }
  for size in 16 32 48 256; do
    [ -s "$prefix/share/icons/hicolor/${size}x$size/mimetypes/application-$type.png" ] ||
      { echo "icon $size of $type missing"; exit 1; }
  done
done
zcat "$prefix/share/man/man1/veldtrak-tool.1.gz" | grep 'veldtrak-tool import' >/dev/null

# As a file manager sees it: a worksheet is of our type and opens with the pupils' entry.
update-desktop-database "$prefix/share/applications"
export PATH="$prefix/bin:$PATH" XDG_DATA_DIRS="$prefix/share:/usr/share"
for ext in wks ant; do
  cp "$prefix/share/veldtrak/praktisch/auto_licht.wks" "$prefix/bord.$ext"
done
gio info -a standard::content-type "$prefix/bord.wks" | grep 'application/x-veldtrak-worksheet' >/dev/null
gio info -a standard::content-type "$prefix/bord.ant" | grep 'application/x-veldtrak-answer-sheet' >/dev/null
gio mime application/x-veldtrak-worksheet | grep 'Default application .*: veldtrak.desktop' >/dev/null
gio mime application/x-veldtrak-answer-sheet | grep 'Default application .*: veldtrak.desktop' >/dev/null

worksheet="$prefix/share/veldtrak/praktisch/auto_licht.wks"
[ -f "$worksheet" ] || { echo "shipped worksheet not installed"; exit 1; }
"$prefix/bin/veldtrak-tool" info "$worksheet" | grep '^bord: titel=' >/dev/null
export HOME="$prefix/home"
mkdir -p "$HOME"

# Offscreen: still running after the start-up sequence, nothing reported.
status=0
QT_QPA_PLATFORM=offscreen timeout 8 "$prefix/bin/veldtrak" "$worksheet" 2>"$prefix/err" || status=$?
[ "$status" -eq 124 ] || { echo "installed program ended with $status"; cat "$prefix/err"; exit 1; }
! grep -q 'Foutmelding' "$prefix/err"

# An ordinary user may not write in the installed folder: the program works in a folder
# of the user's own, filled from the installed one at the first start.
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$prefix"
  pupil="$prefix/pupil"
  mkdir -p "$pupil" && chown 65534:65534 "$pupil"
  status=0
  setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$pupil" QT_QPA_PLATFORM=offscreen \
    timeout 8 "$prefix/bin/veldtrak" "$worksheet" >/dev/null 2>&1 || status=$?
  [ "$status" -eq 124 ] || { echo "installed program ended with $status for an ordinary user"; exit 1; }
  for f in praktisch/auto_licht.wks praktisch/auto_licht.ant help/Veldtrak400.htm bmp/auto.bmp zoemer.wav; do
    [ -f "$pupil/.local/share/veldtrak/$f" ] || { echo "per-user program folder lacks $f"; exit 1; }
  done
fi

# A double click in a file manager runs the entry's command line on the file; the
# program's window title names the worksheet once it has opened it.
exec_line="$(sed -n 's/^Exec=//p' "$prefix/share/applications/veldtrak.desktop")"
command="${exec_line//%f/\"$worksheet\"}"
xvfb-run -a -s "-screen 0 1280x900x24" bash -s "$command" "$prefix/program.log" <<'RUN'
unset QT_QPA_PLATFORM # a real window on the X server
eval "exec $1" >"$2" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT
for _ in $(seq 120); do
  if xdotool search --name '^auto_licht\.wks - Veldtrak Tanvo$' >/dev/null 2>&1; then
    sleep 1
    if [ -n "${VT_SCREENSHOTS:-}" ]; then
      mkdir -p "$VT_SCREENSHOTS" && import -window root "$VT_SCREENSHOTS/installed-auto_licht.png"
    fi
    exit 0
  fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
echo "the installed program did not show the worksheet; its windows:"
for w in $(xdotool search --name . 2>/dev/null); do xdotool getwindowname "$w"; done
cat "$2"
exit 1
RUN
