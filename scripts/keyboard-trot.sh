#!/bin/bash
# A six-runner trot race (Vincennes, 2700 m attelé, volté) typed at the keyboard
# into the real program on a virtual X display: the race set in the sheet window,
# each runner's reference race typed once in the main window (Ctrl+J), then the
# conditions that differ corrected in the sheet's cells (an autostart, a recul of
# 25 m, D4, a mounted reference). Prints the sheet with `orvanto --course` and
# leaves a screenshot in the work folder.
# Usage: scripts/keyboard-trot.sh PROGRAM [WORK-FOLDER]
set -euo pipefail
source "$(dirname "$0")/keyboard-common.sh" "$1" "${2:-}" "${ORVANTO_SCREEN:-1600x900x24}"

# The race, in the sheet window (Ctrl+Shift+J): name, date, hippodrome, distance,
# discipline, start.
press ctrl+shift+j; sleep 0.6
write "Prix de Bretagne"; press Tab Tab; write "Vincennes"; press Tab; write "2700"
press Tab; write "t"; press Tab; write "v"; press Tab
sleep 0.3
xdotool windowfocus "$main"; sleep 0.3
# The day's distance in the main window, once.
press Tab Tab Tab Tab Tab; write 2700; press shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
keys=0
# name;distance;minutes;seconds;hundredths;going
runners=(
  "Jaguar;2700;3;21;00;bon"
  "Kalinka;2850;3;32;40;bon"
  "Lotus;2700;3;20;50;bon"
  "Mirage;2175;2;43;20;collant"
  "Nectar;2700;3;23;00;bon"
  "Oural;2100;2;34;80;bon"
)
last=
for r in "${runners[@]}"; do
  IFS=';' read -r name dist min sec hund going <<<"$r"
  write "$dist"; press Tab Tab; write "$min"; press Tab; write "$sec"; press Tab; write "$hund"
  press ctrl+j
  sleep 0.4; write "$name"; press Return
  sleep 0.3; [[ $going == "$last" ]] || write "$going"; press Return
  last=$going
  sleep 0.6
done
echo "keys for ${#runners[@]} runners in the main window: $keys"

# The conditions that differ, in the sheet's cells. The row of a runner is its
# rank, read from the sheet's file; the column is counted among those shown.
rowOf() { "$work/orvanto" --course "$work/coursedujour.csv" | awk -F';' -v n="$1" '$3 == n { print $1 - 1 }'; }
cell() { # NAME COLUMN: the cell of a runner, current
  local row; row=$(rowOf "$1")
  press ctrl+Home
  for ((i = 0; i < row; i++)); do press Down; done
  for ((i = 0; i < $2; i++)); do press Right; done
}
column() { # NAME COLUMN VALUE (a value chosen from a list: its first letters)
  cell "$1" "$2"; press F2; write "$3"; press Return; sleep 0.5
}
keys=0
press ctrl+shift+j; sleep 0.6
press Tab Tab Tab Tab Tab Tab Tab Tab Tab # to the table
# Visible at the trot: ... 19 discipline réf., 20 départ réf., 21 ferrure réf.,
# 22 recul réf., 23 ferrure, 24 recul.
column Kalinka 20 a; column Kalinka 24 25
column Lotus 23 D4
column Mirage 20 a; column Mirage 24 25
cell Nectar 19; press F2 Down Return; sleep 0.5 # trot attelé, then trot monté
column Oural 21 D4; column Oural 23 D4
echo "keys for the conditions in the sheet: $keys"
sleep 0.5
import -window root "$work/trot.png"
"$work/orvanto" --course "$work/coursedujour.csv"
