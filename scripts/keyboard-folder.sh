#!/bin/bash
# A folder imported from outside, at the keyboard: a fresh program, its sheet
# window, "Importer un dossier…" (Ctrl+Shift+I) and a folder of 120 days of
# files named as saved (programme_DDMMYYYY.json, participants_R1_C1.json,
# performances_R1_C1.json), typed into the folder dialog. The first import is
# stopped with Escape while its progress bar shows, the second runs to its end;
# then "Restaurer une copie de l'historique…" (Ctrl+Shift+R) puts back the copy
# made before the second. Leaves screenshots in the work folder, prints the keys.
# Usage: scripts/keyboard-folder.sh PROGRAM KILLCHECK [WORK-FOLDER]
# (QT_SCALE_FACTOR=2 ORVANTO_SCREEN=3200x1800x24 for the pictures at 2×)
set -euo pipefail
here=$(dirname "$0")
killcheck=$(realpath "$2")
work=${3:-$(mktemp -d)}
rm -rf "$work"/coursedujour.csv "$work"/historique.sqlite* "$work/sauvegardes" "$work/PMU"
shift=0
for season in hiver printemps ete automne; do
    "$killcheck" ecrire "$work/PMU/$season" $shift
    shift=$((shift + 30))
done
source "$here/keyboard-common.sh" "$1" "$work" "${ORVANTO_SCREEN:-1600x900x24}"

press ctrl+shift+j; sleep 0.8
sheet=$(xdotool search --name '^Course du jour' | head -1)
xdotool windowfocus "$sheet"; sleep 0.3
import -window "$sheet" "$work/dossier-feuille.png"
# No window manager: the sheet window is given the keyboard back after a dialog.
again() { xdotool windowfocus "$sheet"; sleep 0.3; }
folder() {
    again
    press ctrl+shift+i; sleep 1
    write "$work/PMU"; press Return; sleep 0.3
}
folder
sleep 0.6
import -window root "$work/dossier-avancement.png"
press Escape; sleep 1
import -window root "$work/dossier-arrete.png"
press Return; sleep 0.5
folder
sleep 4
import -window root "$work/dossier-bilan.png"
press Return; sleep 0.5
again
press ctrl+shift+r; sleep 1
import -window root "$work/dossier-restaurer.png"
press Return; sleep 1
import -window root "$work/dossier-restaure.png"
press Return; sleep 0.5
echo "keys typed: $keys"
ls "$work/sauvegardes" "$work"/historique*
