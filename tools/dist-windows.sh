#!/bin/sh
# redewerk-cli for Windows, ready to attach to a release: a zip with the program (linked
# statically, it needs no DLL beside it), readme.txt and the README's section on the program,
# both with Windows line ends.
#   tools/dist-windows.sh BUILD_DIR      -> BUILD_DIR/redewerk-cli-windows.zip
# The build needs nothing but the compiler: no Qt, no GoogleTest, no Google Benchmark.
# Environment: JOBS, CMAKE_FLAGS as for tools/test-windows.sh.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
build=$(cd "$1" && pwd)

sh "$root/tools/install-deps.sh" g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev zip
# shellcheck disable=SC2086 # CMAKE_FLAGS holds several options
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DREDEWERK_BUILD_UI=OFF -DREDEWERK_BUILD_TESTS=OFF \
    -DREDEWERK_BUILD_BENCH=OFF ${CMAKE_FLAGS:-} >/dev/null
cmake --build "$build" --target redewerk-cli -j "${JOBS:-2}"

program=$build/src/redewerk-cli.exe
foreign=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p' |
    grep -viE '^(kernel32|advapi32|shell32|msvcrt|user32|ws2_32)\.dll$' || true)
if [ -n "$foreign" ]; then
    echo "redewerk-cli.exe braucht DLLs, die Windows nicht mitbringt: $foreign" >&2
    exit 1
fi

stage=$build/dist/redewerk-cli
rm -rf "$build/dist"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/redewerk-cli.exe" "$program"
sed 's/$/\r/' "$root/readme.txt" >"$stage/readme.txt"
# From the heading "## redewerk-cli" to the next heading of that level.
awk '/^## / { inside = ($0 == "## redewerk-cli") } inside' "$root/README.md" |
    sed 's/$/\r/' >"$stage/redewerk-cli.txt"
zip="$build/redewerk-cli-windows.zip"
rm -f "$zip"
(cd "$build/dist" && zip -q -r "$zip" redewerk-cli)
echo "$zip"
