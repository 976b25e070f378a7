#pragma once

#include <memory>

#include "framework/Controls.h"
#include "framework/Window.h"
#include "layout/EditFieldNum.h"

namespace vx {

// The preferences dialog: default font and size of new fields.
class wPreferenze : public fw::Window {
  public:
    wPreferenze();
    ~wPreferenze() override;

    std::unique_ptr<fw::PushButton> pbOK;
    std::unique_ptr<fw::PushButton> pbAnnulla;
    std::unique_ptr<fw::StaticText> StaticText1;
    std::unique_ptr<fw::StaticText> StaticText2;
    std::unique_ptr<fw::GroupBox> GroupBox1;
    std::unique_ptr<EditFieldNum> efDimFont;
    std::unique_ptr<fw::BevelButton> bbFont;

    void pbOK_Action();
    void pbAnnulla_Action();
    void bbFont_Action();
    void bbFont_Open();
    void Open() override;

  private:
    void _CreateControls0();
};

}  // namespace vx

// The preferences dialog, made on first use.
vx::wPreferenze& wPreferenze();
