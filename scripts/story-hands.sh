# The user's hands in the story scripts, sourced inside their Xvfb session: a screenshot
# into "$out", keys, typing, clicks and drags through xdotool.
shot() { import -window root "$out/$1.png"; }
k() { xdotool key --delay 80 "$@"; }
t() { xdotool type --delay 60 "$1"; }
click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.5; }
drag() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool mousedown 1; sleep 0.3
         xdotool mousemove "$3" "$4"; sleep 0.3; xdotool mousemove "$(( $3 + 20 ))" "$(( $4 + 20 ))"
         sleep 0.3; xdotool mouseup 1; sleep 0.5; }
