#!/usr/bin/env bash
# make windows: Orvanto.exe for 64-bit Windows, cross-built on Debian 12 against a
# static Qt built once from Debian's own source (build-qt.sh), then a portable
# zip and an installer. Their paths are the last two lines printed.
# ORVANTO_WIN_QT=<prefix> uses a Windows Qt already built. Qt's own toolchain file
# adds its prefix to the places searched, then loads ours (the MinGW compilers).
set -euo pipefail
cd "$(dirname "$0")/../.."
here=scripts/windows
out=${WINDOWS_BUILD:-build-windows}

"$here/install-deps.sh"
qt=${ORVANTO_WIN_QT:-$("$here/build-qt.sh" | tail -n 1)}
echo "== Windows Qt: $qt"
sqlite=${ORVANTO_WIN_SQLITE:-$("$here/build-sqlite.sh" | tail -n 1)}
echo "== Windows SQLite: $sqlite"

cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/$here/mingw-toolchain.cmake" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DSQLite3_INCLUDE_DIR="$sqlite/include" -DSQLite3_LIBRARY="$sqlite/lib/libsqlite3.a" \
    -DCMAKE_STRIP=/usr/bin/x86_64-w64-mingw32-strip \
    $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) \
    >"$out.configure.log" 2>&1 ||
    { tail -n 40 "$out.configure.log"; exit 1; }
cmake --build "$out"
cmake --build "$out" --target portable-zip bench_list
(cd "$out" && cpack -G NSIS >cpack.log 2>&1) || { tail -n 40 "$out/cpack.log"; exit 1; }
realpath "$out"/Orvanto-*-win64.zip
realpath "$out"/Orvanto-*-win64-setup.exe
