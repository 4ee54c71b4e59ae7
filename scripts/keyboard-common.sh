# Sourced by the keyboard-*.sh scripts: the program copied into a work folder of
# its own (its list and sheet live beside it), started on a virtual X display
# without a window manager, the main window given the keyboard; press and write
# send keys and count them (a chord counts each key).
# Usage: source scripts/keyboard-common.sh PROGRAM WORK-FOLDER SCREEN-SIZE
program=$(realpath "$1")
work=${2:-$(mktemp -d)}
mkdir -p "$work"
# A copy still running from an earlier script keeps its file busy: replace it.
rm -f "$work/orvanto"
cp "$program" "$work/orvanto"
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 "$3" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
"$work/orvanto" >/dev/null 2>&1 &
app=$!
sleep 2
# No window manager here: the keyboard goes to the window given the focus.
main=$(xdotool search --name 'Calcul Chrono' | head -1)
xdotool windowfocus "$main"
sleep 0.3

keys=0
press() { xdotool key --delay 40 "$@"; for k in "$@"; do keys=$((keys + $(tr -cd + <<<"$k" | wc -c) + 1)); done; sleep 0.15; }
write() { xdotool type --delay 30 "$1"; keys=$((keys + ${#1})); sleep 0.1; }
