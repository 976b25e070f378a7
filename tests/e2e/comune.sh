# Helpers shared by the end-to-end scripts: an X server of their own, the real
# program started in a fresh program folder with a fresh preferences folder,
# windows found by name or by being new, real mouse and key input, and the text
# of a message box read back from its pixels.
# Sourced, not run. The caller sets binario (the velarix binary) and
# artefatti (a folder kept after the run) before calling prepara.

set -u

source "$(dirname "${BASH_SOURCE[0]}")/base.sh"

fail() {
  echo "FAIL: $*"
  [ -n "${tmp:-}" ] && [ -f "$tmp/out.log" ] && sed 's/^/  program: /' "$tmp/out.log"
  [ -n "${xvfb_log:-}" ] && log_xvfb "$xvfb_log" && echo "  X server's log: $xvfb_log"
  [ -n "${DISPLAY:-}" ] && [ -n "${artefatti:-}" ] &&
    import -window root "$artefatti/fallito.png" 2>/dev/null &&
    echo "  screen at the failure: $artefatti/fallito.png"
  exit 1
}

# Everything the scripts drive must be there; otherwise the test is skipped.
controlla_strumenti() {
  local strumento
  for strumento in Xvfb xdotool import convert tesseract; do
    if ! command -v "$strumento" >/dev/null 2>&1; then
      echo "SKIP: $strumento is not installed"
      exit 77
    fi
  done
  if ! tesseract --list-langs 2>/dev/null | grep -qx ita; then
    echo "SKIP: tesseract has no Italian data (tesseract-ocr-ita)"
    exit 77
  fi
  # The run is about the program, not about pixel scaling or sanitizers.
  if [ -n "${QT_SCALE_FACTOR:-}" ] && [ "$QT_SCALE_FACTOR" != 1 ]; then
    echo "SKIP: runs in the normal build only"
    exit 77
  fi
}

tmp=
xvfb_log=
xvfb_pid=
prog_pid=
avvii=()

pulisci() {
  [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  [ -n "$tmp" ] && rm -rf "$tmp"
}

# A fresh X server, program folder and preferences folder. The X server's log
# stays in the artefacts folder, one per script.
prepara() {
  controlla_strumenti
  tmp=$(mktemp -d)
  trap pulisci EXIT
  trap 'exit 1' INT TERM
  mkdir -p "$tmp/programma" "$tmp/config" "$artefatti"
  cp "$binario" "$tmp/programma/velarix"
  rm -f "$artefatti/fallito.png"
  xvfb_log="$artefatti/xvfb-$(basename "$0" .sh).log"
  avvia_xvfb "$xvfb_log" || fail "no X server"
}

ora_ms() { date +%s%3N; }

# Starts the program and waits for the new/open dialog; its id goes into
# $dialogo and the time from launch to the dialog's window into avvii.
avvia() {
  local inizio
  inizio=$(ora_ms)
  XDG_CONFIG_HOME="$tmp/config" QT_QPA_PLATFORM=xcb \
    "$tmp/programma/velarix" >>"$tmp/out.log" 2>&1 &
  prog_pid=$!
  dialogo=$(finestra "Nuovo/Apri") || fail "the new/open dialog did not show"
  avvii+=($(($(ora_ms) - inizio)))
  echo "start-up to the new/open dialog: ${avvii[-1]} ms"
  attiva "$dialogo"
}

# The program's visible windows, one id a line.
finestre() { xdotool search --onlyvisible --pid "$prog_pid" 2>/dev/null | sort; }

# Waits up to 15 s for a visible window of the program that is not among the
# ids in $1 and that is at least 100 pixels wide (no menu or tooltip).
nuova_finestra() {
  local prima=$1 id _ W
  for _ in $(seq 150); do
    for id in $(finestre); do
      grep -qx "$id" <<<"$prima" && continue
      eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | grep WIDTH)"
      if [ "${WIDTH:-0}" -ge 100 ]; then
        echo "$id"
        return 0
      fi
    done
    kill -0 "$prog_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits until the window $1 is gone (up to 15 s).
sparita() {
  local _
  for _ in $(seq 150); do
    xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    xdotool search --onlyvisible --pid "$prog_pid" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  return 1
}

# Gives the window the keyboard and lets it settle.
attiva() {
  xdotool windowfocus --sync "$1" 2>/dev/null
  sleep 0.2
}

# Sets X, Y, WIDTH, HEIGHT to the window's geometry.
geometria() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

# A click at the point (x, y) of the window $1.
clic() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  geometria "$1"
  xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1
  sleep 0.15
}

# A press at (x1, y1) of the window $1, a drag in a few steps to (x2, y2),
# and the release there.
trascina() {
  local X Y WIDTH HEIGHT SCREEN WINDOW i
  geometria "$1"
  xdotool mousemove --sync $((X + $2)) $((Y + $3)) mousedown 1
  sleep 0.1
  for i in 1 2 3; do
    xdotool mousemove --sync $((X + $2 + ($4 - $2) * i / 4)) $((Y + $3 + ($5 - $3) * i / 4))
    sleep 0.05
  done
  xdotool mousemove --sync $((X + $4)) $((Y + $5))
  sleep 0.1
  xdotool mouseup 1
  sleep 0.15
}

# Keys to the window that has the keyboard.
tasti() {
  xdotool key --delay 30 "$@"
  sleep 0.15
}

scrivi() {
  xdotool type --delay 20 "$1"
  sleep 0.1
}

