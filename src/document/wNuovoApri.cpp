#include "document/wNuovoApri.h"

#include "document/wMain.h"

namespace vx {

wNuovoApri::wNuovoApri() : fw::Window(fw::kSheetWindow) {
    SetTitle("Nuovo/Apri");
    SetSize(420, 162);
    SetMinimumSize(64, 64);
    SetMaximumSize(32000, 32000);
    SetResizeable(true);
    SetCloseButton(true);
    SetMinimizeButton(true);
    SetMaximizeButton(true);
    _CreateControls0();
    // The caller has set the main window's oper before asking for the dialog, and
    // the dialog reads it now.
    RaiseOpen();
}

wNuovoApri::~wNuovoApri() = default;

void wNuovoApri::_CreateControls0() {
    auto stile = [](fw::Control& c) {
        fw::SetTextStyle(c, "System", 12);
        c.LockLeft = c.LockTop = c.LockRight = c.LockBottom = false;
    };

    pbContinua = std::make_unique<fw::PushButton>(*this, "pbContinua", 325, 127, 80, 20);
    stile(*pbContinua);
    pbContinua->SetCaption("Continua");
    pbContinua->SetDefault(true);
    pbContinua->SetCancel(false);
    pbContinua->onAction = [this] { pbContinua_Action(); };

    GroupBox1 = std::make_unique<fw::GroupBox>(*this, "GroupBox1", 25, 19, 380, 96);
    stile(*GroupBox1);
    GroupBox1->SetCaption("Nuovo/Apri Configuratore");

    rbNuovo = std::make_unique<fw::RadioButton>(*this, "rbNuovo", 41, 49, 80, 20);
    stile(*rbNuovo);
    rbNuovo->SetCaption("Nuovo");
    rbNuovo->SetValue(false);

    rbApri = std::make_unique<fw::RadioButton>(*this, "rbApri", 41, 76, 80, 20);
    stile(*rbApri);
    rbApri->SetCaption("Apri");
    rbApri->SetValue(false);

    pmDocum = std::make_unique<fw::PopupMenu>(*this, "pmDocum", 133, 62, 256, 20);
    stile(*pmDocum);
    for (const auto& tipo : kTipiDocumento) pmDocum->AddRow(tipo.nome);
    pmDocum->SetListIndex(0);

    pbAnnulla = std::make_unique<fw::PushButton>(*this, "pbAnnulla", 233, 127, 80, 20);
    stile(*pbAnnulla);
    pbAnnulla->SetCaption("Annulla");
    pbAnnulla->SetDefault(false);
    pbAnnulla->SetCancel(true);
    pbAnnulla->onAction = [this] { pbAnnulla_Action(); };
}

void wNuovoApri::Open() {
    switch (::wMain().oper) {
        case vx::wMain::kAvvio:
            rbNuovo->SetValue(true);
            break;
        case vx::wMain::kNuovo:
            rbNuovo->SetValue(true);
            rbApri->SetEnabled(false);
            break;
        case vx::wMain::kApri:
            rbNuovo->SetEnabled(false);
            rbApri->SetValue(true);
            break;
        default:
            break;
    }
    pmDocum->SetListIndex(0);
}

void wNuovoApri::pbContinua_Action() {
    vx::wMain& principale = ::wMain();
    principale.oper = rbNuovo->Value() ? vx::wMain::kNuovo : vx::wMain::kApri;
    Integer riga = pmDocum->ListIndex();
    if (riga >= 0 && riga < static_cast<Integer>(kTipiDocumento.size())) {
        principale.nomeFileConfig = kTipiDocumento[static_cast<std::size_t>(riga)].fileConfig;
        principale.modulo = 0;
    }
    ok = true;
    *esito_ = true;
    Close();
}

void wNuovoApri::pbAnnulla_Action() {
    ok = false;
    *esito_ = false;
    Close();
}

bool wNuovoApri::Mostra() {
    std::shared_ptr<bool> esito = esito_;
    *esito = ok;
    ShowModalWithin(::wMain());
    // The dialog may be gone by now; its answer is not.
    return *esito;
}

}  // namespace vx

vx::wNuovoApri& wNuovoApri() {
    return fw::Implicit<vx::wNuovoApri>();
}
