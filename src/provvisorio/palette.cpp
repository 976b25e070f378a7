// Temporary: link-only stand-ins until the palette branch implements these.
#include "framework/Drawing.h"
#include "palette/wPalette.h"

namespace vx {
wPalette::wPalette() : fw::Window(3) {}
wPalette::~wPalette() = default;
void wPalette::AddMenuHandlers() {}
void wPalette::Open() {}
void wPalette::PopolaDim() {}
void wPalette::Reset() {}
void wPalette::Popola() {}
fw::Integer wPalette::CercaCampo(const String&) {
    return -1;
}
void wPalette::Init() {}
void wPalette::_CreateControls0() {}
}  // namespace vx

vx::wPalette& wPalette() {
    return fw::Implicit<vx::wPalette>();
}
std::shared_ptr<fw::Picture> text_align_left() {
    return nullptr;
}
std::shared_ptr<fw::Picture> text_align_right() {
    return nullptr;
}
