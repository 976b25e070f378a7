#!/bin/bash
# Draws the program's four pictures (our own drawings) with ImageMagick, at
# 1x and 2x: run it from anywhere; it rewrites resources/immagini/*.png.
#   169  the maker's logo, backdrop of the about window (396 x 158)
#   170  the application icon (48 x 38)
#   172  left-aligned text, icon of a toggle button (14 x 14)
#   173  right-aligned text, icon of a toggle button (14 x 14)
set -euo pipefail
cd "$(dirname "$0")/immagini"

FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
BLU='#14546e'
ARANCIO='#e8702a'
GRIGIO='#c8d2d8'

# Every coordinate below is in 1x pixels; s scales it.
disegna() {
    local s=$1 suffisso=$2
    p() { echo $(( $1 * s )); }

    # The logo leaves the right part and the lines where the about window writes
    # its texts free: the mark and the name sit top left.
    convert -size "$(p 396)x$(p 158)" xc:white \
        -fill "$BLU" -stroke none \
        -draw "rectangle $(p 10),$(p 4) $(( $(p 17) - 1 )),$(( $(p 34) - 1 ))" \
        -draw "rectangle $(p 35),$(p 4) $(( $(p 42) - 1 )),$(( $(p 34) - 1 ))" \
        -fill "$ARANCIO" \
        -draw "polygon $(p 10),$(p 4) $(p 18),$(p 4) $(p 42),$(p 34) $(p 34),$(p 34)" \
        -fill "$BLU" -font "$FONT" -pointsize "$(p 24)" \
        -draw "text $(p 50),$(p 32) 'Norvale'" \
        -fill "$GRIGIO" \
        -draw "rectangle $(p 170),$(p 14) $(( $(p 171) - 1 )),$(( $(p 116) - 1 ))" \
        -draw "rectangle $(p 10),$(p 124) $(( $(p 340) - 1 )),$(( $(p 125) - 1 ))" \
        -fill "$ARANCIO" \
        -draw "rectangle $(p 10),$(p 124) $(( $(p 42) - 1 )),$(( $(p 125) - 1 ))" \
        -strip "PNG32:169$suffisso.png"

    # The icon: a page with its fields and the pointer that places them.
    convert -size "$(p 48)x$(p 38)" xc:none \
        -fill "$BLU" -draw "roundrectangle 0,0 $(( $(p 48) - 1 )),$(( $(p 38) - 1 )) $(p 6),$(p 6)" \
        -fill white -draw "rectangle $(p 7),$(p 4) $(( $(p 28) - 1 )),$(( $(p 34) - 1 ))" \
        -fill "$ARANCIO" -draw "rectangle $(p 10),$(p 8) $(( $(p 25) - 1 )),$(( $(p 12) - 1 ))" \
        -fill "$GRIGIO" \
        -draw "rectangle $(p 10),$(p 15) $(( $(p 21) - 1 )),$(( $(p 17) - 1 ))" \
        -draw "rectangle $(p 10),$(p 20) $(( $(p 25) - 1 )),$(( $(p 22) - 1 ))" \
        -fill none -stroke "$ARANCIO" -strokewidth "$s" \
        -draw "rectangle $(p 10),$(p 26) $(( $(p 23) - 1 )),$(( $(p 31) - 1 ))" \
        -fill white -stroke none \
        -draw "polygon $(p 31),$(p 12) $(p 31),$(p 29) $(p 35),$(p 25) $(p 38),$(p 31) $(p 40),$(p 30) $(p 37),$(p 24) $(p 42),$(p 24)" \
        -strip "PNG32:170$suffisso.png"

    # The alignment icons: four lines, long and short, flush left or right.
    local sx=() dx=() y
    for y in 0 4 8 12; do
        local lung=14
        if (( y == 4 || y == 12 )); then lung=9; fi
        sx+=(-draw "rectangle 0,$(p "$y") $(( $(p "$lung") - 1 )),$(( $(p $((y + 2))) - 1 ))")
        dx+=(-draw "rectangle $(p $((14 - lung))),$(p "$y") $(( $(p 14) - 1 )),$(( $(p $((y + 2))) - 1 ))")
    done
    convert -size "$(p 14)x$(p 14)" xc:none -fill '#303030' "${sx[@]}" -strip "PNG32:172$suffisso.png"
    convert -size "$(p 14)x$(p 14)" xc:none -fill '#303030' "${dx[@]}" -strip "PNG32:173$suffisso.png"
}

disegna 1 ""
disegna 2 "@2x"
