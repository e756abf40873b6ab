#!/usr/bin/env bash
# Reads the real X11 clipboard while the demo holds a chart copy on it: the vector copy must be offered
# as image/svg+xml only, the bitmap copy as image/png, both of the chart's on-screen size (700 x 350).
# Runs under its own Xvfb; Xvfb has no clipboard manager, so the content is read while the demo lives.
#   zwischenablage_xvfb.sh <KomponentenDemo>
set -euo pipefail
demo="$1"
if [ -z "${KWT_IN_XVFB:-}" ]; then
  exec env KWT_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
arbeit="$(mktemp -d)"
pid=""
aufraeumen() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$arbeit"
}
trap aufraeumen EXIT

fehler() { echo "FEHLER: $*" >&2; exit 1; }

starten() { # art
  "$demo" --zwischenablage "$1" >"$arbeit/ausgabe" 2>"$arbeit/fehler" &
  pid=$!
  for _ in $(seq 1 100); do
    grep -q "^bereit 700x350" "$arbeit/ausgabe" 2>/dev/null && return 0
    grep -q "^fehler" "$arbeit/ausgabe" 2>/dev/null && fehler "Demo meldet: $(cat "$arbeit/ausgabe")"
    kill -0 "$pid" 2>/dev/null || fehler "Demo beendet: $(cat "$arbeit/fehler")"
    sleep 0.1
  done
  fehler "Demo nicht bereit"
}

beenden() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}

# PNG: width and height from the IHDR chunk (bytes 16..23, big-endian).
png_groesse() {
  local w h
  w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  echo "${w}x${h}"
}

starten svg
ziele="$(xclip -o -selection clipboard -t TARGETS)"
echo "$ziele" | grep -qx "image/svg+xml" || fehler "kein image/svg+xml in: $ziele"
if echo "$ziele" | grep -qE "^(image/png|UTF8_STRING|text/plain)"; then fehler "mehr als das Vektorbild: $ziele"; fi
xclip -o -selection clipboard -t image/svg+xml >"$arbeit/bild.svg"
grep -q 'viewBox="0 0 700 350"' "$arbeit/bild.svg" || fehler "SVG nicht 700x350: $(head -c 400 "$arbeit/bild.svg")"
grep -q "Histogramm der Verkehrswerte" "$arbeit/bild.svg" || fehler "SVG ohne Titel"
beenden

starten png
ziele="$(xclip -o -selection clipboard -t TARGETS)"
echo "$ziele" | grep -qx "image/png" || fehler "kein image/png in: $ziele"
xclip -o -selection clipboard -t image/png >"$arbeit/bild.png"
[ "$(png_groesse "$arbeit/bild.png")" = "700x350" ] || fehler "PNG ist $(png_groesse "$arbeit/bild.png")"
beenden

echo "Zwischenablage unter X11: SVG und PNG in 700x350"
