#!/usr/bin/env bash
# Dependencies run one way: ui -> logic -> imports -> calc, list, race, history
# -> files, csv. The import readers turn saved files into races, runners and
# runs: they stand on the race and the history, below the windows' decisions.
# calc, list, race and history stand side by side, but for the race value and
# its calculation, which a runner of the race sheet holds (race -> calc), and a
# run's start and shoeing, which the history keeps as the calculation's values
# (history -> calc); files and csv, where every file is placed and written and
# every table quoted, depend on nothing. Fails when a file includes a header
# from a folder it may not depend on, or when a library below ui links a GUI
# module of Qt.
# Usage: scripts/check-layering.sh [project folder]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

declare -A allowed=(
    [files]="files"
    [csv]="csv"
    [calc]="calc csv"
    [list]="list files csv"
    [race]="race calc csv"
    [history]="history calc files csv"
    [imports]="imports race calc history files csv"
    [logic]="logic imports calc list race history files csv"
    [ui]="ui logic imports calc list race history files csv"
)

# Which folder holds each project header.
declare -A home=()
for folder in "${!allowed[@]}"; do
    for header in $(find "$folder" -name '*.h' -printf '%f\n'); do
        home[$header]=$folder
    done
done

status=0
for folder in "${!allowed[@]}"; do
    while IFS=: read -r file _ header; do
        header=${header#*\"}
        header=${header%\"*}
        owner=${home[$header]:-}
        [ -z "$owner" ] && continue
        if [[ " ${allowed[$folder]} " != *" $owner "* ]]; then
            echo "$file includes $header from $owner/, which $folder/ may not depend on"
            status=1
        fi
    done < <(grep -rn '^#include "' "$folder" --include='*.h' --include='*.cpp' || true)
done

for folder in files csv calc list race history imports logic; do
    if grep -nE 'Qt6?::(Gui|Widgets)' "$folder/CMakeLists.txt"; then
        echo "$folder/ links a GUI module of Qt; it must build with QtCore only"
        status=1
    fi
done

[ $status -eq 0 ] && echo "layering: ui -> logic -> imports -> calc, list, race, history -> files, csv holds"
exit $status
