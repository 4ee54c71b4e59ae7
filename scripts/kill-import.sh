#!/usr/bin/env bash
# An import killed (SIGKILL) at random instants, KILLS times (200): a folder of
# 30 meetings imported by the program from the command line into a history
# started afresh, killed somewhere between its start and its end. Each time the
# history must open and pass SQLite's check, each race's runs all there or none;
# every tenth time, and at the end, an import run to its end must complete it
# exactly. Prints the instants tried and the failures.
#   scripts/kill-import.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
kills=${KILLS:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The program copied into a folder of its own: its files go beside it.
mkdir -p "$work/bin"
cp "$build/ui/Orvanto" "$work/bin/orvanto"
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=offscreen
history=$work/bin/historique.sqlite
check=$build/tests/killcheck
"$check" ecrire "$work/dossier"

import() { "$work/bin/orvanto" --importer "$work/dossier" >/dev/null 2>&1; }
fresh() { rm -rf "$history" "$history-wal" "$history-shm" "$work/bin/sauvegardes"; }

fresh
start=$(date +%s%N)
import
full=$((($(date +%s%N) - start) / 1000000))
"$check" verifier "$history" --complet >/dev/null
echo "an import run to its end: $full ms"

failures=0 partial=0
for i in $(seq 1 "$kills"); do
    fresh
    delay=$((RANDOM * (full + full / 10) / 32768))
    "$work/bin/orvanto" --importer "$work/dossier" >/dev/null 2>&1 &
    pid=$!
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if ! said=$("$check" verifier "$history"); then
        echo "killed at $delay ms: $said"
        failures=$((failures + 1))
        continue
    fi
    read -r kept _ _ _ all <<<"$said"
    ((kept > 0 && kept < all)) && partial=$((partial + 1))
    if ((i % 10 == 0)); then
        import
        if ! said=$("$check" verifier "$history" --complet); then
            echo "re-import after a kill at $delay ms: $said"
            failures=$((failures + 1))
        fi
    fi
done
echo "$kills instants tried ($partial left part of the races stored), $failures failures"
exit $((failures > 0))
