#!/bin/sh
# A short redewerk-cli session on files with names in several languages: what each command
# prints, its exit code and the files it writes end up in OUT, to be compared with the same
# session of another build (tools/test-windows.sh compares Windows with Linux).
#   tools/cli-session.sh OUT PROGRAM...   (PROGRAM: the command that runs redewerk-cli, with
#   absolute paths)
# OUT/work is the folder the commands run in; OUT/result holds the outputs, one
# NAME.out/.err/.exit per step, and the written files.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$1
shift
rm -rf "$out"
mkdir -p "$out/work" "$out/result"
out=$(cd "$out" && pwd)
work=$out/work
result=$out/result

cp "$root/examples/Taverne.dlx" "$work/Taverne.dlx"
# Ł is no letter of Windows-1252: the ANSI functions of a German Windows cannot name the file.
cp "$root/tests/data/import/scripts/DIA_Bau_Hilda.d" "$work/Dialoge_Łukasz.d"
echo "alt" >"$work/Kopie.dlx"

step() {
    name=$1
    shift
    set +e
    (cd "$work" && "$@" >"$result/$name.out" 2>"$result/$name.err")
    echo $? >"$result/$name.exit"
    set -e
}

step info "$@" info Taverne.dlx
step resave "$@" resave Taverne.dlx Kopie.dlx # over an existing file
step resave-again "$@" resave Kopie.dlx Kopie.dlx
step export "$@" export Taverne.dlx --name Taverne --folder Ausgabe_Ä
step export-exists "$@" export Taverne.dlx --name Taverne --folder Ausgabe_Ä
step export-overwrite "$@" export Taverne.dlx --name Taverne --folder Ausgabe_Ä --overwrite \
    --one-file
step import "$@" import Import.dlx Dialoge_Łukasz.d
step import-info "$@" info Import.dlx
step compile "$@" compile Taverne.dlx 'Wirt\Hallo'
step highlight "$@" highlight Dialoge_Łukasz.d

for written in Kopie.dlx Import.dlx Ausgabe_Ä; do
    if [ -e "$work/$written" ]; then cp -r "$work/$written" "$result/"; fi
done
