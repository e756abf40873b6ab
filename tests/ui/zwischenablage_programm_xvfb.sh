#!/usr/bin/env bash
# Reads the real X11 clipboard while the main window holds what a run put there: the result list as
# text with CR LF after every line, and the histogram as image/svg+xml and image/png of the chart's
# on-screen size. Runs under its own Xvfb; the content is read while the program lives.
#   zwischenablage_programm_xvfb.sh <ui_fotos>
set -euo pipefail
programm="$1"
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

starten() { # art -> sets groesse, zeilen
  "$programm" --zwischenablage "$1" >"$arbeit/ausgabe" 2>"$arbeit/fehler" &
  pid=$!
  for _ in $(seq 1 200); do
    if grep -q "^bereit" "$arbeit/ausgabe" 2>/dev/null; then
      read -r _ groesse zeilen <"$arbeit/ausgabe"
      return 0
    fi
    grep -q "^fehler" "$arbeit/ausgabe" 2>/dev/null && fehler "Programm meldet: $(cat "$arbeit/ausgabe")"
    kill -0 "$pid" 2>/dev/null || fehler "Programm beendet: $(cat "$arbeit/fehler")"
    sleep 0.1
  done
  fehler "Programm nicht bereit"
}
beenden() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
png_groesse() {
  local w h
  w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  echo "${w}x${h}"
}

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
