#!/usr/bin/env bash
# The captions as the X server has them (_NET_WM_NAME), which is what a task bar and a window
# manager show: the main window's exactly "KWT Monte-Carlo Simulation Version 3 [2009]", nothing
# appended; every other window its own caption alone. First the program itself (with a scenario that
# it cannot open: the error box), then the other windows over the main window. Also: the program's
# WM_CLASS is the desktop entry's StartupWMClass, so the desktop ties the window to its menu entry.
#   fenster_titel_xvfb.sh <KWTMonteCarlo> <fenster_zeigen> <desktop entry>
set -euo pipefail
programm="$1"
zeigen="$2"
eintrag="$3"
source "$(dirname "$0")/../zwischenablage_hilfen.sh"
unter_xvfb
export LC_ALL=C.UTF-8

haupt="KWT Monte-Carlo Simulation Version 3 [2009]"
meldung="KWT Monte-Carlo-Simulation"

# titel PID: the captions of the visible windows of the process, sorted, one per line.
titel() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    xprop -id "$w" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
  done | sort
}

# pruefen NAME TITEL...: waits until the visible windows of $pid carry exactly these captions.
pruefen() {
  local name="$1"
  shift
  local soll
  soll=$(printf '%s\n' "$@" | sort)
  for _ in $(seq 1 300); do
    [ "$(titel "$pid")" = "$soll" ] && { echo "$name: $(printf '"%s" ' "$@")"; return 0; }
    kill -0 "$pid" 2>/dev/null || fehler "$name: Programm beendet: $(cat "$arbeit/fehler")"
    sleep 0.1
  done
  fehler "$name: Fenster $(titel "$pid" | sed 's/.*/"&"/' | tr '\n' ' '), erwartet $(printf '"%s" ' "$@")"
}

starten() {
  "$@" </dev/null >"$arbeit/ausgabe" 2>"$arbeit/fehler" &
  pid=$!
}

# The program itself: the splash goes after three seconds, the main window stays.
starten "$programm"
pruefen "Programm" "$haupt"
klasse=$(sed -n 's/^StartupWMClass=//p' "$eintrag")
fenster=$(xdotool search --onlyvisible --pid "$pid" | head -1)
xprop -id "$fenster" WM_CLASS | grep -qF "\"$klasse\"" || fehler "WM_CLASS $(xprop -id "$fenster" WM_CLASS), StartupWMClass $klasse"
beenden

# A file on the command line that is no scenario: the error box over the main window.
echo '{"format": "etwas anderes"}' >"$arbeit/kaputt.kwt"
starten "$programm" "$arbeit/kaputt.kwt"
pruefen "Programm mit kaputt.kwt" "$haupt" "$meldung"
beenden

while IFS='|' read -r art zweiter; do
  starten "$zeigen" "$art"
  pruefen "$art" "$haupt" "$zweiter"
  beenden
done <<'LISTE'
verteilung|Liegenschaftszinssatz
rohertrag|Rohertrag
info|Info über 
auswertung|Exakte Verteilung
fehler|KWT Monte-Carlo-Simulation
oeffnen|Szenario öffnen
speichern|Szenario speichern
drucken|Drucken
LISTE

# The save dialog's question before it replaces a file: Qt's message box with the dialog's caption.
touch "$arbeit/gutachten.kwt"
starten "$zeigen" frage "$arbeit/gutachten.kwt"
pruefen "frage" "$haupt" "Szenario speichern" "Szenario speichern"
beenden
