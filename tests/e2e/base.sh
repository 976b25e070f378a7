# What every end-to-end script needs: an X server of its own and the program's
# windows found by title. Sourced, not run; the caller keeps xvfb_pid and
# prog_pid and stops what they name.

# Starts Xvfb on a display number of its own and exports DISPLAY; false when no
# server could be had. Xvfb's own choice (-displayfd) can race with other servers
# starting at the same moment and take the socket of a display already handed
# out; a number in use makes Xvfb exit at once, and another is tried. The server
# runs with -noreset: by default it resets whenever its last client leaves, and a
# client that connects at that moment (the program just started while the
# readiness probe, or a search for its window, disconnects) is accepted and then
# dropped by the reset, so Qt reports that it "could not connect to display".
# Everything Xvfb prints, for every number tried, goes to the log file $1.
avvia_xvfb() {
  local log=$1 _ tentativo numero
  : >"$log"
  for tentativo in 1 2 3 4 5; do
    numero=$((200 + (RANDOM + $$ * tentativo) % 5000))
    echo "== Xvfb :$numero" >>"$log"
    Xvfb ":$numero" -screen 0 1280x1024x24 -nolisten tcp -noreset 2>>"$log" &
    xvfb_pid=$!
    export DISPLAY=":$numero"
    for _ in $(seq 100); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      # Ours once its lock file names it, not another server's; ready once a
      # client gets an answer through the same library and sockets Qt uses.
      if [ "$({ tr -d ' \n' <"/tmp/.X$numero-lock"; } 2>/dev/null)" = "$xvfb_pid" ] &&
        xdotool getdisplaygeometry >/dev/null 2>&1; then
        return 0
      fi
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  done
  return 1
}

# Xvfb's log, each line marked, for a failure report.
log_xvfb() {
  [ -s "$1" ] && sed 's/^/  xvfb: /' "$1"
  return 0
}

# The first visible window with exactly this title, waiting up to 15 s.
finestra() {
  local id _
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    kill -0 "$prog_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
