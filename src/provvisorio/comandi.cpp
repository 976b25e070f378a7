// Temporary: link-only stand-ins until the layout-commands branch implements these.
#include "document/wMain.h"

namespace vx {
bool wMain::_EditSelezionaTutto_Action() {
    return false;
}
bool wMain::_AllineamSinistra_Action() {
    return false;
}
bool wMain::_AllineamSuper_Action() {
    return false;
}
bool wMain::_AllineamDestra_Action() {
    return false;
}
bool wMain::_AllineamInfer_Action() {
    return false;
}
bool wMain::_Sposta1PxSu_Action() {
    return false;
}
bool wMain::_Sposta1PxGiu_Action() {
    return false;
}
bool wMain::_Sposta1PxSx_Action() {
    return false;
}
bool wMain::_Sposta1PxDx_Action() {
    return false;
}
bool wMain::_EditAggiungi_Action() {
    return false;
}
bool wMain::_EditDuplica_Action() {
    return false;
}
bool wMain::_EditElimina_Action() {
    return false;
}
void wMain::AggiungiCampo() {}
void wMain::DuplicaCampi() {}
void wMain::EliminaCampi() {}
}  // namespace vx
