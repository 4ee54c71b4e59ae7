#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only those that are missing.
# Usage: scripts/install-deps.sh [more packages] (the Windows build names its own)
set -euo pipefail

packages=(
    make cmake ninja-build g++ clang-format ccache
    qt6-base-dev qt6-svg-dev libicu-dev qt6-translations-l10n libsqlite3-dev
    fonts-liberation2 fonts-dejavu-core
    xvfb xauth imagemagick
    clang libclang-rt-14-dev
    dpkg-dev file desktop-file-utils
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
