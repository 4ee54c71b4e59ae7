#!/usr/bin/env bash
# make bench-windows: the list benchmark built for Windows, under Wine (its loads
# go through the Windows collation), the 32,767- and 100,000-line files.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${WINDOWS_BUILD:-build-windows}
source scripts/windows/wine-env.sh "$out"
wine "$out/bench_list.exe" --quick
