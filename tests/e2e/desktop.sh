#!/usr/bin/env bash
# The real program on a desktop with a window manager (openbox), in Italian, as
# the window manager itself sees it: the start-up dialog centred over the main
# window where the window manager put it, the palette beside that window's
# right edge and transient for it (never above every application), the toolkit's
# colour and file choosers in Italian, the file chooser in the program's folder,
# no close function asked of the window manager, and a close it offers all the
# same (Alt+F4) asking the save-changes question: "Annulla" keeps the program
# running, "Non registrare" quits without writing. Screenshots of the desktop
# are left in the artefacts folder.
# Usage: desktop.sh <velarix binary> <artefacts folder>. Exit 77: skipped.
binario=${1:?path of the velarix binary}
artefatti=${2:?folder for the screenshots}
source "$(dirname "$0")/comune.sh"
source "$(dirname "$0")/openbox.sh"
inizio_suite=$(ora_ms)
inizia_desktop

vicino() { [ $(($1 - $2)) -le "$3" ] && [ $(($2 - $1)) -le "$3" ]; }
# Checks that the window $1's frame is centred over the main window's, within
# 3 pixels (a frame of odd size has no middle pixel).
centrata() {
  local FX FY FW FH mx my
  cornice "$principale"
  mx=$((FX + FW / 2)) my=$((FY + FH / 2))
  cornice "$1"
  vicino $((FX + FW / 2)) "$mx" 3 && vicino $((FY + FH / 2)) "$my" 3 ||
    fail "$2 is centred at $((FX + FW / 2)), $((FY + FH / 2)), the main window at $mx, $my"
}
esadecimale() { printf '0x%x' "$1"; }

printf 'DejaVu Sans\r12\r' >"$tmp/config/Velarix pref"
convert -size 60x40 xc:white "$tmp/programma/modulo-fattura.png"

# --- Start-up: the new/open dialog over the main window.
avvia
principale=$(finestra "Velarix") || fail "no main window"
sleep 0.3 # the dialog is mapped; the window manager answers its last move
centrata "$dialogo" "the new/open dialog"
import -window root "$artefatti/desktop-avvio.png"

# No close function asked of the window manager: _MOTIF_WM_HINTS lists the
# functions (flag 1) and leaves out "all" (1) and "close" (32).
read -r mwm_flag mwm_funzioni _ < <(xprop -id "$principale" _MOTIF_WM_HINTS |
  sed 's/.*= //; s/,//g')
[ $((mwm_flag & 1)) -eq 1 ] && [ $((mwm_funzioni & 33)) -eq 0 ] ||
  fail "the main window asks for a close function: _MOTIF_WM_HINTS $mwm_flag $mwm_funzioni"
echo "openbox allows the main window: $(xprop -id "$principale" _NET_WM_ALLOWED_ACTIONS |
  sed 's/.*= //')"

attiva "$dialogo"
tasti Return # "Continua": a new invoice layout
sparita "$dialogo" || fail "the new/open dialog stayed"
principale=$(finestra "FIp.txt") || fail "no layout for Fattura"

# --- The palette: beside the main window's right edge, 40 pixels below its
# top, transient for it and not above every application.
trova_tavolozza "$principale" || fail "no palette"
cornice "$principale"
atteso_x=$((FX + FW + 16)) atteso_y=$((FY + 40))
for _ in $(seq 20); do
  cornice "$tavolozza"
  [ "$FX" -eq "$atteso_x" ] && [ "$FY" -eq "$atteso_y" ] && break
  sleep 0.1
done
[ "$FX" -eq "$atteso_x" ] && [ "$FY" -eq "$atteso_y" ] ||
  fail "the palette's frame is at $FX, $FY, not at $atteso_x, $atteso_y beside the main window"
xprop -id "$tavolozza" _NET_WM_STATE | grep -q ABOVE && fail "the palette stays above everything"
transitoria=$(xprop -id "$tavolozza" WM_TRANSIENT_FOR | sed -n 's/.*# //p')
[ "$transitoria" = "$(esadecimale "$principale")" ] ||
  fail "the palette is transient for \"$transitoria\", not for the main window"
import -window root "$artefatti/desktop-palette.png"

# --- The colour chooser, from the palette's swatch: Italian, centred.
prima=$(finestre)
clic "$tavolozza" 130 177
colore=$(nuova_finestra "$prima") || fail "no colour chooser"
sleep 0.3
centrata "$colore" "the colour chooser"
mostra "$colore" "Colori di base"
mostra "$colore" "Annulla"
import -window root "$artefatti/desktop-colore.png"
attiva "$colore"
tasti Escape
sparita "$colore" || fail "the colour chooser stayed"

# --- The file chooser of "Importa modulo grafico...": Italian, centred, in the
# program's folder.
apri_importa "$principale"
sleep 0.3
centrata "$scelta" "the open-file dialog"
mostra "$scelta" "Cerca in"
mostra "$scelta" "modulo-fattura.png"
import -window root "$artefatti/desktop-file.png"
attiva "$scelta"
tasti Escape
sparita "$scelta" || fail "the open-file dialog stayed"

# --- A close offered by the window manager is the quit command.
chiudi_con_alt_f4() {
  local prima domanda
  prima=$(finestre)
  attiva "$principale"
  tasti alt+F4
  domanda=$(nuova_finestra "$prima") || fail "no save-changes question after Alt+F4"
  sleep 0.3
  centrata "$domanda" "the save-changes question"
  mostra "$domanda" "Vuoi registrare le modifiche a questo configuratore?"
  [ "$1" = Annulla ] && import -window root "$artefatti/desktop-domanda.png"
  clic_testo "$domanda" "$1"
  sparita "$domanda" || fail "the question stayed after \"$1\""
}
attiva "$principale"
tasti ctrl+n # a new field: the layout has unsaved changes
chiudi_con_alt_f4 Annulla
ancora_vivo || fail "the program quit after \"Annulla\""
xdotool search --onlyvisible --pid "$prog_pid" 2>/dev/null | grep -qx "$principale" ||
  fail "the main window went away after \"Annulla\""
chiudi_con_alt_f4 "Non registrare"
attendi_uscita
[ -e "$tmp/programma/FIp.txt" ] && fail "\"Non registrare\" wrote FIp.txt"

echo "desktop run: $(($(ora_ms) - inizio_suite)) ms"
echo "PASS"
