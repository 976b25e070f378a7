// Temporary: link-only stand-ins until the dialogs branch implements these.
#include "dialogs/wInfo.h"
#include "dialogs/wPreferenze.h"
#include "framework/Drawing.h"

namespace vx {
wPreferenze::wPreferenze() : fw::Window(1) {}
wPreferenze::~wPreferenze() = default;
void wPreferenze::pbOK_Action() {}
void wPreferenze::pbAnnulla_Action() {}
void wPreferenze::bbFont_Action() {}
void wPreferenze::bbFont_Open() {}
void wPreferenze::AddMenuHandlers() {}
void wPreferenze::Open() {}
void wPreferenze::_CreateControls0() {}

wInfo::wInfo() : fw::Window(1) {}
wInfo::~wInfo() = default;
bool wInfo::Canvas1_MouseDown(fw::Integer, fw::Integer) {
    return false;
}
void wInfo::AddMenuHandlers() {}
void wInfo::Open() {}
void wInfo::_CreateControls0() {}
}  // namespace vx

vx::wPreferenze& wPreferenze() {
    return fw::Implicit<vx::wPreferenze>();
}
vx::wInfo& wInfo() {
    return fw::Implicit<vx::wInfo>();
}
std::shared_ptr<fw::Picture> Logo() {
    return nullptr;
}
std::shared_ptr<fw::Picture> vx_48x38x32() {
    return nullptr;
}
