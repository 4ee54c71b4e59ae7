# Sourced: a Wine prefix of the build folder's own, the offscreen platform, and
# Qt Test's output on the terminal. Wine hands a Windows program the WINEQT_*
# variables under their QT_* names, and none of the QT_* ones.
out=$1
export WINEPREFIX="$PWD/$out/wine-prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEQT_QPA_PLATFORM=offscreen WINEQT_FORCE_STDERR_LOGGING=1
# The offscreen platform reads fonts from a folder: Debian's DejaVu, through Z:.
export WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu'
# One Wine server kept up for the whole run: each program then starts in a blink.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== making the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
fi
wineserver -p 60 2>/dev/null || true # already up: fine
