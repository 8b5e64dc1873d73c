#!/usr/bin/env bash
# The installed program keeps the teacher's side from pupils: no installed file holds an
# answer sheet's password; a pupil's "veldtrak /docent" starts the pupils' program, even
# with a password file of the pupil's own in the per-user program folder; a pupil cannot
# set the teacher-mode password; veldtrak-tool shows a black box only as "blackbox".
#   teacher-gate.sh SOURCEDIR BUILDDIR       (VT_SCREENSHOTS=folder keeps screenshots)
set -euo pipefail
source_dir="$1"
build="$2"
prefix="$(mktemp -d)"
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
chmod 755 "$prefix"

# Every link password of the shipped worksheets, looked for in every installed file.
passwords="$(grep -rhoE '"(prev|next)Password": "[^"]+"' "$source_dir/data" | sed -E 's/.*: "(.*)"$/\1/' | sort -u)"
[ "$(wc -l <<<"$passwords")" -ge 20 ] || { echo "the shipped worksheets' passwords were not found"; exit 1; }
while read -r password; do
  if found="$(grep -rlF -- "$password" "$prefix")"; then
    echo "an installed file holds the answer password '$password':"; echo "$found"; exit 1
  fi
done <<<"$passwords"

# The pupil: an ordinary user with a home of their own (root tests as user nobody).
pupil="$prefix/pupil"
mkdir -p "$pupil"
as_pupil=(env HOME="$pupil")
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$pupil"
  as_pupil=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$pupil")
fi
system_file=/etc/veldtrak/docent.wachtwoord

# The pupil cannot set the teacher-mode password of the installed program.
status=0
printf 'leerling123\n' | "${as_pupil[@]}" "$prefix/bin/veldtrak-tool" docentwachtwoord >"$prefix/out" 2>&1 || status=$?
[ "$status" -eq 1 ] || { echo "a pupil's docentwachtwoord ended with $status"; cat "$prefix/out"; exit 1; }
grep -q "Geen toestemming om $system_file te schrijven" "$prefix/out" || { cat "$prefix/out"; exit 1; }
[ -z "$(find "$pupil" -name docent.wachtwoord)" ] || { echo "a password file landed in the pupil's folder"; exit 1; }

# veldtrak-tool tells the pupil nothing about the black box, with or without a guess.
worksheet="$prefix/share/veldtrak/blackbox/blackbox1.wks"
"${as_pupil[@]}" "$prefix/bin/veldtrak-tool" info "$worksheet" >"$prefix/out"
grep -q '^component 2: blackbox "?"' "$prefix/out" || { cat "$prefix/out"; exit 1; }
! grep -q 'XOF' "$prefix/out"
status=0
printf 'leerling123\n' | "${as_pupil[@]}" "$prefix/bin/veldtrak-tool" info --docent "$worksheet" >"$prefix/out" 2>&1 || status=$?
[ "$status" -ne 0 ] && ! grep -q 'XOF' "$prefix/out" || { echo "a guessed password showed the black box"; exit 1; }

# A password file of the pupil's own, made by a portable copy of the tool, put in the
# pupil's per-user program folder: the installed program does not read it.
# (Not beside share/: a tool there would count as installed and write the system file.)
portable="$prefix/portable/bin"
mkdir -p "$portable"
cp "$build/veldtrak-tool" "$portable/"
printf 'leerling123\n' | "$portable/veldtrak-tool" docentwachtwoord >/dev/null
mkdir -p "$pupil/.local/share/veldtrak"
cp "$portable/docent.wachtwoord" "$pupil/.local/share/veldtrak/"
chmod -R a+rX "$pupil/.local"
[ "$(id -u)" -ne 0 ] || chown -R 65534:65534 "$pupil/.local"

# The real window: the pupil starts the teacher's menu entry and types the password.
exec 3< <(Xvfb -displayfd 4 -screen 0 1280x900x24 -ac -nolisten tcp 4>&1 2>/dev/null)
xvfb_pid=$!
read -r -t 20 display <&3 || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$display"
unset QT_QPA_PLATFORM
"${as_pupil[@]}" DISPLAY="$DISPLAY" "$prefix/bin/veldtrak" /docent >"$prefix/program.log" 2>&1 &
program=$!
shots="${VT_SCREENSHOTS:-}"
[ -z "$shots" ] || mkdir -p "$shots"
window() { xdotool search --name "$1" 2>/dev/null | head -1 || true; }
for _ in $(seq 60); do [ -n "$(window '^Docentmodus$')" ] && break; sleep 0.5; done
[ -n "$(window '^Docentmodus$')" ] || { echo "no question before the window"; cat "$prefix/program.log"; exit 1; }
sleep 1
[ -z "$shots" ] || import -window root "$shots/installed-pupil-docent-asked.png"
xdotool windowfocus --sync "$(window '^Docentmodus$')" 2>/dev/null || true
xdotool type --delay 50 leerling123
for _ in $(seq 6); do   # every box the pupil meets is closed with Enter
  id="$(window '^Docentmodus$')"
  [ -n "$id" ] || break
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  xdotool key Return 2>/dev/null || true; sleep 1
done
title=""
for _ in $(seq 60); do
  id="$(window ' - Veldtrak Tanvo')"
  if [ -n "$id" ]; then title="$(xdotool getwindowname "$id")"; break; fi
  sleep 0.5
done
sleep 2
# No window manager draws a title bar: the window's title is written above the picture.
[ -z "$shots" ] || { import -window root "$prefix/shot.png"
  convert "$prefix/shot.png" -gravity north -background '#ffffc0' -splice 0x28 -font DejaVu-Sans \
    -pointsize 18 -annotate +0+4 "venstertitel: $title" "$shots/installed-pupil-docent-refused.png"; }
kill "$program" 2>/dev/null || true
[ -n "$title" ] || { echo "the program did not open its window"; cat "$prefix/program.log"; exit 1; }
case "$title" in
  *"(docent)"*) echo "the pupil got teacher mode: $title"; exit 1 ;;
esac
echo "the pupil's window: $title"
