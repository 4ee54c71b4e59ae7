#!/usr/bin/env bash
# make test-windows: the test programs built for Windows, run under Wine with the
# offscreen platform in a Wine prefix of the build folder's own, then
# Orvanto.exe --version, then the installer itself (test-installer.sh). Tested
# under Wine, not on a Windows PC.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${WINDOWS_BUILD:-build-windows}
source scripts/windows/wine-env.sh "$out"

failed=0
tests=(files csv calc chances scorecard corrections history copies imports folders kept fchrono listwindow
    raceday scaleform sheet
    list race runnerfigures ui sheetwindow)
for t in "${tests[@]}"; do
    echo "== $t (Windows, under Wine)"
    if ! (cd "$out" && wine "tst_$t.exe"); then
        echo "FAILED: tst_$t.exe"
        failed=$((failed + 1))
    fi
done
echo "== Orvanto.exe --version"
version=$(wine "$out/Orvanto.exe" --version)
echo "$version"
case "$version" in Orvanto\ *) ;; *) echo "FAILED: --version"; failed=$((failed + 1)) ;; esac
echo "== the installer, installed and uninstalled in a Wine prefix of its own"
if ! scripts/windows/test-installer.sh "$(ls "$out"/Orvanto-*-win64-setup.exe | head -n 1)"; then
    echo "FAILED: the installer"
    failed=$((failed + 1))
fi
passed=$((${#tests[@]} + 2 - failed))
echo "Windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
