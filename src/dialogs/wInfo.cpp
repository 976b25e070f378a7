#include "dialogs/wInfo.h"

#include "document/App.h"
#include "framework/Drawing.h"
#include "framework/Resources.h"
#include "framework/Text.h"

namespace vx {

wInfo::wInfo() : fw::Window(fw::kMovableModal) {
    SetTitle("Info su Velarix");
    SetSize(432, 187);
    SetMinimumSize(64, 64);
    SetMaximumSize(32000, 32000);
    SetCloseButton(false);
    SetResizeable(false);
    SetMinimizeButton(false);
    SetMaximizeButton(false);
    _CreateControls0();
}

wInfo::~wInfo() = default;

void wInfo::_CreateControls0() {
    Rectangle1 = std::make_unique<fw::RectangleControl>(*this, "Rectangle1", 0, 0, 432, 187);
    Rectangle1->SetFillColor(0xFFFFFF);
    Rectangle1->SetBorderWidth(1);
    Rectangle1->SetBorderColor(0x000000);

    Canvas1 = std::make_unique<fw::Canvas>(*this, "Canvas1", 18, 16, 396, 158);
    Canvas1->SetBackdrop(Logo());
    Canvas1->onMouseDown = [this](fw::Integer x, fw::Integer y) { return Canvas1_MouseDown(x, y); };

    Canvas2 = std::make_unique<fw::Canvas>(*this, "Canvas2", 367, 137, 48, 37);
    Canvas2->SetBackdrop(vx_48x38x32());

    auto testo = [this](const char* nome, fw::Integer left, fw::Integer top, fw::Integer width,
                        fw::Integer height, const fw::String& t, fw::Integer align, bool multi,
                        double size) {
        auto st = std::make_unique<fw::StaticText>(*this, nome, left, top, width, height);
        st->SetText(t);
        st->SetTextAlign(align);
        st->SetMultiLine(multi);
        st->SetTextColor(0x000000);
        fw::SetTextStyle(*st, "System", size);
        return st;
    };
    const fw::String cr = fw::Chr(13);
    // Lies below the window's bottom edge: it is never seen.
    StaticText1 =
        testo("StaticText1", 151, 293, 91, 77,
              "Velarix 1.0.4" + cr + "Norvale" + cr + cr + cr + "27-04-2017", 0, true, 12);
    StaticText2 = testo("StaticText2", 25, 56, 155, 36,
                        "www.norvale.it" + cr + "info@norvale.it" + cr, 0, true, 0);
    StaticText3 = testo("StaticText3", 193, 72, 60, 16, "Versione:", 2, true, 12);
    StaticText4 = testo("StaticText4", 193, 96, 60, 16, "Del:", 2, true, 12);
    VXVer1 = testo("VXVer1", 260, 70, 100, 20, "VXVer1", 0, false, 0);
    VXHead1 = testo("VXHead1", 260, 94, 134, 20, "VXHead1", 0, false, 0);
    VxCreator1 = testo("VxCreator1", 25, 147, 311, 20, "VxCreator1", 0, false, 0);
    VXBanner1 = testo("VXBanner1", 197, 39, 195, 20, "VXBanner1", 0, false, 0);
    VXBanner1->SetTextColor(0xFF0906);
    fw::SetTextStyle(*VXBanner1, "System", 0, true);
}

void wInfo::Open() {
    vx::App& app = ::App();
    VXBanner1->SetText(app.VXBanner);
    VXVer1->SetText(app.VXVer);
    VXHead1->SetText(app.VXHead);
    VxCreator1->SetText(app.VxCreator);
}

bool wInfo::Canvas1_MouseDown(fw::Integer, fw::Integer) {
    Hide();
    return false;
}

}  // namespace vx

vx::wInfo& wInfo() {
    return fw::Implicit<vx::wInfo>();
}

std::shared_ptr<fw::Picture> Logo() {
    return fw::CachedPicture(169);
}

std::shared_ptr<fw::Picture> vx_48x38x32() {
    return fw::CachedPicture(170);
}
