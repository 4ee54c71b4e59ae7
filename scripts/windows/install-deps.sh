#!/usr/bin/env bash
# What the Windows build needs beside the Linux one: MinGW-w64, Wine (with its
# fonts, which Windows programs expect: without them typed text is invisible to
# a person checking by hand), NSIS, and
# dpkg-dev for Qt's and SQLite's Debian sources (tclsh makes SQLite's single
# source file). Only the missing packages are installed.
set -euo pipefail
exec "$(dirname "$0")/../install-deps.sh" g++-mingw-w64-x86-64-posix wine wine64 fonts-wine nsis dpkg-dev \
    libsqlite3-dev tcl8.6
