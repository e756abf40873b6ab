#!/usr/bin/env bash
# Reads the real X11 clipboard while the demo holds a chart copy on it: the vector copy must be offered
# as image/svg+xml only, the bitmap copy as image/png, both of the chart's on-screen size (700 x 350).
# Runs under its own Xvfb; Xvfb has no clipboard manager, so the content is read while the demo lives.
#   zwischenablage_xvfb.sh <KomponentenDemo>
set -euo pipefail
demo="$1"
programm="$demo"
source "$(dirname "$0")/../zwischenablage_hilfen.sh"
unter_xvfb

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
