#!/usr/bin/env bash
# What the Windows build needs beside the Linux one: MinGW-w64, Wine, NSIS, and
# dpkg-dev for Qt's and SQLite's Debian sources (tclsh makes SQLite's single
# source file). Only the missing packages are installed.
set -euo pipefail
exec "$(dirname "$0")/../install-deps.sh" g++-mingw-w64-x86-64-posix wine wine64 nsis dpkg-dev \
    libsqlite3-dev tcl8.6
