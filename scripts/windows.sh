#!/usr/bin/env bash
# kwt-mc for Windows: cross-builds one static dist/kwt-mc.exe with MinGW-w64 and checks it under Wine.
#
#   scripts/windows.sh            the core's test programs built for Windows and run under Wine, then the
#                                 full table below
#   scripts/windows.sh --klein    only kwt-mc.exe and the smaller table (CI, about five minutes)
#
# The table runs every scenario with the Linux build and with the Windows build and compares, byte for
# byte, what each writes: standard output and error, exit status, the list and the CSV file. Installs
# MinGW-w64 and Wine when they are missing. The Wine prefix lives in build-windows/wine.
set -euo pipefail
cd "$(dirname "$0")/.."
klein=0
[ "${1:-}" = "--klein" ] && klein=1
bash scripts/deps.sh g++-mingw-w64-x86-64-posix wine wine64

linux="${KWT_BUILD_DIR:-build}"
win=build-windows
export WINEPREFIX="$PWD/$win/wine" WINEDEBUG=-all
mkdir -p "$win" dist
# One Wine server for all the runs below (a start then takes a fraction of a second).
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Lege das Wine-Verzeichnis $WINEPREFIX an ..." >&2
  wineboot -i >/dev/null 2>&1
fi
wineserver -p 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
# The first program of a Wine session starts its services (services.exe, winedevice.exe, ...), which
# inherit its standard output and live as long as the server: started by a test, they would hold the
# test's output open and ctest would wait for it until the timeout. So they are started here, on
# /dev/null.
wine cmd /c exit </dev/null >/dev/null 2>&1

# The Linux command for comparison, and the Windows build with the core's tests.
[ -f "$linux/build.ninja" ] || cmake -S . -B "$linux" -G Ninja >/dev/null
cmake --build "$linux" -j "$(nproc)" --target kwt-mc
cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DKWT_GUI=OFF -DKWT_BENCH=OFF -DKWT_PAKET=OFF -DBUILD_TESTING=ON >/dev/null
if [ "$klein" = 1 ]; then
  cmake --build "$win" -j "$(nproc)" --target kwt-mc
else
  cmake --build "$win" -j "$(nproc)"
fi
x86_64-w64-mingw32-strip -o dist/kwt-mc.exe "$win/cli/kwt-mc.exe"
# One program: nothing but Windows' own DLLs.
fremd=$(x86_64-w64-mingw32-objdump -p dist/kwt-mc.exe | sed -n 's/^\tDLL Name: //p' |
  grep -viE '^(kernel32|msvcrt|user32|shell32|advapi32)\.dll$' || true)
if [ -n "$fremd" ]; then
  echo "dist/kwt-mc.exe braucht weitere DLLs: $fremd" >&2
  exit 1
fi
[ "$klein" = 1 ] || (cd "$win" && ctest -j "$(nproc)" --output-on-failure --timeout 600)

# --- The table: the same arguments to both programs, each in a folder of its own.
kwt_linux="$PWD/$linux/cli/kwt-mc"
kwt_win="$PWD/dist/kwt-mc.exe"
arbeit=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$arbeit"' EXIT
mkdir -p "$arbeit/vorlage/Gutachten Müller"
cat > "$arbeit/vorlage/Gutachten Müller/Straße 5.kwt" <<'SZENARIO'
{
  "format": "KWT-Szenario",
  "version": 1,
  "grenzen": {
    "lz": {"min": "4.75", "max": "5.35"},
    "rnd": {"min": "37.3", "max": "48.9"},
    "ro": {"min": "298000", "max": "371500.5"},
    "bwk": {"min": "58000", "max": "86000"},
    "bo": {"min": "640000", "max": 725000.25}
  },
  "prozent": {
    "lz": ["0", "5", "10", "15", "40", "15", "10", "5", "0", "0"],
    "rnd": [2.5, 5, 7.5, 10, 25, 25, 10, 7.5, 5, 2.5],
    "ro": ["0", "0", "10", "20", "40", "20", "10", "0", "0", "0"],
    "bwk": ["10", "10", "10", "10", "10", "10", "10", "10", "10", "10"],
    "bo": ["0", "0", "0", "0", "100", "0", "0", "0", "0", "0"]
  },
  "versuche": 25000,
  "histogramm_kontinuierlich": true
}
SZENARIO
# Variant B of the comparison: a lower yield rate.
sed 's/"min": "4.75"/"min": "4.65"/' "$arbeit/vorlage/Gutachten Müller/Straße 5.kwt" \
  >"$arbeit/vorlage/Gutachten Müller/Straße 5 nachher.kwt"

