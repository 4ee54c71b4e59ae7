#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a while on its committed seed corpus.
# Usage: scripts/fuzz.sh [seconds per target] (default 20)
set -euo pipefail
seconds=${1:-20}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DORVANTO_FUZZ=ON -DORVANTO_BUILD_TESTS=OFF \
    $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >/dev/null
cmake --build build-fuzz
for target in numbers fchrono listfile racefile csv runs pmujson importcsv musique; do
    work=build-fuzz/corpus-$target
    mkdir -p "$work"
    # The service's JSON files are longer than the other seeds.
    maxlen=4096
    [ "$target" = pmujson ] && maxlen=16384
    echo "== fuzz_$target, ${seconds} s"
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=0 \
        build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -max_len=$maxlen -timeout=10 \
        -print_final_stats=1 "$work" "fuzz/corpus/$target" 2>&1 |
        grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==|SUMMARY|ERROR)" || true
    # A crash or a hang leaves a crash-* or timeout-* file behind: fail then.
    if compgen -G "crash-*" >/dev/null || compgen -G "timeout-*" >/dev/null; then
        echo "fuzz_$target found a problem; the input, to replay it:"
        for f in crash-* timeout-*; do [ -e "$f" ] && od -A d -c "$f" | head -n 40; done
        exit 1
    fi
done
