#!/usr/bin/env bash
# Builds SQLite for 64-bit Windows from Debian's own sqlite3 source, once: the
# amalgamation is generated from the source tree (the tree has none ready-made),
# compiled with MinGW-w64 and kept with its header in a cache folder named after
# the version and the compile line. Prints the prefix (include/, lib/) last.
set -euo pipefail
source "$(dirname "$0")/debian-source.sh"

cc=x86_64-w64-mingw32-gcc-posix
cflags=(-O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION)
version=$(dpkg-query -W -f='${Version}' libsqlite3-dev) # e.g. 3.40.1-2+deb12u2
key=$(printf '%s\n' "$version" "$cc" "${cflags[@]}" | sha256sum | cut -c1-12)
cache=${ORVANTO_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orvanto-windows}
prefix=$cache/sqlite-${version%%-*}-$key

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/work-sqlite-$key
rm -rf "$work" "$prefix"
src=$(fetch_source "$work" sqlite3 "$version")

echo "== generating the amalgamation and compiling it for Windows" >&2
mkdir -p "$work/build"
cd "$work/build"
"$src/configure" >configure.log 2>&1 || { tail -n 40 configure.log >&2; exit 1; }
make sqlite3.c >make.log 2>&1 || { tail -n 40 make.log >&2; exit 1; }
"$cc" "${cflags[@]}" -c sqlite3.c -o sqlite3.o
mkdir -p "$prefix/include" "$prefix/lib"
x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" sqlite3.o
cp sqlite3.h "$prefix/include/"
touch "$prefix/.complete"
cd "$cache" && rm -rf "$work"
echo "$prefix"
