#!/usr/bin/env bash
# A person's whole session with the real program under its own Xvfb: a new
# invoice layout with a background picture, three data fields and two fixed
# texts placed with the mouse and set up in the palette, the "D" line moved,
# saved, quit through each answer of the save-changes question, opened again
# and found unchanged. The saved file is checked byte by byte. A screenshot of
# the main window with the palette is left in the artefacts folder.
# Usage: percorso.sh <velarix binary> <artefacts folder>. Exit 77: skipped.
binario=${1:?path of the velarix binary}
artefatti=${2:?folder for the screenshot}
source "$(dirname "$0")/comune.sh"
inizio_suite=$(ora_ms)
prepara

# The person's saved preferences: new fields in DejaVu Sans at 12 points.
printf 'DejaVu Sans\r12\r' >"$tmp/config/Velarix pref"
convert -size 300x200 xc:'#F4F0E0' -fill '#C0D0F0' -draw 'rectangle 20,20 280,60' \
  "$tmp/programma/modulo.png"
file="$tmp/programma/FIp.txt"

# The file of a layout with the background "modulo.png", no "D2" field, the
# section lines at $1 $2 $3 and the field lines that follow.
file_atteso() {
  printf '<FCS><F><1.0.4><27-04-2017>\rmodulo.png\r\r%s\r%s\r%s\r' "$1" "$2" "$3"
  shift 3
  printf '%s' "$@"
}
confronta() {
  cmp -s "$1" "$2" && return 0
  echo "expected:"
  od -c "$2" | head -40
  echo "found:"
  od -c "$1" | head -40
  fail "$3"
}

# Geometry: the page starts below the main window's menu bar, which is the
# window's height less the 612 pixels of its content; the palette is the
# window that its Open moved to left 600, top 40.
principale=
tavolozza=
barra=0
finestre_principali() {
  principale=$(finestra "FIp.txt") || fail "no layout for Fattura"
  local w X Y WIDTH HEIGHT SCREEN WINDOW _
  for _ in $(seq 50); do
    for w in $(finestre); do
      geometria "$w"
      if [ "$X" -eq 600 ] && [ "$Y" -eq 40 ]; then tavolozza=$w; fi
    done
    [ -n "$tavolozza" ] && break
    sleep 0.1
  done
  [ -n "$tavolozza" ] || fail "the palette is not at left 600, top 40"
  geometria "$principale"
  barra=$((HEIGHT - 612))
}
su_pagina() { clic "$principale" "$1" $((barra + $2)); }
trascina_pagina() { trascina "$principale" "$1" $((barra + $2)) "$3" $((barra + $4)); }
tasti_principale() {
  attiva "$principale"
  tasti "$@"
}
# Types a value into a palette box at (x, y) and leaves it with Tab.
nella_casella() {
  clic "$tavolozza" "$1" "$2"
  attiva "$tavolozza"
  tasti ctrl+a
  scrivi "$3"
  tasti Tab
}
# Opens the popup at (x, y) of the palette and moves down $3 rows.
scegli_riga() {
  local prima lista giu=() i
  prima=$(finestre)
  clic "$tavolozza" "$1" "$2"
  lista=$(nuova_finestra "$prima") || fail "the popup at $1, $2 did not open"
  for ((i = 0; i < $3; i++)); do giu+=(Down); done
  tasti "${giu[@]}" Return
  sparita "$lista" || fail "the popup at $1, $2 stayed open"
}
# A new field from the menu shortcut or the palette's button, at 100, 100
# and 100 x 14, moved with the mouse so that its frame starts at (x, y).
nuovo_campo() {
  if [ "$1" = menu ]; then
    tasti_principale ctrl+n
  else
    clic "$tavolozza" 61 234
  fi
  trascina_pagina 105 107 $(($2 + 5)) $(($3 + 7))
}
# The save-changes question after the shortcut $1, answered by clicking $2,
# or by Return for its default button, "Registra".
rispondi_dopo() {
  local prima domanda
  prima=$(finestre)
  tasti_principale "$1"
  domanda=$(nuova_finestra "$prima") || fail "no save-changes question after $1"
  mostra "$domanda" "Vuoi registrare le modifiche a questo configuratore?"
  if [ "$2" = Registra ]; then
    attiva "$domanda"
    tasti Return
  else
    clic_testo "$domanda" "$2"
  fi
  sparita "$domanda" || fail "the question stayed after \"$2\""
}
esci_rispondendo() { rispondi_dopo ctrl+q "$1"; }

# --- First run: a new layout for "Fattura".
avvia
attiva "$dialogo"
tasti Return # "Continua" with "Nuovo" and "Fattura", as the dialog starts
finestre_principali

# The background picture through the platform's open-file dialog.
importa_modulo "$principale" "$tmp/programma/modulo.png"

