// Temporary: link-only stand-ins until the palette's editors are built.
#include "framework/Drawing.h"
#include "palette/wPalette.h"

namespace vx {
void wPalette::pbAggiungi_Action() {}
void wPalette::efTestoFisso_LostFocus() {}
void wPalette::efTestoFisso_TextChange() {}
void wPalette::efX_TextChange() {}
void wPalette::efX_LostFocus() {}
void wPalette::efY_TextChange() {}
void wPalette::efY_LostFocus() {}
void wPalette::efLargh_TextChange() {}
void wPalette::efLargh_LostFocus() {}
void wPalette::efAlt_TextChange() {}
void wPalette::efAlt_LostFocus() {}
void wPalette::pmCampi_Change(Integer) {}
void wPalette::pmPagina_Change() {}
void wPalette::bbGrassetto_Action() {}
void wPalette::bbCorsivo_Action() {}
void wPalette::bbSottolineato_Action() {}
bool wPalette::canColore_MouseDown(Integer, Integer) {
    return false;
}
void wPalette::canColore_Paint(fw::Graphics&) {}
void wPalette::bbFont_Action() {}
void wPalette::bbFont_Open() {}
void wPalette::pbElimina_Action() {}
void wPalette::efDimFont_TextChange() {}
void wPalette::efDimFont_LostFocus() {}
void wPalette::pbDuplica_Action() {}
void wPalette::bbDestra_Action() {}
void wPalette::bbCentro_Action() {}
void wPalette::bbSinistra_Action() {}
}  // namespace vx
