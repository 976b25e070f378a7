#!/usr/bin/env bash
# The page at the scale factors laptops ship with, 125 % and 150 %, on a desktop
# with a window manager (openbox), in Italian: a selection band dragged over a
# layout of fields and back, in steps short and long, leaves on the screen the
# very pixels that painting the whole page again shows, while the band is held
# and once it is released. The page is painted whole by resizing the window
# and back; the X server's own pixels of the window are compared before and
# after, and any pixel that differs is a trail left on the screen.
# Usage: scala.sh <velarix binary> <artefacts folder>. Exit 77: skipped.
binario=${1:?path of the velarix binary}
artefatti=${2:?folder for the screenshots}
source "$(dirname "$0")/comune.sh"
source "$(dirname "$0")/openbox.sh"
inizio_suite=$(ora_ms)
inizia_desktop

printf 'DejaVu Sans\r12\r' >"$tmp/config/Velarix pref"
file="$tmp/programma/FIp.txt"
# Forty data fields in a grid and a few fixed texts, labels in two sizes.
{
  printf '<FCS><F><1.0.4><27-04-2017>\r\r\r100\r150\r350\r'
  for riga in $(seq 0 7); do
    for colonna in $(seq 0 4); do
      riga_campo '' $((1 + (riga * 5 + colonna) % 60)) '' $((40 + colonna * 105)) \
        $((170 + riga * 40)) 90 18 'DejaVu Sans' $((10 + colonna % 2 * 3)) '' '' '' 0 0 0 0 0
    done
  done
  for i in 0 1 2; do
    riga_campo '' '' "Totale $i" $((60 + i * 150)) 520 110 20 'DejaVu Sans' 14 '*' '' '' 0 0 0 0 0
  done
} >"$file"

# The X server's pixels of the main window into $1.
foto() { import -window "$principale" "$1" 2>/dev/null || fail "no picture of the main window"; }
# The page painted whole: the window a little larger, then back to its size.
ridisegna_tutto() {
  local X Y WIDTH HEIGHT
  geometria "$principale"
  xdotool windowsize --sync "$principale" $((WIDTH + 37)) $((HEIGHT + 23)) 2>/dev/null
  sleep 0.4
  xdotool windowsize --sync "$principale" "$WIDTH" "$HEIGHT" 2>/dev/null
  sleep 0.6
}
# How many pixels of the window differ from a full repaint of the page now;
# the pictures of both stay in the artefacts folder under the name $1.
tracce() {
  foto "$artefatti/scala-$1.png"
  ridisegna_tutto
  foto "$artefatti/scala-$1-intera.png"
  compare -metric AE "$artefatti/scala-$1.png" "$artefatti/scala-$1-intera.png" null: 2>&1 |
    awk '{print int($1)}'
}

# A band from empty page left of the grid, over the fields and back, in page
# pixels: single pixels, a few pixels, long strides, every direction.
passi=(21,301 23,303 30,310 120,360 230,420 231,421 229,419 330,470 480,520 560,560
  560,300 400,180 150,170 60,250 30,320 20,302 100,330 101,330 300,400 450,480 200,250
  120,200 60,150 40,330)
totale=0
for scala in 1.25 1.5; do
  QT_SCALE_FACTOR=$scala avvia
  clic_testo "$dialogo" "Apri"
  attiva "$dialogo"
  tasti Return
  principale=$(finestra "FIp.txt") || fail "at $scala the invoice layout did not open"
  trova_tavolozza "$principale" || fail "at $scala no palette"
  # The main window in the corner and the palette beside it, so that all of
  # the page is seen.
  xdotool windowmove --sync "$principale" 0 0 2>/dev/null
  xdotool windowmove --sync "$tavolozza" 920 0 2>/dev/null
  sleep 0.3
  attiva "$principale"
  sleep 0.5
  geometria "$principale"
  # The page below the menu bar, its pixels scala device pixels apart.
  barra=$(awk -v h="$HEIGHT" -v s="$scala" 'BEGIN { printf "%d", h - 612 * s + 0.5 }')
  schermo() { awk -v x="$1" -v y="$2" -v s="$scala" -v X="$X" -v Y="$Y" -v b="$barra" \
    'BEGIN { printf "%d %d", X + x * s + 0.5, Y + b + y * s + 0.5 }'; }
  misure=()
  xdotool mousemove --sync $(schermo 20 300) mousedown 1
  sleep 0.1
  for i in "${!passi[@]}"; do
    p=${passi[$i]}
    xdotool mousemove --sync $(schermo "${p%,*}" "${p#*,}")
    sleep 0.05
    if [ $(((i + 1) % 4)) -eq 0 ]; then
      n=$(tracce "$scala-tenuta-$((i + 1))")
      misure+=("$n")
      totale=$((totale + n))
      geometria "$principale"
    fi
  done
  xdotool mouseup 1
  sleep 0.3
  n=$(tracce "$scala-rilasciata")
  misure+=("$n")
  totale=$((totale + n))
  echo "scale $scala: pixels unlike a full repaint, every 4 steps held and after the release: ${misure[*]}"
  kill "$prog_pid" 2>/dev/null
  wait "$prog_pid" 2>/dev/null
  prog_pid=
done
[ "$totale" -eq 0 ] || fail "the band left $totale pixels unlike the page on the screen"

echo "fractional scale run: $(($(ora_ms) - inizio_suite)) ms"
echo "PASS"
