#!/usr/bin/env bash
# What the Windows build needs beside the Linux one: MinGW-w64, Wine, NSIS, and
# dpkg-dev for Qt's Debian source. Only the missing packages are installed.
set -euo pipefail
"$(dirname "$0")/../install-deps.sh"
packages=(g++-mingw-w64-x86-64-posix wine wine64 nsis dpkg-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
