# Shared by the clipboard checks under Xvfb: sourced, not run. The caller sets `programm` (a program
# that takes "--zwischenablage ART", prints "bereit WxH [N]" once the clipboard holds its copy, and
# stays until it is ended) and calls `unter_xvfb` first, which starts an X server of its own. Xvfb has
# no clipboard manager, so the content is read while the program lives.

unter_xvfb() {
  arbeit="$(mktemp -d)"
  pid=""
  xvfb=""
  trap aufraeumen EXIT
  # The server picks a free display itself and writes its number to the descriptor: xvfb-run -a
  # chooses by lock files, and two tests starting at once can end up on one display, which the
  # first to finish takes down under the other. -noreset: by default the server resets when its
  # last client leaves (a program ended, each xdotool and xprop call), and a program starting in
  # that moment cannot connect.
  Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$arbeit/anzeige" 2>"$arbeit/xvfb" &
  xvfb=$!
  for _ in $(seq 1 200); do
    [ -s "$arbeit/anzeige" ] && break
    kill -0 "$xvfb" 2>/dev/null || fehler "Xvfb startet nicht: $(cat "$arbeit/xvfb")"
    sleep 0.05
  done
  [ -s "$arbeit/anzeige" ] || fehler "Xvfb nennt keine Anzeige"
  export DISPLAY=":$(head -1 "$arbeit/anzeige")"
  export QT_QPA_PLATFORM=xcb
}

aufraeumen() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  rm -rf "$arbeit"
}

# fehler TEXT: ends the check; names the X server's own last words if it went away under the program.
fehler() {
  echo "FEHLER: $*" >&2
  if [ -n "${xvfb:-}" ] && ! kill -0 "$xvfb" 2>/dev/null; then
    echo "Xvfb ist beendet: $(cat "$arbeit/xvfb" 2>/dev/null)" >&2
  fi
  exit 1
}

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
