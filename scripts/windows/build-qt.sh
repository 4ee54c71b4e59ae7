#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source, once:
# the prefix is kept in a cache folder named after the Qt version and the
# configure line, and reused while both stay the same. Prints the prefix last.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/mingw-toolchain.cmake

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
mkdir -p "$work/apt/lists/partial" "$work/src"

# Debian's source package, through a private apt configuration that adds
# deb-src lines for the archive this machine already uses (never /etc/apt).
sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
    >"$work/apt/debian-src.sources"
apt_opts=(-o Dir::Etc::SourceList=/dev/null
    -o Dir::Etc::SourceParts="$work/apt"
    -o Dir::State::Lists="$work/apt/lists"
    -o Dir::Cache="$work/apt/cache")
mkdir -p "$work/apt/cache/archives/partial"
echo "== fetching qt6-base $qt_version source"
apt-get -q "${apt_opts[@]}" update >/dev/null
(cd "$work/src" && apt-get -q "${apt_opts[@]}" source "qt6-base=$qt_version" >/dev/null)
src=$(find "$work/src" -maxdepth 1 -mindepth 1 -type d -name 'qt6-base-*' | head -n 1)

echo "== configuring Qt for Windows in $work/build"
mkdir -p "$work/build"
cd "$work/build"
"$src/configure" -prefix "$prefix" "${configure_args[@]}" -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log 2>&1 ||
    { tail -n 40 configure.log; exit 1; }
echo "== building Qt for Windows (about 12 minutes on 2 cores)"
cmake --build . --parallel >build.log 2>&1 || { tail -n 60 build.log; exit 1; }
cmake --install . >install.log 2>&1 || { tail -n 40 install.log; exit 1; }
touch "$prefix/.complete"
cd "$cache" && rm -rf "$work"
echo "$prefix"
