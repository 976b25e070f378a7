#!/usr/bin/env bash
# Faults met by the real program under its own Xvfb, and what the person sees:
# a folder in place of the invoice layout's file at start-up, where the page on
# screen is then saved as soon as the folder is gone; a layout with a thousand
# fixed texts, which opens with one warning; and, as root, a program folder on
# a small disk of its own that is full, then out of inodes, where the message
# of the failed save says which, and the save goes through once there is room.
# Usage: guasti.sh <velarix binary> <artefacts folder>. Exit 77: skipped.
binario=${1:?path of the velarix binary}
artefatti=${2:?folder for artefacts}
source "$(dirname "$0")/comune.sh"
prepara
printf 'DejaVu Sans\r12\r' >"$tmp/config/Velarix pref"
file="$tmp/programma/FIp.txt"
disco=
smonta() {
  [ -n "$disco" ] && umount "$disco" 2>/dev/null
  disco=
}
trap 'smonta; pulisci' EXIT

intestazione() { printf '<FCS><F><1.0.4><27-04-2017>\r\r\r100\r150\r350\r'; }

# "Apri" (or the dialog as it starts, "Nuovo"), "Fattura", "Continua"; the
# program's windows before that go into $prima.
continua() {
  avvia
  # The "Apri" button, where the dialog's layout puts it. The pointer leaves
  # it first: a move to where the pointer already is never reports done, and
  # the previous start put it there.
  if [ "${1:-}" = Apri ]; then
    xdotool mousemove 0 0
    clic "$dialogo" 60 86
  fi
  prima=$(finestre)
  attiva "$dialogo"
  tasti Return
}
# The program's message boxes (dialogs) that are not among the ids in $1; the
# palette, a tool window, may show up at any moment of an opening.
messaggi_nuovi() {
  local id
  for id in $(comm -13 <(echo "$1") <(finestre)); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG && echo "$id"
  done
}
# The next message box of the program (up to 15 s), checked against the text
# $2, into $m, and answered with Return.
messaggio() {
  local _
  m=
  for _ in $(seq 150); do
    m=$(messaggi_nuovi "$1" | head -n1)
    [ -n "$m" ] && break
    sleep 0.1
  done
  [ -n "$m" ] || fail "no message \"$2\""
  sleep 0.2
  mostra "$m" "$2"
  attiva "$m"
  tasti Return
  sparita "$m" || fail "the message \"$2\" stayed"
}
# Saves with Ctrl+S from the main window; with $1, the message of a failed save
# that must show.
registra() {
  local principale prima_s
  principale=$(finestra "FIp.txt") || fail "no main window for FIp.txt"
  prima_s=$(finestre)
  attiva "$principale"
  tasti ctrl+s
  if [ -n "${1:-}" ]; then
    messaggio "$prima_s" "$1"
  else
    sleep 0.5
    [ -z "$(messaggi_nuovi "$prima_s")" ] || fail "a message after a save that should go through"
  fi
}
esci() {
  attiva "$(finestra "FIp.txt")"
  tasti ctrl+q
  attendi_uscita
}

# --- A folder where the invoice layout's file should be, at start-up.
mkdir "$file"
continua Apri
messaggio "$prima" "non può essere letto"
# The page is the invoice layout's: a field added and saved goes to FIp.txt,
# once the folder is out of the way.
principale=$(finestra "FIp.txt") || fail "the page is not the invoice layout's"
attiva "$principale"
tasti ctrl+n
registra "FIp.txt: al suo posto c'è una cartella"
rmdir "$file"
registra
{
  intestazione
  riga_campo '' '' 'Non definito' 100 100 100 14 'DejaVu Sans' 12 '' '' '' 0 0 0 0 0
} >"$tmp/atteso"
cmp -s "$file" "$tmp/atteso" || fail "the page was not saved to FIp.txt"
esci # saved: no question

# --- A thousand fixed texts: one warning, and every one of them read.
{
  intestazione
  for i in $(seq 1000); do riga_campo '' '' "testo $i" $((i % 500)) $((i % 800)) 60 14 'DejaVu Sans' 10 '' '' '' 0 0 0 0 0; done
} >"$file"
continua Apri
messaggio "$prima" "Attenzione: stai superando il limite massimo di 30 testi fissi per modulo."
finestra "FIp.txt" >/dev/null || fail "the layout did not open"
sleep 1
altri=$(messaggi_nuovi "$prima")
[ -z "$altri" ] || fail "more than one warning for the fixed texts"
esci
echo "a thousand fixed texts: one warning"

# --- The program's folder on a disk of its own (root only): full, then out of
# inodes, then with room again.
rm -f "$file"
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP (part): a disk of its own needs root"
  echo "PASS"
  exit 0
fi
mv "$tmp/programma/velarix" "$tmp/velarix"
disco="$tmp/programma"
if ! mount -t tmpfs -o size=24m,nr_inodes=64 velarix-prova "$disco" 2>/dev/null; then
  disco=
  mv "$tmp/velarix" "$tmp/programma/velarix"
  echo "SKIP (part): no tmpfs could be mounted"
  echo "PASS"
  exit 0
fi
cp "$tmp/velarix" "$disco/velarix"
continua # "Nuovo": a new invoice layout
principale=$(finestra "FIp.txt") || fail "no new layout"
attiva "$principale"
tasti ctrl+n
# Every block taken.
dd if=/dev/zero of="$disco/pieno" bs=64k 2>/dev/null
registra "non è riuscita: il disco è pieno"
rm "$disco/pieno"
# Room for data, none for one more file.
n=0
while touch "$disco/inode-$n" 2>/dev/null; do n=$((n + 1)); done
registra "sul disco non c'è posto per altri file (gli inode sono esauriti)"
rm -f "$disco"/inode-*
registra
cmp -s "$disco/FIp.txt" "$tmp/atteso" || fail "the page was not saved once there was room"
esci
smonta
echo "PASS"
