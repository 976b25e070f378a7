// Temporary: link-only stand-ins until the program branch implements these.
#include "document/App.h"
#include "document/Menu.h"
#include "document/wMain.h"
#include "framework/Application.h"

void vx::App::Open() {}
bool vx::App::_AppleInfo_Action() {
    return false;
}
bool vx::App::_AppPreferenze_Action() {
    return false;
}
vx::App& App() {
    return *static_cast<vx::App*>(fw::Application::Instance());
}

vx::Menu::Menu() {}
vx::Menu& Menu() {
    static auto* m = new vx::Menu;
    return *m;
}

namespace vx {
wMain::wMain() : fw::Window(0) {
    DragCanvas1 = std::make_unique<DragCanvas>(*this, "DragCanvas1", 0, 0, 568, 596);
    sbVert = std::make_unique<fw::ScrollBar>(*this, "sbVert", 568, 0, 16, 600);
    sbOrizz = std::make_unique<fw::ScrollBar>(*this, "sbOrizz", 0, 596, 569, 16);
}
wMain::~wMain() = default;
void wMain::sbVert_ValueChanged() {}
void wMain::sbOrizz_ValueChanged() {}
void wMain::AddMenuHandlers() {}
bool wMain::CancelClose() {
    return false;
}
void wMain::Resized() {}
bool wMain::_ArchivioApri_Action() {
    return false;
}
bool wMain::_ArchivioImportaModulo_Action() {
    return false;
}
bool wMain::_ArchivioRegistra_Action() {
    return false;
}
bool wMain::_ArchivioNuovo_Action() {
    return false;
}
void wMain::NuovoConfig() {}
void wMain::ScorrimOrizz() {}
void wMain::ScorrimVert() {}
void wMain::ImpostaBarreScorrim() {}
void wMain::_CreateControls0() {}
fw::Integer wMain::DialogoRegistraModifiche() {
    return 1;
}
}  // namespace vx

vx::wMain& wMain() {
    return fw::Implicit<vx::wMain>();
}
