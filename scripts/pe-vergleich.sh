#!/usr/bin/env bash
# Compares the version resource reader with windres on the Windows programs of Debian's libwine package
# (about 100 MB, fetched once into build/fremde-pe/ with apt-get download and unpacked, not installed):
# every file's strings must be what `x86_64-w64-mingw32-windres -i FILE -O rc` prints.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
dir="${KWT_BUILD_DIR:-build}"
ziel="$dir/fremde-pe"
if [ ! -d "$ziel/x/usr/lib" ]; then
  mkdir -p "$ziel"
  (cd "$ziel" && apt-get download libwine >/dev/null && dpkg-deb -x libwine_*.deb x)
fi
KWT_PE_VERZEICHNIS="$ziel/x/usr/lib" QT_QPA_PLATFORM=offscreen \
  "$dir/tests/ui/ui_tests" --gtest_filter='TKeloVersionResource.LiestWasWindresInFremdenProgrammenFindet'
