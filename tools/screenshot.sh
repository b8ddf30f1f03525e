#!/bin/sh
# Renders the editor offscreen into the pictures of the README: docs/main-window.png (the
# window with examples/Taverne.dlx as it opens), docs/editor.png (a dialog of it being typed,
# coloured and checked, with a syntax error marked) and docs/export-findings.png (the findings
# window for the export of a broken copy of it).
# Usage: tools/screenshot.sh [BUILD_DIR]   (default: build)
set -e
cd "$(dirname "$0")/.."
build="${1:-build}"
# An empty settings folder, so that no Schaltpult.ini of the developer colours the picture:
# neither in the current folder nor in the configuration folder.
scratch=$(mktemp -d)
export XDG_CONFIG_HOME="$scratch"
trap 'rm -rf "$scratch"' EXIT
root=$(pwd)
case "$build" in
/*) program="$build/src/redewerk" ;;
*) program="$root/$build/src/redewerk" ;;
esac
(cd "$scratch" && QT_QPA_PLATFORM=offscreen "$program" \
    --screenshot "$root/docs/main-window.png" "$root/examples/Taverne.dlx")
echo "docs/main-window.png"
# A slip of the finger ("-*"): the checker marks the place and the panel turns red.
(cd "$scratch" && QT_QPA_PLATFORM=offscreen "$program" \
    --screenshot "$root/docs/editor.png" "$root/examples/Taverne.dlx" 'Wirt\Bier' \
    '\nif (Taverne_Bier >= 3) {\n<<Du hast genug getrunken.\nTaverne_Bier = Taverne_Bier -* 3;\nAI_StopProcessInfos (self);\n};')
echo "docs/editor.png"
(cd "$scratch" && QT_QPA_PLATFORM=offscreen "$program" \
    --screenshot-findings "$root/docs/export-findings.png" \
    "$root/tests/data/codegen/taverne_findings.dlx")
echo "docs/export-findings.png"
