#pragma once

#include <array>
#include <memory>

#include "framework/Controls.h"
#include "framework/Window.h"

namespace vx {

// A document type and the configuration file that holds its layout.
struct TipoDocumento {
    const char* nome;
    const char* fileConfig;
};

// The document types in the order the new/open dialog lists them.
inline constexpr std::array<TipoDocumento, 5> kTipiDocumento{{
    {"Fattura", "FIp.txt"},
    {"Nota di accredito", "NAp.txt"},
    {"DDT", "DTp.txt"},
    {"Avviso di Parcella", "APp.txt"},
    {"Preventivo", "PRp.txt"},
}};

// The sheet that asks which document type to work on and, at start-up, whether
// to start a new layout or open the existing one. Its answer goes to the main
// window's oper, nomeFileConfig and modulo.
class wNuovoApri : public fw::Window {
  public:
    using Integer = fw::Integer;

    wNuovoApri();
    ~wNuovoApri() override;

    // True once the dialog was left with "Continua".
    bool ok = false;

    std::unique_ptr<fw::PushButton> pbContinua;
    std::unique_ptr<fw::GroupBox> GroupBox1;
    std::unique_ptr<fw::RadioButton> rbNuovo;
    std::unique_ptr<fw::RadioButton> rbApri;
    std::unique_ptr<fw::PopupMenu> pmDocum;
    std::unique_ptr<fw::PushButton> pbAnnulla;

    void pbContinua_Action();
    void pbAnnulla_Action();
    void Open() override;
    // Shows the dialog as a sheet over the main window; true after "Continua".
    bool Mostra();

  private:
    void _CreateControls0();
    // Where the answer is kept: it outlives the window, which is let go of as
    // soon as it closes.
    std::shared_ptr<bool> esito_ = std::make_shared<bool>(false);
};

}  // namespace vx

// The new/open dialog, made on first use; every showing makes a new one.
vx::wNuovoApri& wNuovoApri();
