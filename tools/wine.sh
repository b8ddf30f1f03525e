#!/bin/sh
# Runs a Windows program under Wine as on a German Windows (code page 1252, language de-DE):
# quiet, without a display, in a Wine prefix of its own.
#   tools/wine.sh FOLDER PROGRAM.exe ARGUMENTS...
# FOLDER holds the prefix and the German locale; both are made on the first run.
set -e
mkdir -p "$1"
folder=$(cd "$1" && pwd) # Wine takes only an absolute prefix
shift
export WINEPREFIX="$folder/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
# Wine takes the code page and the language from the locale; a system without a German locale
# gets one of its own beside the prefix.
if [ ! -d "$folder/locale/de_DE.UTF-8" ]; then
    mkdir -p "$folder/locale"
    localedef -i de_DE -c -f UTF-8 "$folder/locale/de_DE.UTF-8" >/dev/null 2>&1 || true
fi
if [ -d "$folder/locale/de_DE.UTF-8" ]; then
    export LOCPATH="$folder/locale" LC_ALL=de_DE.UTF-8
else
    export LC_ALL=C.UTF-8
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1
    wineserver --wait
fi
exec wine "$@"
