#!/usr/bin/env bash
# What is typed into a palette box reaches the field before whatever the user
# does next, on a desktop with a window manager (openbox), in Italian, with real
# typing and real clicks: a position typed and followed by a click on the page,
# then Ctrl+S; a position typed and saved with Ctrl+S while the box still has
# the keyboard; a position typed and followed by a click on the bold toggle,
# which takes no keyboard from the box: the page shows the field moved before
# it is made bold. The saved file must hold every value.
# Usage: digitazione.sh <velarix binary> <artefacts folder>. Exit 77: skipped.
binario=${1:?path of the velarix binary}
artefatti=${2:?folder for the screenshots}
source "$(dirname "$0")/comune.sh"
source "$(dirname "$0")/openbox.sh"
inizio_suite=$(ora_ms)
inizia_desktop

printf 'DejaVu Sans\r12\r' >"$tmp/config/Velarix pref"
file="$tmp/programma/FIp.txt"

avvia
attiva "$dialogo"
tasti Return # "Continua": a new invoice layout
sparita "$dialogo" || fail "the new/open dialog stayed"
principale=$(finestra "FIp.txt") || fail "no layout for Fattura"
trova_tavolozza "$principale" || fail "no palette"
geometria "$principale"
barra=$((HEIGHT - 612)) # the page starts below the menu bar
su_pagina() { clic "$principale" "$1" $((barra + $2)); }

# Types into the palette's box at (x, y) of the palette, as a person does:
# a click into it, everything in it selected, the new text typed.
scrivi_nella_casella() {
  clic "$tavolozza" "$1" "$2"
  tasti ctrl+a
  scrivi "$3"
}
# The field's x and y as the saved file has them, once the file has changed
# from $1 (a copy of it, or "" for none).
posizione_salvata() {
  local _
  for _ in $(seq 50); do
    [ -s "$file" ] && ! cmp -s "$file" "$1" && break
    sleep 0.1
  done
  tr '\r' '\n' <"$file" | awk -F'\t' '$3 == "Non definito" { print $4, $5 }'
}

# A new field at 100, 100, selected with a click on it: the palette shows it.
attiva "$principale"
tasti ctrl+n
su_pagina 150 107

# The x box ("Sinistra"), then a click on an empty part of the page: the click
# empties the palette, but the 250 must already be in the field.
scrivi_nella_casella 131 67 250
su_pagina 400 500
attiva "$principale"
tasti ctrl+s
letta=$(posizione_salvata "")
[ "$letta" = "250 100" ] || fail "after a click on the page the file has the field at \"$letta\", not at 250 100"

# The y box ("Superiore"), and Ctrl+S while the box still has the keyboard.
cp "$file" "$tmp/prima"
su_pagina 300 107
scrivi_nella_casella 131 89 321
import -window root "$artefatti/digitazione.png"
tasti ctrl+s
letta=$(posizione_salvata "$tmp/prima")
[ "$letta" = "250 321" ] || fail "Ctrl+S in the box saved the field at \"$letta\", not at 250 321"

# The x box again, then the bold toggle: the field stands at 400 on the page
# at once, its frame's grey right of the label, and nothing is left at 250.
cp "$file" "$tmp/prima"
scrivi_nella_casella 131 67 400
clic "$tavolozza" 115 155
sleep 0.2
import -window root "$artefatti/digitazione-grassetto.png" # the bold toggle pressed
import -window "$principale" "$tmp/pagina.png"
colore() { convert "$tmp/pagina.png" -format "%[hex:p{$1,$(($2 + barra))}]" info: | cut -c1-6; }
[ "$(colore 492 324)" = CED1D1 ] ||
  fail "the page shows no field at 400 after the bold toggle: $(colore 492 324) at 492, 324"
[ "$(colore 342 324)" = FFFFFF ] || fail "the field is still drawn at 250: $(colore 342 324)"
attiva "$principale"
tasti ctrl+s
letta=$(posizione_salvata "$tmp/prima")
[ "$letta" = "400 321" ] || fail "after the bold toggle the file has the field at \"$letta\""
tr '\r' '\n' <"$file" | awk -F'\t' '$3 == "Non definito" { print $10 }' | grep -qx '\*' ||
  fail "the field was not saved bold"

echo "typing run: $(($(ora_ms) - inizio_suite)) ms"
echo "PASS"
