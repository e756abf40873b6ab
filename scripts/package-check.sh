#!/usr/bin/env bash
# Installs dist/kwt-monte-carlo_*.deb with apt as a user would, checks the installation from PATH
# (kwt-mc --version and a run, the man pages, the window's version, the menu entry, the MIME type and
# the icon as the desktop's triggers registered them), and removes the package again: afterwards none
# of its files and registrations may be left. Needs root or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(ls "$PWD"/dist/kwt-monte-carlo_*.deb | head -1)
version=$(dpkg-deb -f "$deb" Version)
id=de.weidner_wertermittlung.kwt_monte_carlo
sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
apt() { DEBIAN_FRONTEND=noninteractive $sudo apt-get -y -qq -o=Dpkg::Use-Pty=0 "$@" >/dev/null; }
fehler() { echo "FEHLER: $*" >&2; exit 1; }
entfernen() { dpkg -s kwt-monte-carlo >/dev/null 2>&1 && apt remove kwt-monte-carlo || true; }

entfernen
apt install "$deb"
trap entfernen EXIT
dateien=$(dpkg -L kwt-monte-carlo)

[ "$(command -v kwt-mc)" = /usr/bin/kwt-mc ] || fehler "kwt-mc nicht in PATH"
[ "$(kwt-mc --version)" = "kwt-mc (KWT Monte-Carlo-Simulation) $version" ] || fehler "kwt-mc --version: $(kwt-mc --version)"
[ "$(QT_QPA_PLATFORM=offscreen KWTMonteCarlo --version 2>/dev/null)" = "KWTMonteCarlo (KWT Monte-Carlo-Simulation) $version" ] ||
  fehler "KWTMonteCarlo --version"
kwt-mc --seed 0 --versuche 1000 --json | grep -q '"akt_versuch": 1000' || fehler "Lauf von kwt-mc"
for seite in kwt-mc KWTMonteCarlo; do
  [ "$(man -w "$seite")" = "/usr/share/man/man1/$seite.1.gz" ] || fehler "man -w $seite: $(man -w "$seite")"
  MANPAGER=cat man "$seite" 2>/dev/null | grep -q BEZEICHNUNG || fehler "man $seite"
done
for programm in /usr/bin/KWTMonteCarlo /usr/bin/kwt-mc; do
  ! ldd "$programm" | grep "not found" || fehler "$programm: Bibliotheken fehlen"
done
# The about box reads the version from the program file: the resource must survive stripping.
objdump -h /usr/bin/KWTMonteCarlo | grep -q ' \.rsrc ' || fehler "KWTMonteCarlo ohne Versionsressource"
grep -qx "application/x-kwt-szenario=$id.desktop;" /usr/share/applications/mimeinfo.cache || fehler "Menüeintrag öffnet .kwt nicht"
grep -q '^60:application/x-kwt-szenario:\*\.kwt$' /usr/share/mime/globs2 || fehler "MIME-Typ nicht eingetragen"
[ -f /usr/share/mime/application/x-kwt-szenario.xml ] || fehler "MIME-Datenbank nicht erneuert"
[ -f /usr/share/icons/hicolor/scalable/apps/$id.svg ] || fehler "Symbol fehlt"
echo "installiert: kwt-monte-carlo $version, $(echo "$dateien" | wc -l) Einträge"

trap - EXIT
entfernen
! dpkg -s kwt-monte-carlo >/dev/null 2>&1 || fehler "Paket nicht entfernt"
for f in $dateien; do
  [ -d "$f" ] || [ ! -e "$f" ] || fehler "nach apt remove noch da: $f"
done
! command -v kwt-mc >/dev/null || fehler "kwt-mc noch in PATH"
! grep -q kwt /usr/share/applications/mimeinfo.cache || fehler "mimeinfo.cache nennt das Programm noch"
! grep -q kwt-szenario /usr/share/mime/globs2 || fehler "MIME-Typ noch eingetragen"
[ ! -e /usr/share/mime/application/x-kwt-szenario.xml ] || fehler "MIME-Datenbank nicht erneuert"
echo "entfernt: keine Datei und kein Eintrag übrig"
