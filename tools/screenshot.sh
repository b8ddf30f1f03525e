#!/bin/sh
# Renders the main window with examples/Taverne.dlx offscreen into docs/main-window.png, and
# the findings window for the export of a broken copy of it into docs/export-findings.png.
# Usage: tools/screenshot.sh [BUILD_DIR]   (default: build)
set -e
cd "$(dirname "$0")/.."
build="${1:-build}"
# An empty settings folder, so that no Schaltpult.ini of the developer colours the picture.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$(pwd)
case "$build" in
/*) program="$build/src/redewerk" ;;
*) program="$root/$build/src/redewerk" ;;
esac
(cd "$scratch" && QT_QPA_PLATFORM=offscreen "$program" \
    --screenshot "$root/docs/main-window.png" "$root/examples/Taverne.dlx")
echo "docs/main-window.png"
(cd "$scratch" && QT_QPA_PLATFORM=offscreen "$program" \
    --screenshot-findings "$root/docs/export-findings.png" \
    "$root/tests/data/codegen/taverne_findings.dlx")
echo "docs/export-findings.png"
