#!/bin/sh
# Builds the fuzzers of fuzz/ with clang (installing it when missing) and runs each one for
# FUZZ_SECONDS (default 60) on its seed corpus. FUZZERS picks some of them by name.
# New inputs go to BUILD/corpus/NAME, findings to BUILD/findings/; a finding stops the run
# with exit code 1. The input of each finding, once mended, belongs in fuzz/regressions/NAME.
set -eu
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-2}
all="project_file_fuzzer checker_fuzzer highlighter_fuzzer script_import_fuzzer dia_import_fuzzer export_fuzzer settings_fuzzer output_units_fuzzer"

sh tools/install-deps.sh cmake make clang libclang-rt-dev
# A build folder configured before (CI builds the tests and the fuzzers in one) is kept as it is.
if [ ! -f "$build/CMakeCache.txt" ]; then
    launcher=""
    command -v ccache >/dev/null && launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None \
        -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" -DREDEWERK_FUZZ=ON -DREDEWERK_BUILD_UI=OFF \
        -DREDEWERK_BUILD_TESTS=OFF -DREDEWERK_BUILD_BENCH=OFF $launcher >/dev/null
fi
cmake --build "$build" --target fuzzers -j "$jobs"

scripts="tests/data/daedalus tests/data/import/scripts tests/data/import/moorbach tests/data/codegen/taverne_default tests/data/codegen/taverne_one_file_npc_globals"
for fuzzer in ${FUZZERS:-$all}; do
    case $fuzzer in
    project_file_fuzzer | export_fuzzer) seeds="examples fuzz/seeds/project" dict=daedalus ;;
    dia_import_fuzzer) seeds="tests/data/import/dia" dict=dia ;;
    settings_fuzzer) seeds="fuzz/seeds/settings" dict=settings ;;
    output_units_fuzzer) seeds="tests/data/gamefiles" dict=zen_archive ;;
    *) seeds=$scripts dict=daedalus ;;
    esac
    # The inputs of earlier findings run first, on every run.
    [ -d "fuzz/regressions/$fuzzer" ] && seeds="fuzz/regressions/$fuzzer $seeds"
    corpus="$build/corpus/$fuzzer"
    mkdir -p "$corpus" "$build/findings"
    echo "== $fuzzer ($seconds s)"
    # shellcheck disable=SC2086 # the seed folders are separate arguments
    "$build/fuzz/$fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        -dict="fuzz/$dict.dict" -artifact_prefix="$build/findings/$fuzzer-" \
        ${FUZZ_OPTIONS:-} "$corpus" $seeds
done
