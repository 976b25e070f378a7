#!/usr/bin/env bash
# Tampered configuration files opened through the start-up dialog of the real
# program under its own Xvfb: a changed header gives the two messages in turn,
# round and round while the person answers "Apri", and leaves the file alone
# when "Nuovo" ends it; a line cut short and an unknown code are read, shown
# and saved back complete, the unknown code as "-1", with nothing lost; and on
# an Italian desktop numbers with a fraction or an exponent keep their values;
# a picture name that starts with ":" is a file of the program's folder.
# Usage: manomesso.sh <velarix binary> <artefacts folder>. Exit 77: skipped.
binario=${1:?path of the velarix binary}
artefatti=${2:?folder for artefacts}
source "$(dirname "$0")/comune.sh"
prepara
printf 'DejaVu Sans\r12\r' >"$tmp/config/Velarix pref"
file="$tmp/programma/FIp.txt"

righe_comuni() {
  riga_campo '' 24 '' 300 40 100 14 'DejaVu Sans' 12 '' '' '' 0 0 0 1 2
}

# Starts the program and opens the invoice layout with "Apri"; the program's
# windows before that go into $prima.
apri_fattura() {
  avvia
  clic_testo "$dialogo" "Apri"
  prima=$(finestre)
  attiva "$dialogo"
  tasti Return
}
# The next message of the program, checked against its text, into $m.
messaggio() {
  m=$(nuova_finestra "$1") || fail "no message \"$2\""
  mostra "$m" "$2"
}

# --- A header that is not "<FCS>".
{
  printf '<FCX><F><1.0.4><27-04-2017>\r\r\r100\r150\r350\r'
  righe_comuni
} >"$file"
cp "$file" "$tmp/originale"

estraneo="Il file FIp.txt non è un file di configurazione stampe. Ne creo uno nuovo."
esiste="Esiste già un file di configurazione FIp.txt. Vuoi aprire quello esistente o crearne uno nuovo?"
apri_fattura
# Two turns of the cycle: "Apri" reads the same file again.
for risposta in Apri Nuovo; do
  messaggio "$prima" "$estraneo"
  attiva "$m"
  tasti Return
  sparita "$m" || fail "the message stayed"
  messaggio "$prima" "$esiste"
  clic_testo "$m" "$risposta"
  sparita "$m" || fail "the question stayed after \"$risposta\""
done
finestra "FIp.txt" >/dev/null || fail "no new layout after \"Nuovo\""
attiva "$(finestra "FIp.txt")"
tasti ctrl+q # nothing changed: no question
attendi_uscita
cmp -s "$file" "$tmp/originale" || fail "the foreign file was changed"

# --- A line cut short after its font size, and a code the catalogue lacks.
{
  printf '<FCS><F><1.0.4><27-04-2017>\r\r\r100\r200\r350\r'
  righe_comuni
  riga_campo '' ZZ9 '' 60 400 120 16 'DejaVu Sans' 11 '*' '' '' 200 0 0 2 3
  printf '\t63\t\t80\t300\t150\t20\tDejaVu Sans\t14\r'
  riga_campo '' '' 'Totale' 300 450 100 14 'DejaVu Sans' 12 '' '*' '' 0 0 0 0 0
} >"$file"
apri_fattura
principale=$(finestra "FIp.txt") || fail "the file was not opened"
sleep 0.3
# The unknown code's field, its frame at 60, 400 on the page below the menu bar.
eval "$(xdotool getwindowgeometry --shell "$principale")"
mostra "$principale" "<sconosciuto>" "160x40+50+$((HEIGHT - 612 + 386))"
# Everything selected and moved one pixel right and back: the layout is
# marked modified, not changed; then it is saved and the program quits
# without a question.
attiva "$principale"
tasti ctrl+a ctrl+6 ctrl+4 ctrl+s ctrl+q
attendi_uscita
{
  printf '<FCS><F><1.0.4><27-04-2017>\r\r\r100\r200\r350\r'
  righe_comuni
  riga_campo '' -1 '' 60 400 120 16 'DejaVu Sans' 11 '*' '' '' 200 0 0 2 3
  riga_campo '' 63 '' 80 300 150 20 'DejaVu Sans' 14 '' '' '' 0 0 0 0 0
  riga_campo '' '' 'Totale' 300 450 100 14 'DejaVu Sans' 12 '' '*' '' 0 0 0 0 0
} >"$tmp/atteso"
if ! cmp -s "$file" "$tmp/atteso"; then
  echo "expected:"
  od -c "$tmp/atteso"
  echo "found:"
  od -c "$file"
  fail "the tampered layout was not saved back complete"
