#!/usr/bin/env bash
# Wall time and peak memory of the real program, under its own Xvfb, given very
# large or damaged files of a given size:
#   sfondo      a configuration file whose line 2 (the background name) is huge
#   testo       one field line with a huge fixed text
#   spazzatura  random bytes after a valid header
#   campi       fixed texts of 150 characters, as many as fit (at most 50,000)
#   righe       50,000 short data-field lines, the most a layout may have
#   preferenze  a preferences file of two lines followed by nothing but CRs
# Each case starts the program in a fresh folder and opens the invoice layout
# through the start-up dialog (for the preferences, starts a new layout and
# goes through "Preferenze..." and "OK"), answers every message box with Escape
# ("OK", or "Nuovo" in the question whether to open the existing file) and
# quits with Ctrl+Q as soon as the layout is on screen. Columns:
#   start  launch to the start-up dialog
#   first  "Continua" to the first message box (preferences: the menu command
#          to the dialog)
#   shown  "Continua" to the layout on screen with its palette (preferences:
#          "OK" to the dialog gone)
#   quit   the same start to the end of the process after Ctrl+Q: the program
#          has done all its work, the first full repaint included
#   boxes  message boxes seen; RSS the process's maximum resident set size
#          (/usr/bin/time -v)
# A case still busy after LIMITE seconds (default 90), or showing more than
# MAX_MESSAGGI boxes (default 5), is stopped and reported as such.
# Usage: file_grandi.sh <velarix binary> [size in MB ...] (default 50 200);
# CASI="testo righe" picks cases. Needs what the end-to-end tests need (Xvfb,
# xdotool, imagemagick, tesseract with Italian) and /usr/bin/time.
binario=${1:?path of the velarix binary}
shift
dimensioni=("${@:-50 200}")
# shellcheck disable=SC2206
dimensioni=(${dimensioni[*]})
artefatti=$(mktemp -d)
limite=${LIMITE:-90}
max_messaggi=${MAX_MESSAGGI:-5}
source "$(dirname "$0")/../tests/e2e/comune.sh"
[ -x /usr/bin/time ] || {
  echo "SKIP: /usr/bin/time is not installed (apt-get install time)"
  exit 77
}
prepara
TAB=$'\t'

# Writes the case $1 of $2 MB into the program's folder (or the preferences folder).
genera() {
  local caso=$1 mb=$2 n=$(($2 * 1000000))
  local intestazione='<FCS><F><1.0.4><27-04-2017>\r'
  case $caso in
  sfondo)
    { printf "$intestazione"; head -c "$n" /dev/zero | tr '\0' 'A'; printf '\r\r100\r150\r350\r'; } \
      >"$tmp/programma/FIp.txt" ;;
  testo)
    {
      printf "$intestazione"'\r\r100\r150\r350\r\t\t'
      head -c "$n" /dev/zero | tr '\0' 'x'
      printf '\t10\t10\t100\t14\tDejaVu Sans\t12\t\t\t\t0\t0\t0\t0\t0\t\r'
    } >"$tmp/programma/FIp.txt" ;;
  spazzatura)
    {
      printf "$intestazione"'\r\r100\r150\r350\r'
      python3 -c "import random,sys; random.seed(16); sys.stdout.buffer.write(random.randbytes($n))"
    } >"$tmp/programma/FIp.txt" ;;
  campi)
    # As many fixed texts of 150 characters as the size holds, spread over the
    # page, up to the most field lines a layout may have.
    {
      printf "$intestazione"'\r\r100\r150\r350\r'
      python3 -c "
import sys
n = min(50000, $n // 205)
testo = 'Testo fisso di prova ' * 7
for i in range(n):
    sys.stdout.write('\t\t%s%07d\t%d\t%d\t100\t14\tDejaVu Sans\t12\t\t\t\t0\t0\t0\t0\t0\t\r' % (testo, i, i % 550, i % 830))
"
    } >"$tmp/programma/FIp.txt" ;;
  righe)
    # The most field lines a layout may have, data fields of every code.
    {
      printf "$intestazione"'\r\r100\r150\r350\r'
      python3 -c "
import sys
for i in range(50000):
    sys.stdout.write('\t%d\t\t%d\t%d\t50\t10\tDejaVu Sans\t9\t\t\t\t0\t0\t0\t0\t0\t\r' % (1 + i % 85, i % 550, i % 830))
"
    } >"$tmp/programma/FIp.txt" ;;
  preferenze)
    printf 'DejaVu Sans\r12\r' >"$tmp/config/Velarix pref"
    head -c "$n" /dev/zero | tr '\0' '\r' >>"$tmp/config/Velarix pref" ;;
  esac
}

# Starts the program under /usr/bin/time; its pid into prog_pid.
avvia_misurato() {
  XDG_CONFIG_HOME="$tmp/config" QT_QPA_PLATFORM=xcb \
    /usr/bin/time -v -o "$tmp/tempo.txt" "$tmp/programma/velarix" >>"$tmp/out.log" 2>&1 &
  local t=$! partenza
  partenza=$(ora_ms)
  for _ in $(seq 50); do
    prog_pid=$(pgrep -P "$t" -x velarix) && break
    sleep 0.1
  done
  tempo_pid=$t
  dialogo=$(finestra "Nuovo/Apri") || fail "the new/open dialog did not show"
  avvio=$(($(ora_ms) - partenza))
  attiva "$dialogo"
}

