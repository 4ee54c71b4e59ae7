#!/bin/bash
# A ten-runner race typed at the keyboard into the real program on a virtual X
# display, as a punter would: one entry per runner (the reference race, Ctrl+J,
# which calculates, the name, the going), then one cell corrected on the sheet, the race
# archived and opened again. Counts the keys pressed per runner, prints the
# sheet as `orvanto --course` gives it and leaves screenshots in the work folder.
# Usage: scripts/keyboard-race.sh PROGRAM [WORK-FOLDER]
set -euo pipefail
source "$(dirname "$0")/keyboard-common.sh" "$1" "${2:-}" 1366x900x24

# The day's distance, once for the race; the first box's starting text selected.
press Tab Tab Tab Tab Tab
write 2400
press shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
keys=0
# name;distance;weight;minutes;seconds;hundredths;day's weight;going
runners=(
  "Bolide;2100;57;2;38;50;58;bon"
  "Eclair;2400;56;2;31;20;57;souple"
  "Zephyr;2000;58;2;05;80;56;bon"
  "Tonnerre;2200;55;2;19;40;57;bon"
  "Alize;2400;57;2;30;10;55;collant"
  "Orage;1900;56;1;59;60;58;bon"
  "Quick Star;2100;59;2;11;90;59;souple"
  "Sirocco;2500;54;2;38;00;56;bon"
  "Mistral;2300;57;2;24;70;57;lourd"
  "Vent du Nord;2000;56;2;04;90;54;bon"
)
for r in "${runners[@]}"; do
  IFS=';' read -r name dist weight min sec hund day going <<<"$r"
  write "$dist"; press Tab; write "$weight"; press Tab; write "$min"; press Tab
  write "$sec"; press Tab; write "$hund"; press Tab Tab; write "$day"
  press ctrl+j # calculates, then asks the name and the going
  sleep 0.4; write "$name"; press Return
  # The going is offered as the last runner's: Enter keeps it.
  sleep 0.3; [[ $going == "${last:-}" ]] || write "$going"; press Return
  last=$going
  sleep 0.6
done
echo "keys for ${#runners[@]} runners: $keys ($(echo "scale=1; $keys / ${#runners[@]}" | bc) per runner), clicks: 0"
import -window root "$work/typed.png"
cp "$work/coursedujour.csv" "$work/typed.csv"

# The sheet (Ctrl+Shift+J): the race named, then Bolide's reference time, typed
# 2'38"50 instead of 2'08"50, corrected in its cell.
keys=0
press ctrl+shift+j; sleep 0.5
write "Prix de Vichy"; press Tab Tab; write "Vichy"
press Tab Tab Tab Tab Tab Tab Tab # distance, discipline, going, the history's three: the table
# Bolide last; its reference time, the eleventh column shown.
press ctrl+End Home Right Right Right Right Right Right Right Right Right Right F2 ctrl+a
write "2'08\"50"; press Return
sleep 0.5
import -window root "$work/corrected.png"
echo "keys to name the race and correct one cell: $keys"
cp "$work/coursedujour.csv" "$work/corrected.csv"

# Archived (Ctrl+N), then opened again (Ctrl+O, Enter).
press ctrl+n; sleep 0.5
ls "$work/courses"
press ctrl+o; sleep 0.8
import -window root "$work/archive.png"
press Return; sleep 0.5
cmp "$work/coursedujour.csv" "$work/corrected.csv" && echo "reopened: the sheet as it was"
ls "$work/courses"
"$work/orvanto" --course "$work/coursedujour.csv" | cut -d';' -f1,3,4,6,7
