# Helpers for the end-to-end scripts that run under a window manager (openbox):
# starting it, and the geometry of windows as it placed and framed them.
# Sourced after comune.sh, whose geometria and attiva these replace: under a
# window manager xdotool counts a window's frame twice, and the window manager
# picks the window that gets the keyboard. The caller keeps wm_pid and stops it.

wm_pid=

# Everything the scripts drive under the window manager must be there;
# otherwise the test is skipped.
controlla_openbox() {
  local strumento
  for strumento in openbox xprop xwininfo; do
    if ! command -v "$strumento" >/dev/null 2>&1; then
      echo "SKIP: $strumento is not installed"
      exit 77
    fi
  done
}

# An Italian desktop, where the locale is there to have.
in_italiano() {
  if locale -a 2>/dev/null | grep -qix 'it_IT.utf8'; then
    export LC_ALL=it_IT.UTF-8
  else
    echo "note: no it_IT.UTF-8 locale here; the run goes on in the default one"
  fi
}

# Starts openbox with its stock settings and waits until it manages the screen.
avvia_openbox() {
  local _
  mkdir -p "$tmp/wm"
  XDG_CONFIG_HOME="$tmp/wm" openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 100); do
    kill -0 "$wm_pid" 2>/dev/null || return 1
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  return 1
}

# The X server's own answer: the inside of the window on the screen.
geometria() {
  local info
  info=$(xwininfo -id "$1" 2>/dev/null) || return 1
  X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
  Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
  WIDTH=$(awk '/^ *Width:/ {print $NF}' <<<"$info")
  HEIGHT=$(awk '/^ *Height:/ {print $NF}' <<<"$info")
}
attiva() {
  xdotool windowactivate --sync "$1" 2>/dev/null
  sleep 0.2
}
# Sets FX, FY, FW, FH to the window's frame as the window manager drew it.
cornice() {
  local X Y WIDTH HEIGHT l r t b
  geometria "$1" || fail "window $1 is gone"
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  [ -n "$b" ] || fail "window $1 has no frame extents"
  FX=$((X - l)) FY=$((Y - t)) FW=$((WIDTH + l + r)) FH=$((HEIGHT + t + b))
}

# The palette: the program's visible window other than the main window $1,
# waiting up to 5 s; its id goes into $tavolozza.
trova_tavolozza() {
  local _ w
  tavolozza=
  for _ in $(seq 50); do
    for w in $(finestre); do
      [ "$w" = "$1" ] || tavolozza=$w
    done
    [ -n "$tavolozza" ] && return 0
    sleep 0.1
  done
  return 1
}

# A fresh run on an Italian desktop under openbox, stopped with the run: or a
# skip when openbox or its tools are missing.
inizia_desktop() {
  controlla_openbox
  prepara
  in_italiano
  trap '[ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null; pulisci' EXIT
  avvia_openbox || fail "openbox did not start: $(cat "$tmp/openbox.log")"
}