# Waits until the window titled $1 shows, answering with Return every other new
# window (a message box) on the way, up to max_messaggi of them and the time
# limit; sets esito (ok, limite, messaggi) and messaggi (how many were seen).
tipo() { xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null; }
attendi_titolo() {
  local titolo=$1 prima=$2 inizio=$3 id nome messaggio tavolozza
  messaggi=0
  esito=limite
  while [ $(($(ora_ms) - inizio)) -lt $((limite * 1000)) ]; do
    kill -0 "$prog_pid" 2>/dev/null || {
      esito=terminato
      return
    }
    messaggio=
    tavolozza=
    for id in $(comm -13 <(echo "$prima") <(finestre)); do
      nome=$(xdotool getwindowname "$id" 2>/dev/null) || continue
      case $(tipo "$id") in
      *UTILITY*) tavolozza=$id ;;
      *DIALOG*) [ "$nome" != "$titolo" ] && messaggio=$id ;;
      esac
    done
    if [ -n "$messaggio" ]; then
      messaggi=$((messaggi + 1))
      [ "$messaggi" -eq 1 ] && primo_messaggio=$(($(ora_ms) - inizio))
      import -window "$messaggio" "$artefatti/messaggio-$caso-$mb-$messaggi.png" 2>/dev/null
      if [ "$messaggi" -gt "$max_messaggi" ]; then
        esito=messaggi
        return
      fi
      # Escape: "OK" of a message, "Nuovo" of the question whether to open
      # the existing file or start a new one.
      attiva "$messaggio"
      xdotool key Escape
      sparita "$messaggio"
      continue
    fi
    # The open ends with the palette shown; the preferences with their dialog.
    if { [ -n "$tavolozza" ] || [ "$titolo" = Preferenze ]; } &&
      xdotool search --onlyvisible --pid "$prog_pid" --name "^$titolo\$" >/dev/null 2>&1; then
      esito=ok
      return
    fi
    sleep 0.05
  done
}

termina() {
  kill "$prog_pid" 2>/dev/null
  wait "$tempo_pid" 2>/dev/null
  prog_pid=
}

# Quits with Ctrl+Q at once and waits for the end, answering message boxes on
# the way as attendi_titolo does; uscita is the time from $1 to the end, or
# "-" when the program was stopped.
esci() {
  local inizio=$1 prima id
  prima=$(finestre)
  attiva "$(xdotool search --onlyvisible --pid "$prog_pid" --name '^FIp.txt$' | head -n1)"
  tasti ctrl+q
  uscita=-
  while [ $(($(ora_ms) - inizio)) -lt $((limite * 1000)) ]; do
    if ! kill -0 "$prog_pid" 2>/dev/null; then
      uscita=$(($(ora_ms) - inizio))
      break
    fi
    for id in $(comm -13 <(echo "$prima") <(finestre)); do
      case $(tipo "$id") in
      *DIALOG*)
        messaggi=$((messaggi + 1))
        [ "$messaggi" -gt "$max_messaggi" ] && break 2
        attiva "$id"
        xdotool key Escape
        sparita "$id"
        ;;
      esac
    done
    sleep 0.05
  done
  [ "$uscita" = - ] && esito=${esito}-fermato
  termina
}

rss_mb() { awk -F': ' '/Maximum resident set size/ {printf "%d", $2 / 1024}' "$tmp/tempo.txt"; }

printf '%-11s %5s %9s  %-14s %9s %9s %9s %6s %8s\n' case MB "start(ms)" outcome "first(ms)" "shown(ms)" "quit(ms)" boxes "RSS(MB)"
for mb in "${dimensioni[@]}"; do
  for caso in ${CASI:-sfondo testo spazzatura campi righe preferenze}; do
    rm -rf "$tmp/programma/FIp.txt" "$tmp/config/"*
    cp "$binario" "$tmp/programma/velarix"
    genera "$caso" "$mb"
    primo_messaggio=-
    uscita=-
    avvia_misurato
    if [ "$caso" = preferenze ]; then
      # A new layout, then "Preferenze..." from the Composizione menu and "OK".
      tasti Return
      principale=$(finestra "FIp.txt") || fail "no new layout"
      attiva "$principale"
      prima=$(finestre)
      geometria "$principale"
      clic "$principale" 110 $(((HEIGHT - 612) / 2))
      menu=$(nuova_finestra "$prima") || fail "no menu"
      prima=$(finestre)
      clic_testo "$menu" "Preferenze..."
      inizio=$(ora_ms)
      attendi_titolo "Preferenze" "$prima" "$inizio"
      apertura=$(($(ora_ms) - inizio))
      if [ "$esito" = ok ]; then
        finestra_pref=$(finestra "Preferenze")
        attiva "$finestra_pref"
        inizio=$(ora_ms)
        tasti Return
        esito=limite
        while [ $(($(ora_ms) - inizio)) -lt $((limite * 1000)) ]; do
          xdotool search --onlyvisible --name '^Preferenze$' >/dev/null 2>&1 || {
            esito=ok
            break
          }
          sleep 0.05
        done
        fatto=$(($(ora_ms) - inizio))
        primo_messaggio=$apertura
        [ "$esito" = ok ] && esci "$inizio" || termina
      else
        fatto=$apertura
        termina
      fi
    else
      # "Apri"; the pointer leaves it first, since a move to where it already
      # is never reports done.
      xdotool mousemove 0 0
      clic "$dialogo" 60 86
      attiva "$dialogo"
      prima=$(finestre)
      inizio=$(ora_ms)
      tasti Return
      attendi_titolo "FIp.txt" "$prima" "$inizio"
      fatto=$(($(ora_ms) - inizio))
      [ "$esito" = ok ] && esci "$inizio" || termina
    fi
    printf '%-11s %5s %9s  %-14s %9s %9s %9s %6s %8s\n' "$caso" "$mb" "$avvio" "$esito" \
      "$primo_messaggio" "$fatto" "$uscita" "$messaggi" "$(rss_mb)"
  done
done
echo "message boxes seen: $artefatti"
