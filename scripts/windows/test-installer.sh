#!/usr/bin/env bash
# The installer as a Windows user meets it, under Wine in a prefix of its own:
# installed silently; every shortcut it made resolved, its target there and
# starting (--version); orvanto.com answering in a command prompt; uninstalled
# silently, the user's files in %APPDATA%\Orvanto left in place.
# Usage: scripts/windows/test-installer.sh SETUP.EXE
set -euo pipefail
setup=$(realpath "$1")
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/orvanto-installer.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
failed=0
fail() {
    echo "FAILED: $*"
    failed=$((failed + 1))
}

# Each step says how it ended; what it left behind is what is checked.
echo "installing $(basename "$setup") silently into $WINEPREFIX"
wineboot -i >/dev/null 2>&1 || echo "wineboot: exit $?"
wine "$setup" /S || echo "the installer: exit $?"
wineserver -w || true
folder="$WINEPREFIX/drive_c/Program Files/Orvanto"
for f in Orvanto.exe orvanto.com installe.txt guide/guide.md exemples/partants-R1C4.json; do
    [ -f "$folder/$f" ] || fail "not installed: $f"
done

# Each shortcut's target, as the link records it (a Windows path, C:\…), must
# be there and start.
mapfile -t links < <(find "$WINEPREFIX/drive_c" -name '*.lnk' -path '*Orvanto*')
names=$(for l in "${links[@]}"; do basename "$l"; done | sort | tr '\n' '|')
echo "shortcuts: $names"
[ "$names" = "Désinstaller Orvanto.lnk|Orvanto.lnk|" ] || fail "shortcuts: $names"
for link in "${links[@]}"; do
    # The link keeps the path in the machine's code page (Windows-1252 here).
    target=$(LC_ALL=C grep -a -o -m1 '[A-Za-z]:\\[^[:cntrl:]]*\.exe' "$link" | head -n 1 |
        iconv -f CP1252 -t UTF-8 || true)
    unix=$(winepath -u "$target" 2>/dev/null || true)
    echo "$(basename "$link") -> $target"
    if [ -z "$target" ] || [ ! -f "$unix" ]; then
        fail "$(basename "$link") points at a missing file: $target"
    elif [ "$(basename "$link")" = Orvanto.lnk ]; then
        version=$(wine "$target" --version | tr -d '\r')
        case "$version" in Orvanto\ *) echo "  starts: $version" ;; *) fail "$target --version" ;; esac
    fi
done

# A prompt typed into, as a person does (cmd reading its commands one by one):
# orvanto.com prints before the prompt comes back, and sets ERRORLEVEL.
# Wine's cmd takes one line per read from a pipe: a line at a time, as typed.
typed() {
    for line in "$@"; do
        printf '%s\r\n' "$line"
        sleep 2
    done
}
said=$(cd "$folder" && typed 'orvanto --course absente.csv' 'echo niveau=%ERRORLEVEL%' 'exit' |
    wine cmd 2>&1 | tr -d '\r')
echo "$said" | grep -E "orvanto :|niveau=" || true
message=$(echo "$said" | grep -n "absente.csv n'existe pas" | cut -d: -f1 | head -n 1 || true)
level=$(echo "$said" | grep -n "niveau=1$" | cut -d: -f1 | head -n 1 || true)
if [ -z "$message" ] || [ -z "$level" ] || [ "$message" -gt "$level" ]; then
    fail "orvanto.com in a prompt: the message then niveau=1 expected"
fi

# The user's files, then the uninstaller.
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")
mkdir -p "$appdata/Orvanto"
echo "1:15:48 ---- 2100m ---- 57Kg ---- Eclair" >"$appdata/Orvanto/lstchrono.txt"
wine "$folder/Désinstaller Orvanto.exe" /S || echo "the uninstaller: exit $?"
wineserver -w || true
[ ! -e "$folder/Orvanto.exe" ] || fail "Orvanto.exe left after uninstalling"
[ -z "$(find "$WINEPREFIX/drive_c" -name '*.lnk' -path '*Orvanto*')" ] ||
    fail "shortcuts left after uninstalling"
[ -f "$appdata/Orvanto/lstchrono.txt" ] || fail "the user's list went with the uninstaller"

echo "installer: $failed failed"
[ "$failed" -eq 0 ]
