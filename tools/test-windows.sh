#!/bin/sh
# The core, redewerk-cli and the core's unit tests cross-built for Windows with MinGW-w64 and
# run under Wine (code page 1252, as on a German Windows); then a short redewerk-cli session
# under Wine whose outputs must be the bytes the Linux build prints, apart from the native
# form of paths. Installs what is missing (MinGW-w64, Wine, the GoogleTest sources).
#   tools/test-windows.sh WINDOWS_BUILD_DIR LINUX_CLI
# Environment: JOBS (parallel compilations), CMAKE_FLAGS (more options for the Windows build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
linux_cli=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
jobs=${JOBS:-2}

sh "$root/tools/install-deps.sh" g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64 \
    googletest locales

mkdir -p "$build"
build=$(cd "$build" && pwd)
# shellcheck disable=SC2086 # CMAKE_FLAGS holds several options
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DREDEWERK_BUILD_UI=OFF -DREDEWERK_BUILD_BENCH=OFF \
    -DREDEWERK_GTEST_SOURCES=/usr/src/googletest \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/tools/wine.sh;$build/wine" ${CMAKE_FLAGS:-} >/dev/null
cmake --build "$build" -j "$jobs"

# Each test program once: a Wine process per test would cost more than the tests.
echo "== Unit-Tests unter Wine"
failed=0
total=0
for program in "$build"/tests/*_tests.exe; do
    log=$build/wine-$(basename "$program" .exe).log
    if "$root/tools/wine.sh" "$build/wine" "$program" --gtest_brief=1 >"$log" 2>&1; then
        status=bestanden
    else
        status=FEHLGESCHLAGEN
        failed=$((failed + 1))
        cat "$log"
    fi
    count=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from.*/\1/p' "$log")
    skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\{0,1\}.*/\1/p' "$log")
    total=$((total + ${count:-0}))
    echo "$(basename "$program"): ${count:-?} Tests, ${skipped:-0} übersprungen, $status"
done
echo "$total Tests in $(ls "$build"/tests/*_tests.exe | wc -l) Programmen, $failed Programme fehlgeschlagen"

# The same session with both builds; a path in the outputs is compared without the folder
# the session ran in, with the Linux separator.
echo "== redewerk-cli unter Wine und unter Linux"
session=$build/cli-session
sh "$root/tools/cli-session.sh" "$session/linux" "$linux_cli"
sh "$root/tools/cli-session.sh" "$session/windows" "$root/tools/wine.sh" \
    "$build/wine" "$build/src/redewerk-cli.exe"
normalise() { # FOLDER FORM_OF_THE_WORK_FOLDER
    find "$1" -name '*.out' -o -name '*.err' | while read -r file; do
        perl -i -pe 'BEGIN { $w = shift } s{\Q$w\E((?:\\[^\\\s()]+)*)}{ (my $r = $1) =~ tr{\\}{/}; "ORDNER$r" }ge' \
            "$2" "$file"
    done
}
normalise "$session/linux/result" "$session/linux/work"
normalise "$session/windows/result" "Z:$(echo "$session/windows/work" | tr / '\\')"
if ! diff -r "$session/linux/result" "$session/windows/result"; then
    echo "redewerk-cli gibt unter Windows andere Bytes aus als unter Linux." >&2
    failed=$((failed + 1))
fi
[ "$failed" -eq 0 ] && echo "Windows: alles bestanden"
[ "$failed" -eq 0 ]
