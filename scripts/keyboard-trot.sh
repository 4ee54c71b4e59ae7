#!/bin/bash
# A six-runner trot race (Vincennes, 2700 m attelé, volté) typed at the keyboard
# into the real program on a virtual X display: the race set in the sheet window,
# each runner typed once in its entry row (Alt+N) with the conditions that
# differ (an autostart, a recul of 25 m, D4, a mounted reference). Prints the
# keys, the sheet with `orvanto --course`, and leaves a screenshot in the work
# folder.
# Usage: scripts/keyboard-trot.sh PROGRAM [WORK-FOLDER]
set -euo pipefail
source "$(dirname "$0")/keyboard-common.sh" "$1" "${2:-}" "${ORVANTO_SCREEN:-1600x900x24}"

# The race, in the sheet window (Ctrl+Shift+J): name, date, hippodrome, distance,
# discipline, start.
press ctrl+shift+j; sleep 0.8
sheet=$(xdotool search --name 'Course du jour' | head -1)
xdotool windowfocus "$sheet"; sleep 0.3
press alt+c; write "Prix de Bretagne"; press Tab Tab; write "Vincennes"; press Tab; write "2700"
press Tab; write "t"; press Tab; write "v"; press Tab
sleep 0.3
# N°;name;distance;time;discipline then when not today's ("m": monté, chosen as
# t and Down, the next trot in the list);start then;shoeing then;shoeing
# today;recul today
runners=(
  "1;Jaguar;2700;32100;;v;f;f;"
  "2;Kalinka;2850;33240;;a;f;f;25"
  "3;Lotus;2700;32050;;v;f;d;"
  "4;Mirage;2175;24320;;a;f;f;25"
  "5;Nectar;2700;32300;m;v;f;f;"
  "6;Oural;2100;23480;;v;d;d;"
)
press alt+n; keys=0
for r in "${runners[@]}"; do
  IFS=';' read -r n name dist time disc st sh dsh dr <<<"$r"
  write "$n"; press Tab; write "$name"; press Tab; write "$dist"; press Tab; write "$time"
  press Tab Tab Tab Tab; [[ -z $disc ]] || { write t; press Down; }; press Tab; write "$st"
  press Tab; write "$sh"; press Tab Tab; write "$dsh"; press Tab; [[ -z $dr ]] || write "$dr"
  press Return; sleep 0.8
done
echo "keys for ${#runners[@]} runners in the entry row: $keys ($(bc <<<"scale=1; $keys / ${#runners[@]}") per runner)"
sleep 0.5
import -window root "$work/trot.png"
"$work/orvanto" --course "$work/coursedujour.csv"