gleich=0
verschieden=0
vergleichen() {
  local name="$1"
  shift
  local l="$arbeit/$name/linux" w="$arbeit/$name/windows" status
  mkdir -p "$arbeit/$name"
  cp -r "$arbeit/vorlage" "$l"
  cp -r "$arbeit/vorlage" "$w"
  status=0; (cd "$l" && "$kwt_linux" "$@" >ausgabe 2>fehler) || status=$?
  echo "$status" > "$l/status"
  status=0; (cd "$w" && wine "$kwt_win" "$@" >ausgabe 2>fehler) || status=$?
  echo "$status" > "$w/status"
  if diff -r "$l" "$w" >/dev/null; then
    gleich=$((gleich + 1))
    printf 'gleich       %-28s Status %s, %s Bytes\n' "$name" "$status" "$(cat "$l"/ausgabe "$l"/*.csv "$l"/*.txt 2>/dev/null | wc -c)"
  else
    verschieden=$((verschieden + 1))
    printf 'VERSCHIEDEN  %-28s\n' "$name"
    diff -r "$l" "$w" | head -20 || true
  fi
}

dateien=(--liste liste.txt --csv werte.csv)
vergleichen standard --seed 0 "${dateien[@]}"
vergleichen standard-json --seed 0 --json "${dateien[@]}"
vergleichen rnd-gebrochen --seed 5 --lz 4.5:5.25 --rnd 40:45 --json "${dateien[@]}"
vergleichen rnd-gebrochen-text --seed 6 --rnd 35.3:47.9 --ro 300000.5:371000 --versuche 50000 "${dateien[@]}"
vergleichen exakt --seed 0 --exakt "${dateien[@]}"
vergleichen exakt-json-gebrochen --seed 3 --rnd 40:45 --exakt --json
vergleichen fehler-beim-start --seed 0 --lz 0:5.1 --json
vergleichen fehler-im-versuch --seed 0 --lz 5:5 --rnd 50:50 --ro 340000:340000 --bwk 72500:72500 --bo 697500:697500
vergleichen umlaute-szenario --seed 4 --szenario "Gutachten Müller/Straße 5.kwt" \
  --csv "Gutachten Müller/Wérte ä.csv" --liste "Gutachten Müller/Liste ö.txt"
vergleichen formen --seed 7 --form lz=normal:4.9:0.15 --form ro=dreieck:300000:340000:380000 \
  --form bwk=spanne:60000:80000:66.7 --rnd-modell 80:50:4:10 --exakt --json --csv-trenner ";" "${dateien[@]}"
vergleichen schwellen --seed 0 --exakt --schwelle 4500000 --schwelle 5000000.5 --json
vergleichen vergleich --vergleich "Gutachten Müller/Straße 5.kwt" "Gutachten Müller/Straße 5 nachher.kwt" \
  --schwelle 4500000
vergleichen falsches-argument --versuche abc
vergleichen hilfe --hilfe
if "$kwt_linux" --hilfe | grep -q -- '--version'; then
  vergleichen version --version
fi
if [ "$klein" = 0 ]; then
  for v in normal linksschief rechtsschief gleich einpunkt zweipunkt; do
    vergleichen "voreinstellung-$v" --seed 17 --verteilung "$v" --rnd 38.5:57.5 "${dateien[@]}"
    vergleichen "voreinstellung-$v-json" --seed 18 --verteilung "$v" --json --exakt
  done
  vergleichen negativer-zins --seed 9 --lz -2:3 --rnd 20.5:30 --json "${dateien[@]}"
  vergleichen fehler-im-lauf --seed 2 --lz -100.5:-99.5 --rnd 40.5:41.5 "${dateien[@]}"
  vergleichen keine-versuche --versuche 0 --json
  vergleichen formen-pert-gleich --seed 11 --form bo=pert:600000:700000:760000 --form lz=gleich:4.5:5.5 \
    --exakt "${dateien[@]}"
  vergleichen vergleich-json --vergleich "Gutachten Müller/Straße 5.kwt" "Gutachten Müller/Straße 5 nachher.kwt" \
    --schwelle 4500000 --json
  vergleichen schwellen-text --seed 3 --rnd 40:45 --schwelle 4000000 --schwelle 4800000
  vergleichen median-null --seed 1 --ro 0:0 --bwk 0:0 --bo 0:0 --json "${dateien[@]}"
  vergleichen prozente-unter-100 --seed 8 --prozent bo=0,0,10,20,40,10,10,0,0,0 --exakt "${dateien[@]}"
  vergleichen million-json --seed 1 --versuche 1000000 --json "${dateien[@]}"
  vergleichen million-ein-thread --seed 1 --versuche 1000000 --threads 1 --json
  vergleichen versuchsweise --seed 12 --versuche 30000 --rnd 40:45 --versuchsweise --json "${dateien[@]}"
  vergleichen hundert-millionen --seed 1 --versuche 100000000 --json
fi
echo "Windows-Build unter Wine: $gleich gleich, $verschieden verschieden." >&2
[ "$verschieden" = 0 ]
