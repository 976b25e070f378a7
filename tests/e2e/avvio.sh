#!/usr/bin/env bash
# Starts the real program under its own Xvfb, with a fresh program folder and a
# fresh preferences folder, chooses a document type in the new/open dialog with
# real mouse and key input, adds nothing and quits with Ctrl+Q. The preferences
# file must then exist with its two default lines. A second start, made as the
# X server's last client leaves, reaches the dialog too and leaves the
# preferences alone.
# Usage: avvio.sh <path of the velarix binary>. Exit 77 means skipped.
set -u

source "$(dirname "$0")/base.sh"

programma=${1:?path of the velarix binary}
for strumento in Xvfb xdotool; do
  if ! command -v "$strumento" >/dev/null 2>&1; then
    echo "SKIP: $strumento is not installed"
    exit 77
  fi
done

tmp=$(mktemp -d)
xvfb_pid=
prog_pid=
cleanup() {
  [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill -CONT "$xvfb_pid" 2>/dev/null && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  log_xvfb "$tmp/xvfb.log"
  exit 1
}

avvia_xvfb "$tmp/xvfb.log" || fail "Xvfb did not start"

# This X server has no session bus: an address that names none keeps D-Bus from
# trying to start one over X11 (which also leaves a buffer the leak checker reports).
export DBUS_SESSION_BUS_ADDRESS=disabled:

# The program's folder is the executable's folder.
mkdir -p "$tmp/programma" "$tmp/config"
cp "$programma" "$tmp/programma/velarix"
avvia() {
  XDG_CONFIG_HOME="$tmp/config" QT_QPA_PLATFORM=xcb \
    timeout 60 "$tmp/programma/velarix" >"$tmp/out.log" 2>&1 &
  prog_pid=$!
}

# Waits up to 15 s for the program to end; it must end with code 0.
attendi_fine() {
  for _ in $(seq 150); do
    kill -0 "$prog_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$prog_pid" 2>/dev/null && fail "the program did not quit"
  wait "$prog_pid"
  local codice=$?
  prog_pid=
  [ "$codice" -eq 0 ] || fail "exit code $codice: $(cat "$tmp/out.log")"
}

avvia
dialogo=$(finestra "Nuovo/Apri") || fail "the new/open dialog did not show: $(cat "$tmp/out.log")"
xdotool windowfocus --sync "$dialogo"
sleep 0.3

# The document type: click the popup, move down one row, take it.
eval "$(xdotool getwindowgeometry --shell "$dialogo")"
# The popup's middle, in the screen's pixels (QT_SCALE_FACTOR enlarges the window).
scala=${QT_SCALE_FACTOR:-1}
px=$(awk -v x="$X" -v s="$scala" 'BEGIN { printf "%d", x + (133 + 128) * s }')
py=$(awk -v y="$Y" -v s="$scala" 'BEGIN { printf "%d", y + (62 + 10) * s }')
xdotool mousemove "$px" "$py" click 1
sleep 0.5
xdotool key Down Return
sleep 0.3
# Return in the dialog is its default button, "Continua".
xdotool windowfocus --sync "$dialogo" key Return

principale=$(finestra "NAp.txt") || fail "no layout for Nota di accredito: $(cat "$tmp/out.log")"
sleep 0.3
xdotool windowfocus --sync "$principale" key ctrl+q

attendi_fine
[ -e "$tmp/programma/NAp.txt" ] && fail "a layout with nothing added was saved"

pref="$tmp/config/Velarix pref"
[ -f "$pref" ] || fail "no preferences file in $tmp/config"
atteso=$(printf 'Arial\r10\r' | od -An -c)
trovato=$(od -An -c <"$pref")
[ "$trovato" = "$atteso" ] || fail "preferences file holds: $trovato"

# A second start finds the preferences file; "Annulla" (Escape) in the dialog
# ends the program at once.
printf 'Courier\r12\r' >"$pref"
# This start lands just as the server's last client leaves: a client is cut off
# while the server is held still, and the program connects before it runs on.
# A server that resets when its last client leaves drops the program's
# connection with that client's.
xdotool sleep 60 &
sonda=$!
sleep 0.3
kill -STOP "$xvfb_pid"
kill -KILL "$sonda"
wait "$sonda" 2>/dev/null
avvia
sleep 1
kill -CONT "$xvfb_pid"
dialogo=$(finestra "Nuovo/Apri") ||
  fail "the new/open dialog did not show again: $(cat "$tmp/out.log")"
xdotool windowfocus --sync "$dialogo" key Escape
attendi_fine
[ "$(od -An -c <"$pref")" = "$(printf 'Courier\r12\r' | od -An -c)" ] ||
  fail "the preferences file was rewritten"
echo "PASS"
