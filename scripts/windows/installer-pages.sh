#!/usr/bin/env bash
# Pictures of each page of the installer, for the guide: the installer run under
# Wine on a virtual X display, in a Wine prefix of its own, each page captured
# then passed with Enter (the options page's shortcut ticked first).
# Usage: scripts/windows/installer-pages.sh SETUP.EXE FOLDER
set -euo pipefail
setup=$(realpath "$1")
folder=$(realpath "$2")
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/orvanto-pages.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=:$((80 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
export DISPLAY=$display
wineboot -i >/dev/null 2>&1
wine "$setup" >/dev/null 2>&1 &
# The installer's window, once it shows.
window=
for _ in $(seq 60); do
    window=$(xdotool search --name 'Installation de Orvanto|Orvanto' 2>/dev/null | tail -n 1 || true)
    [ -n "$window" ] && break
    sleep 1
done
[ -n "$window" ] || { echo "the installer's window did not show"; exit 1; }
shoot() {
    sleep 2
    timeout 20 import -window "$window" "$folder/installateur-$1.png"
    echo "installateur-$1.png"
}
shoot 1                               # welcome
xdotool key --window "$window" Return
shoot 2                               # options: PATH, desktop shortcut
xdotool key --window "$window" Return
shoot 3                               # the folder
xdotool key --window "$window" Return
shoot 4                               # the Start-menu folder
xdotool key --window "$window" Return # install: the finish page follows by itself
sleep 8
shoot 5                               # finished
xdotool key --window "$window" Return
wineserver -w