# A detail field: "dettaglio: aliquota IVA %", catalogue row 41, code D13,
# moved to 120, 160, stretched to 180 x 18 by its handle, in Liberation Serif,
# bold, coloured #1F3A7C, aligned left.
nuovo_campo menu 120 160
trascina_pagina 218 172 300 178
scegli_riga 203 23 41
prima=$(finestre)
clic "$tavolozza" 203 111
menu=$(nuova_finestra "$prima") || fail "the font menu did not open"
clic_testo "$menu" "Liberation Serif"
clic "$tavolozza" 115 155
prima=$(finestre)
clic "$tavolozza" 134 177
colore=$(nuova_finestra "$prima") || fail "no colour chooser"
attiva "$colore"
tasti alt+h ctrl+a
scrivi "#1F3A7C"
tasti Return
sparita "$colore" || fail "the colour chooser stayed"
clic "$tavolozza" 223 155

# "ABI" (row 1, code 24) at 300, 40, on every page but the last, centred.
nuovo_campo palette 300 40
scegli_riga 203 23 1
scegli_riga 203 199 1
clic "$tavolozza" 253 155

# "aliquota IVA 1 %" (row 2, code 63) at 60, 400, 14 points, only on the last
# page, aligned right.
nuovo_campo menu 60 400
scegli_riga 203 23 2
scegli_riga 203 199 2
nella_casella 131 133 14
clic "$tavolozza" 283 155

# Two fixed texts: one in italics at 300, 450, stretched to 160 x 16, one
# underlined at 40, 520.
nuovo_campo palette 300 450
nella_casella 203 45 "Totale documento"
clic "$tavolozza" 145 155
trascina_pagina 398 462 460 466
nuovo_campo menu 40 520
nella_casella 203 45 "Grazie"
clic "$tavolozza" 175 155

# The "D" line from 150 down to 200, taken by its grab zone.
trascina_pagina 5 148 5 198

tasti_principale ctrl+s
for _ in $(seq 50); do
  [ -s "$file" ] && break
  sleep 0.1
done
[ -f "$file" ] || fail "Ctrl+S wrote no $file"

campi() {
  riga_campo '*' D13 '' 120 160 180 18 'Liberation Serif' 12 '*' '' '' 31 58 124 0 1
  riga_campo '' 24 '' 300 40 100 14 'DejaVu Sans' 12 '' '' '' 0 0 0 1 2
  riga_campo '' 63 '' 60 400 100 14 'DejaVu Sans' 14 '' '' '' 0 0 0 2 3
  riga_campo '' '' 'Totale documento' 300 450 160 16 'DejaVu Sans' 12 '' '*' '' 0 0 0 0 0
  riga_campo '' '' 'Grazie' "$1" 520 100 14 'DejaVu Sans' 12 '' '' '*' 0 0 0 0 0
}
file_atteso 100 200 350 "$(campi 40)" >"$tmp/atteso1"
confronta "$file" "$tmp/atteso1" "the saved layout differs"

# A further move of the last text, then Ctrl+Q: "Annulla" keeps the program,
# "Registra" saves and quits.
trascina_pagina 45 527 55 527
esci_rispondendo "Annulla"
ancora_vivo || fail "the program ended after \"Annulla\""
confronta "$file" "$tmp/atteso1" "\"Annulla\" changed the file"
esci_rispondendo "Registra"
attendi_uscita
file_atteso 100 200 350 "$(campi 50)" >"$tmp/atteso2"
confronta "$file" "$tmp/atteso2" "\"Registra\" on quitting saved another layout"

# --- Second run: the same file through "Apri" in the start-up dialog.
avvia
clic_testo "$dialogo" "Apri"
attiva "$dialogo"
tasti Return
finestre_principali
# Selecting everything and moving it one pixel right and back left marks the
# layout modified without changing it; the file written again must be the one
# that was read.
cp "$file" "$tmp/letto"
rm "$file"
tasti_principale ctrl+a ctrl+6 ctrl+4 ctrl+s
for _ in $(seq 50); do
  [ -s "$file" ] && break
  sleep 0.1
done
[ -f "$file" ] || fail "the reopened layout was not saved again"
confronta "$file" "$tmp/atteso2" "the reopened layout is saved differently"

# The picture for a person to look at: the layout with "ABI" selected and
# shown in the palette.
su_pagina 450 580
su_pagina 320 47
sleep 0.3
import -window root "$artefatti/velarix.png" || fail "no screenshot"

# A change, then "Apri..." given up at the question: the palette, hidden
# meanwhile, is back where it was. Then the change is dropped with "Non
# registrare" on quitting: the file stays as it was.
su_pagina 450 580
trascina_pagina 55 527 45 527
rispondi_dopo ctrl+o "Annulla"
tavolozza=
finestre_principali
esci_rispondendo "Non registrare"
attendi_uscita
confronta "$file" "$tmp/atteso2" "\"Non registrare\" changed the file"

echo "start-up median: $(mediana "${avvii[@]}") ms over ${#avvii[@]} launches"
echo "session: $(($(ora_ms) - inizio_suite)) ms"
echo "PASS"
