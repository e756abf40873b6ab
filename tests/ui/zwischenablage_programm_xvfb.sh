#!/usr/bin/env bash
# Reads the real X11 clipboard while the main window holds what a run put there: the result list as
# text with CR LF after every line, and the histogram as image/svg+xml and image/png of the chart's
# on-screen size. Runs under its own Xvfb; the content is read while the program lives.
#   zwischenablage_programm_xvfb.sh <ui_fotos>
set -euo pipefail
programm="$1"
source "$(dirname "$0")/../zwischenablage_hilfen.sh"
unter_xvfb

starten text
xclip -o -selection clipboard -t UTF8_STRING >"$arbeit/liste.txt"
n=$(grep -c $'\r$' "$arbeit/liste.txt" || true)
[ "$n" = "$zeilen" ] || fehler "$n Zeilen mit CR LF, erwartet $zeilen"
[ "$(wc -l <"$arbeit/liste.txt")" = "$zeilen" ] || fehler "letzte Zeile ohne Zeilenende"
grep -qvE $'^[0-9]{10}\r$' "$arbeit/liste.txt" && fehler "Zeile nicht zehnstellig: $(grep -vE $'^[0-9]{10}\r$' "$arbeit/liste.txt" | head -1)"
sort -c "$arbeit/liste.txt" || fehler "Liste nicht sortiert"
beenden

starten svg
xclip -o -selection clipboard -t image/svg+xml >"$arbeit/bild.svg"
w=${groesse%x*}; h=${groesse#*x}
grep -q "viewBox=\"0 0 $w $h\"" "$arbeit/bild.svg" || fehler "SVG nicht $groesse"
beenden

starten png
xclip -o -selection clipboard -t image/png >"$arbeit/bild.png"
[ "$(png_groesse "$arbeit/bild.png")" = "$groesse" ] || fehler "PNG ist $(png_groesse "$arbeit/bild.png"), Ansicht $groesse"
beenden
echo "Zwischenablage des Programms: $zeilen Zeilen mit CR LF, SVG und PNG in $groesse"