# Text read from a window's pixels. The OCR engine misses a word now and then
# (a default button's frame, say), so the picture is read in up to three ways:
# each gives lines "x y<TAB>text", with (x, y) the middle of the line in window
# pixels.
letture=("3 -colorspace Gray -resize 300%"
  "4 -colorspace Gray -resize 400% -level 20%,80%"
  "3 -colorspace Gray -resize 300% -sharpen 0x1 -threshold 60%")
leggi_righe() {
  local scala=${2%% *} operazioni=${2#* } modo=${3:-11}
  # shellcheck disable=SC2086
  convert "$tmp/ocr.png" $operazioni "$tmp/ocr-grande.png"
  OMP_THREAD_LIMIT=1 tesseract "$tmp/ocr-grande.png" stdout --psm "$modo" -l ita tsv 2>/dev/null |
    awk -F'\t' -v s="$scala" '$1 == 5 && $12 != "" {
        k = $3 "." $4 "." $5
        if (!(k in l)) { ordine[++n] = k; l[k] = $7; t[k] = $8; r[k] = $7 + $9; b[k] = $8 + $10; x[k] = $12 }
        else { x[k] = x[k] " " $12; if ($7 + $9 > r[k]) r[k] = $7 + $9; if ($8 + $10 > b[k]) b[k] = $8 + $10; if ($8 < t[k]) t[k] = $8 }
      }
      END { for (i = 1; i <= n; i++) { k = ordine[i]; print int((l[k] + r[k]) / (2 * s)) " " int((t[k] + b[k]) / (2 * s)) "\t" x[k] } }'
}
# Folds text to lower-case letters and digits, with the letters the engine
# confuses (l, I, 1) made one, so that only the words matter.
piega() {
  tr 'A-Z' 'a-z' | sed 's/[àá]/a/g; s/[èé]/e/g; s/[ìí]/i/g; s/[òó]/o/g; s/[ùú]/u/g' |
    tr -cd 'a-z0-9' | tr 'l1' 'ii'
}

# Checks that the window $1 shows the text $2; with $3 (WxH+X+Y), in that
# part of it, read as one line.
mostra() {
  local letto atteso lettura
  if [ -n "${3:-}" ]; then
    import -window "$1" -crop "$3" +repage "$tmp/ocr.png" 2>/dev/null || fail "no picture of window $1"
  else
    import -window "$1" "$tmp/ocr.png" 2>/dev/null || fail "no picture of window $1"
  fi
  atteso=$(printf '%s' "$2" | piega)
  for lettura in "${letture[@]}"; do
    letto=$(leggi_righe "$1" "$lettura" "${3:+7}" | cut -f2 | piega)
    [[ "$letto" == *"$atteso"* ]] && return 0
  done
  fail "window $1 does not show \"$2\"; read: $letto"
}

# Clicks the middle of the line of window $1 that reads $2, as a person picks a
# menu row or a button by its caption.
clic_testo() {
  local X Y WIDTH HEIGHT SCREEN WINDOW punto= atteso lettura
  geometria "$1"
  import -window "$1" "$tmp/ocr.png" 2>/dev/null || fail "no picture of window $1"
  atteso=$(printf '%s' "$2" | piega)
  for lettura in "${letture[@]}"; do
    punto=$(leggi_righe "$1" "$lettura" | while IFS=$'\t' read -r p testo; do
      [ "$(printf '%s' "$testo" | piega)" = "$atteso" ] && { echo "$p"; break; }
    done)
    [ -n "$punto" ] && break
  done
  [ -n "$punto" ] || fail "window $1 shows no line \"$2\""
  xdotool mousemove --sync $((X + ${punto% *})) $((Y + ${punto#* })) click 1
  sleep 0.2
}

# Opens "Importa modulo grafico..." from the Archivio menu of the main window
# $1 (the page, 612 pixels high, is below the menu bar); the open-file dialog's
# id goes into $scelta.
apri_importa() {
  local X Y WIDTH HEIGHT SCREEN WINDOW prima menu
  geometria "$1"
  prima=$(finestre)
  clic "$1" 30 $(((HEIGHT - 612) / 2))
  menu=$(nuova_finestra "$prima") || fail "the Archivio menu did not open"
  clic_testo "$menu" "Importa modulo grafico..."
  scelta=$(nuova_finestra "$prima") || fail "no open-file dialog"
}
# The background picture $2 picked in that dialog by typing its name.
importa_modulo() {
  apri_importa "$1"
  attiva "$scelta"
  scrivi "$2"
  tasti Return
  sparita "$scelta" || fail "the open-file dialog did not take $2"
}

# Waits for the program to end (up to 15 s) and checks its exit code.
attendi_uscita() {
  local _ codice
  for _ in $(seq 150); do
    kill -0 "$prog_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$prog_pid" 2>/dev/null && fail "the program did not quit"
  wait "$prog_pid"
  codice=$?
  prog_pid=
  [ "$codice" -eq 0 ] || fail "exit code $codice"
}

# Whether the program still runs a while after its last input.
ancora_vivo() {
  sleep 0.5
  kill -0 "$prog_pid" 2>/dev/null
}

mediana() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : int((a[NR/2]+a[NR/2+1])/2)}'; }

TAB=$'\t'
CR=$'\r'
# One field line of a configuration file: its columns, each followed by TAB,
# then CR.
riga_campo() {
  local c r=
  for c in "$@"; do r+="$c$TAB"; done
  printf '%s' "$r$CR"
}
