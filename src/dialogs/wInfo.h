#pragma once

#include <memory>

#include "framework/Controls.h"
#include "framework/Window.h"

namespace fw {
class Picture;
}

namespace vx {

// The about window: logo, icon and the identity strings; a click on the logo
// hides it.
class wInfo : public fw::Window {
  public:
    wInfo();
    ~wInfo() override;

    std::unique_ptr<fw::RectangleControl> Rectangle1;
    std::unique_ptr<fw::Canvas> Canvas1;
    std::unique_ptr<fw::Canvas> Canvas2;
    std::unique_ptr<fw::StaticText> StaticText1, StaticText2, StaticText3, StaticText4;
    std::unique_ptr<fw::StaticText> VXVer1, VXHead1, VxCreator1, VXBanner1;

    bool Canvas1_MouseDown(fw::Integer x, fw::Integer y);
    void Open() override;

  private:
    void _CreateControls0();
};

}  // namespace vx

// The about window, made on first use.
vx::wInfo& wInfo();

// The maker's logo (resource 169) and the application icon (resource 170).
std::shared_ptr<fw::Picture> Logo();
std::shared_ptr<fw::Picture> vx_48x38x32();
