#!/bin/sh
# Installs the Debian packages the build needs, when they are missing; given arguments, the
# packages they name instead (the fuzzers need clang and its libFuzzer).
# As root it runs apt-get; otherwise it prints the one line to run.
packages="cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev fonts-dejavu-core"
[ $# -gt 0 ] && packages="$*"
missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" = "0" ]; then
    echo "Installiere:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends $missing >/dev/null || {
        echo "apt-get ist fehlgeschlagen." >&2
        exit 1
    }
else
    echo "Es fehlen Pakete. Bitte ausführen:" >&2
    echo "  sudo apt-get install$missing" >&2
    exit 1
fi
