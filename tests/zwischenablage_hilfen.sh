# Shared by the clipboard checks under Xvfb: sourced, not run. The caller sets `programm` (a program
# that takes "--zwischenablage ART", prints "bereit WxH [N]" once the clipboard holds its copy, and
# stays until it is ended) and calls `unter_xvfb "$@"` first. Xvfb has no clipboard manager, so the
# content is read while the program lives.

unter_xvfb() {
  if [ -z "${KWT_IN_XVFB:-}" ]; then
    exec env KWT_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
  fi
  export QT_QPA_PLATFORM=xcb
  arbeit="$(mktemp -d)"
  pid=""
  trap aufraeumen EXIT
}

aufraeumen() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$arbeit"
}

fehler() { echo "FEHLER: $*" >&2; exit 1; }

# starten ART: starts the program and waits until it is ready; sets groesse (WxH) and zeilen.
starten() {
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

# PNG: width and height from the IHDR chunk (bytes 16..23, big-endian).
png_groesse() {
  local w h
  w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  echo "${w}x${h}"
}
