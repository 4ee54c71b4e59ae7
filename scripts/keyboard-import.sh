#!/bin/bash
# Imports from outside, at the keyboard: a fresh program, its sheet window, then
# "Importer…" (Ctrl+I) and the five example files of a meeting (docs/exemples:
# programme, the runners of R1C4 and of R1C1 already run, the performances, a
# CSV of past runs) typed into the file dialog. Leaves screenshots of the summary
# and of the sheet (the musique and alerts beside each name) in the work folder, then
# prints the sheet (--course) and one horse's runs (--cheval).
# Usage: scripts/keyboard-import.sh PROGRAM [WORK-FOLDER]
# (QT_SCALE_FACTOR=2 ORVANTO_SCREEN=3200x1800x24 for the pictures at 2×)
set -euo pipefail
here=$(dirname "$0")
examples=$(realpath "$here/../docs/exemples")
work=${2:-$(mktemp -d)}
rm -f "$work"/coursedujour.csv "$work"/historique.sqlite*
source "$here/keyboard-common.sh" "$1" "$work" "${ORVANTO_SCREEN:-1600x900x24}"

press ctrl+shift+j; sleep 0.8
sheet=$(xdotool search --name '^Course du jour' | head -1)
xdotool windowfocus "$sheet"; sleep 0.3
press ctrl+i; sleep 1
# The file dialog: the folder first, then the five files at once.
write "$examples/"; press Return; sleep 0.5
write '"programme-2026-12-08.json" "partants-R1C4.json" "performances-R1C4.json" "partants-R1C1.json" "courses-passees.csv"'
press Return; sleep 1.5
import -window root "$work/import-summary.png"
press Return; sleep 0.5
# The sheet as the import left it: musique and alerts beside each name.
sleep 0.5
import -window "$sheet" "$work/import-course.png"
echo "keys typed: $keys"
"$work/orvanto" --course "$work/coursedujour.csv" | cut -d';' -f1-3,11,25-26,29-33
"$work/orvanto" --cheval "CORAIL"
