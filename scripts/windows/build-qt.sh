#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source, once:
# the prefix is kept in a cache folder named after the Qt version and the
# configure line, and reused while both stay the same. Prints the prefix last, on
# standard output; its progress (a line a minute while Qt builds) on standard
# error, which a caller that keeps only the prefix still shows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/mingw-toolchain.cmake
source "$here/debian-source.sh"

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)   # e.g. 6.4.2+dfsg-10
configure_args=(
    -static -release -qt-host-path /usr -nomake examples -nomake tests
    -no-icu -no-dbus -no-opengl -no-feature-vulkan -no-feature-sql
    -no-feature-network -no-feature-concurrent -no-feature-xml
    -no-feature-printsupport -no-feature-zstd -no-feature-tabletevent
    -qt-zlib -qt-pcre -qt-libpng -qt-freetype -qt-harfbuzz -no-libjpeg
)
key=$(printf '%s\n' "$qt_version" "${configure_args[@]}" "$(cat "$toolchain")" |
    sha256sum | cut -c1-12)
cache=${ORVANTO_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orvanto-windows}
prefix=$cache/qt-${qt_version%%+*}-$key

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/work-$key
rm -rf "$work" "$prefix"
src=$(fetch_source "$work" qt6-base "$qt_version")

echo "== configuring Qt for Windows in $work/build (a few minutes)" >&2
mkdir -p "$work/build"
cd "$work/build"
"$src/configure" -prefix "$prefix" "${configure_args[@]}" -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log 2>&1 ||
    { tail -n 40 configure.log >&2; exit 1; }
echo "== building Qt for Windows (about 30 minutes on 2 cores; its step every minute)" >&2
cmake --build . --parallel >build.log 2>&1 &
build=$!
started=$SECONDS
while kill -0 "$build" 2>/dev/null; do
    sleep 60 &
    wait $! || true
    if kill -0 "$build" 2>/dev/null; then
        step=$(grep -o '^\[[0-9]*/[0-9]*\]' build.log | tail -n 1 || true)
        echo "   Qt ${step:-[configuring]} after $(((SECONDS - started) / 60)) min" >&2
    fi
done
wait "$build" || { tail -n 60 build.log >&2; exit 1; }
echo "== installing Qt for Windows in $prefix" >&2
cmake --install . >install.log 2>&1 || { tail -n 40 install.log >&2; exit 1; }
touch "$prefix/.complete"
cd "$cache" && rm -rf "$work"
echo "$prefix"
