#!/bin/bash
# The horses' history from outside, at the keyboard: the six-runner trot race of
# keyboard-trot.sh, then its arrival typed (Ctrl+R), then a new race a week later
# (Ctrl+N) where three of the same horses are typed with references of their
# own, without a date: each is fed from its comparable run, the arrival. Prints
# the arrival's runs of one horse (--cheval) and the second sheet (--course), and
# leaves screenshots in the work folder.
# Usage: scripts/keyboard-history.sh PROGRAM [WORK-FOLDER]
# (QT_SCALE_FACTOR=2 ORVANTO_SCREEN=3200x1800x24 for the pictures at 2×)
set -euo pipefail
here=$(dirname "$0")
work=${2:-$(mktemp -d)}
"$here/keyboard-trot.sh" "$1" "$work" >/dev/null
source "$here/keyboard-common.sh" "$1" "$work" "${ORVANTO_SCREEN:-1600x900x24}"

# The arrival: winner's time, then place and margin of each runner, in the
# order they were added (Jaguar, Kalinka, Lotus, Mirage, Nectar, Oural).
press ctrl+shift+j; sleep 0.8
press ctrl+r; sleep 0.8
write "3'14\"80"; press Tab
for entry in "2|1/2" "4|1" "1|" "D|" "3|tête" "0|"; do
  write "${entry%%|*}"; press Tab
  [ -n "${entry#*|}" ] && write "${entry#*|}"
  press Tab
done
press alt+e; sleep 0.8
import -window root "$work/arrival.png"
press Return; sleep 0.5 # the summary
"$work/orvanto" --cheval "LOTUS"

# A new race a week later, same track and distance: Ctrl+N keeps this one.
sheet=$(xdotool search --name '^Course du jour' | head -1)
xdotool windowfocus "$sheet"; sleep 0.3
press ctrl+n; sleep 0.8
press alt+c; write "Prix de Vincennes"
press alt+d; write "15122026"
press alt+h; write "Vincennes"
# The discipline is the last race's (trot attelé); the start is chosen.
press alt+t; press Down Down; press Tab
sleep 0.3
xdotool windowfocus "$main"; sleep 0.3
# Three of the same horses, each with a reference of its own typed without a
# date: not comparable (no date), so the arrival stands for each.
press Tab Tab Tab Tab Tab; write 2700; press shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
for r in "Lotus;2700;3;22;00" "Nectar;2700;3;22;00" "Jaguar;2700;3;22;00"; do
  IFS=';' read -r name dist min sec hund <<<"$r"
  write "$dist"; press Tab Tab; write "$min"; press Tab; write "$sec"; press Tab; write "$hund"
  press ctrl+j
  sleep 0.4; write "$name"; press Return
  sleep 0.3; press Return
  sleep 0.6
done
sleep 0.5
press ctrl+shift+j; sleep 0.8
import -window root "$work/fed.png"
# Lotus's card: the sheet's table, its third row, Ctrl+H.
press Tab Tab Tab Tab Tab Tab Tab Tab Tab; press ctrl+Home Down Down
press ctrl+h; sleep 1
import -window root "$work/card.png"
press Escape; sleep 0.3
"$work/orvanto" --course "$work/coursedujour.csv"