fi
# --- Numbers written by hand on an Italian desktop, whose decimal point is a
# comma: fractional sizes and a number with an exponent are read as the file
# means them; saved, they are written as the program writes numbers, and that
# file is saved again byte for byte.
{
  printf '<FCS><F><1.0.4><27-04-2017>\r\r\r1.6e2\r200\r350\r'
  riga_campo '' '' 'Totale' 1.6e2 450 12.5 2.25 'DejaVu Sans' 1.2e1 '' '' '' 0 0 0 0 0
  riga_campo '' 63 '' 80 300 150.75 20 'DejaVu Sans' 14 '' '' '' 0 0 0 0 0
} >"$file"
{
  printf '<FCS><F><1.0.4><27-04-2017>\r\r\r160\r200\r350\r'
  riga_campo '' '' 'Totale' 160 450 12.5 2.25 'DejaVu Sans' 12 '' '' '' 0 0 0 0 0
  riga_campo '' 63 '' 80 300 150.75 20 'DejaVu Sans' 14 '' '' '' 0 0 0 0 0
} >"$tmp/atteso"
for giro in "hand-written" "as saved"; do
  LC_ALL=it_IT.UTF-8 apri_fattura
  principale=$(finestra "FIp.txt") || fail "the file was not opened ($giro)"
  attiva "$principale"
  tasti ctrl+a ctrl+6 ctrl+4 ctrl+s ctrl+q
  attendi_uscita
  if ! cmp -s "$file" "$tmp/atteso"; then
    echo "expected:"
    od -c "$tmp/atteso"
    echo "found:"
    od -c "$file"
    fail "the numbers of the $giro file did not survive on an Italian desktop"
  fi
done

# --- A picture name that starts with ":", which the toolkit would take for one
# of its built-in resources (":immagini" holds the program's pictures): a file
# of the program's folder like any other name. Missing, it is reported and
# dropped; a picture of such a name is picked in the open-file dialog, shown,
# and saved as its name; opened again it is found, and saved back byte for byte.
convert -size 120x60 xc:'#00A0A0' "png:$tmp/programma/:modulo.png"
# Whether the page shows the colour $3 (#RRGGBB) at (x, y), within 3 s.
colore_pagina() {
  local X Y WIDTH HEIGHT SCREEN WINDOW _ c
  geometria "$principale"
  for _ in $(seq 30); do
    c=$(import -window "$principale" -crop "1x1+$1+$((HEIGHT - 612 + $2))" +repage -depth 8 txt:- \
      2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n 1)
    [ "$c" = "$3" ] && return 0
    sleep 0.1
  done
  echo "the page shows $c at $1, $2"
  return 1
}
testa_due_punti() { printf '<FCS><F><1.0.4><27-04-2017>\r%s\r\r100\r200\r350\r' "$1"; }
{
  testa_due_punti ':immagini'
  righe_comuni
} >"$file"
apri_fattura
messaggio "$prima" "Il file del modulo grafico di sfondo :immagini non è stato trovato."
attiva "$m"
tasti Return
sparita "$m" || fail "the missing-picture message stayed"
principale=$(finestra "FIp.txt") || fail "the layout naming :immagini was not opened"
colore_pagina 20 20 "#FFFFFF" || fail "the page shows a picture for :immagini"
importa_modulo "$principale" ":modulo.png"
colore_pagina 20 20 "#00A0A0" || fail "the picture :modulo.png is not shown"
import -window root "$artefatti/manomesso-due-punti.png"
attiva "$principale"
tasti ctrl+s ctrl+q
attendi_uscita
{
  testa_due_punti ':modulo.png'
  righe_comuni
} >"$tmp/atteso"
cmp -s "$file" "$tmp/atteso" || fail "the picture picked was not saved as :modulo.png"
apri_fattura
principale=$(finestra "FIp.txt") || fail "the layout naming :modulo.png was not opened"
colore_pagina 20 20 "#00A0A0" || fail "the picture :modulo.png is not found again"
attiva "$principale"
tasti ctrl+a ctrl+6 ctrl+4 ctrl+s ctrl+q
attendi_uscita
cmp -s "$file" "$tmp/atteso" || fail "the layout naming :modulo.png was not saved back as it was"

echo "start-up median: $(mediana "${avvii[@]}") ms over ${#avvii[@]} launches"
echo "PASS"
