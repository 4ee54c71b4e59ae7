#!/bin/bash
# A race day typed at the keyboard in the sheet's entry row (Alt+N), into the
# real program on a virtual X display: a 12-runner flat handicap at Longchamp,
# each runner's reference with its date and hippodrome, then its arrival; a
# second race a week later from the same horses, known to the history (name's
# first letters, N°, today's weight); then a 10-runner trot at Vincennes with
# reculs and déferrés. Prints the keys per runner, each sheet with
# `orvanto --course`, and leaves screenshots in the work folder.
# Usage: scripts/keyboard-entry.sh PROGRAM [WORK-FOLDER]
set -euo pipefail
source "$(dirname "$0")/keyboard-common.sh" "$1" "${2:-}" "${ORVANTO_SCREEN:-1600x900x24}"

course() { "$work/orvanto" --course "$work/coursedujour.csv"; }
race() { # NAME DATE HIPPODROME DISTANCE DISCIPLINE-LETTER [START-LETTER]
  press alt+c; write "$1"; press Tab; write "$2"; press Tab; write "$3"; press Tab; write "$4"
  press Tab; write "$5"; press Tab
  [[ -z ${6:-} ]] || { write "$6"; press Tab; }
  sleep 0.5
}
per() { echo "$1: $2 keys for $3 runners, $(bc <<<"scale=1; $2 / $3") a runner"; }

press ctrl+shift+j; sleep 0.8
sheet=$(xdotool search --name 'Course du jour' | head -1)
xdotool windowfocus "$sheet"; sleep 0.3
race "Grand Handicap" "09/12/2026" "Longchamp" 2400 p

# N°;name;reference distance;time (five figures);weight then;date;hippodrome
# as typed (its first letters once known);today's weight
flat=(
  "1;Altair;2400;22950;58;15/11;Longchamp;60"
  "2;Bellini;2200;21460;56;8/11;Saint-Cloud;58"
  "3;Corsaire;2400;23080;57;15/11;Lon;57"
  "4;Dakota;2500;24050;55;1/11;Chantilly;56"
  "5;Epsilon;2400;22990;59;15/11;Lon;59"
  "6;Fandango;2300;22220;54;22/11;Sai;55"
  "7;Galopin;2400;23150;56;15/11;Lon;56"
  "8;Hermes;2600;25320;57;1/11;Cha;58"
  "9;Iroise;2400;23000;55;8/11;Lon;54"
  "10;Jasmin;2200;21300;58;22/11;Sai;57"
  "11;Kazan;2400;23210;53;15/11;Lon;53"
  "12;Lutin;2500;24180;56;1/11;Cha;55"
)
press alt+n; keys=0
for r in "${flat[@]}"; do
  IFS=';' read -r n name dist time w date hip dw <<<"$r"
  write "$n"; press Tab; write "$name"; press Tab; write "$dist"; press Tab; write "$time"
  press Tab; write "$w"; press Tab Tab; write "$date"; press Tab; write "$hip"; press Tab Tab
  write "$dw"; press Return; sleep 0.6
done
per "flat, typed with date and hippodrome" "$keys" "${#flat[@]}"
course
import -window root "$work/plat.png"

# The arrival: the winner's time, then place and margin for each runner by N°.
# N° 1 to 12: place;margin (on the horse placed just before; none for the winner)
arrival=("3;1/2" "5;1" "1" "7;2" "2;nez" "9;3/4" "4;1" "8;2" "11;1 1/2" "6;3" "12;1" "10;5")
keys=0
press ctrl+r; sleep 0.8; write "2'28\"40"; press Tab
for p in "${arrival[@]}"; do
  IFS=';' read -r place margin <<<"$p;"
  write "$place"; press Tab; [[ -z $margin ]] || write "$margin"; press Tab
done
press alt+e; sleep 0.8
import -window root "$work/arrivee.png"
press Return; sleep 0.5
xdotool windowfocus "$sheet"; sleep 0.3 # no window manager: the keyboard back to the sheet
echo "arrival: $keys keys, the message left in arrivee.png"

# A week later, the same horses from the history.
press ctrl+n; sleep 0.6
race "Prix de la Semaine" "16/12/2026" "Longchamp" 2400 p
press alt+n; keys=0
second=("1;Al;58" "2;Be;57" "3;Co;59" "4;Da;56" "5;Ep;57" "6;Fa;55" "7;Ga;56" "8;He;57")
for r in "${second[@]}"; do
  IFS=';' read -r n start dw <<<"$r"
  write "$n"; press Tab; write "$start"; press Tab; write "$dw"; press Return; sleep 0.8
done
per "second race, known horses" "$keys" "${#second[@]}"
course
import -window root "$work/plat-2.png"

# The trot: N°;name;distance;time;start then;shoeing then;shoeing today;recul today
press ctrl+n; sleep 0.6
race "Prix de Bretagne" "16/12/2026" "Vincennes" 2700 t v
trot=(
  "1;Jaguar;2700;32100;v;f;f;"
  "2;Kalinka;2850;33240;a;f;f;25"
  "3;Lotus;2700;32050;v;f;d;"
  "4;Mirage;2175;24320;a;f;f;25"
  "5;Nectar;2700;32300;v;d;d;"
  "6;Oural;2100;23480;v;f;d;"
  "7;Pegase;2700;32190;v;f;f;25"
  "8;Quasar;2850;33500;a;d;d;25"
  "9;Rubis;2700;32240;v;f;d;"
  "10;Sirius;2700;32080;v;d;f;"
)
press alt+n; keys=0
for r in "${trot[@]}"; do
  IFS=';' read -r n name dist time st sh dsh dr <<<"$r"
  write "$n"; press Tab; write "$name"; press Tab; write "$dist"; press Tab; write "$time"
  press Tab Tab Tab Tab Tab; write "$st"; press Tab; write "$sh"; press Tab Tab; write "$dsh"
  press Tab; [[ -z $dr ]] || write "$dr"; press Return; sleep 0.8
done
per "trot, with its conditions" "$keys" "${#trot[@]}"
course
import -window root "$work/trot.png"
