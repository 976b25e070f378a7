#include "document/wMain.h"

#include "document/Menu.h"
#include "document/wNuovoApri.h"
#include "framework/Dialogs.h"
#include "framework/Files.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

namespace vx {

namespace {

// The page's size in pixels, and the strip each scroll bar takes from the view.
constexpr fw::Integer kLarghezzaPagina = 600;
constexpr fw::Integer kAltezzaPagina = 850;
constexpr fw::Integer kBarra = 16;

// The canvas tells the palette about the selection through this, so that the
// palette is made on first use, as it would be by any other caller of wPalette().
class PaletteDelCanvas : public InterfacciaPalette {
  public:
    void Popola() override { ::wPalette().Popola(); }
    void PopolaDim() override { ::wPalette().PopolaDim(); }
    void Reset() override { ::wPalette().Reset(); }
};

PaletteDelCanvas& paletteDelCanvas() {
    static PaletteDelCanvas adattatore;
    return adattatore;
}

void ImpostaBarra(fw::ScrollBar& sb) {
    sb.SetMinimum(0);
    sb.SetMaximum(100);
    sb.SetValue(0);
    sb.SetLineStep(1);
    sb.SetPageStep(20);
}

}  // namespace

wMain::wMain() : fw::Window(fw::kDocumentWindow) {
    // The menu bar first: the window's content size is measured below it.
    SetMenuBar(&::Menu());
    SetTitle("Velarix");
    SetSize(584, 612);
    SetMinimumSize(64, 64);
    SetMaximumSize(2000, 2000);
    SetResizeable(true);
    SetCloseButton(false);
    SetMinimizeButton(false);
    SetMaximizeButton(false);
    _CreateControls0();
    AddMenuHandlers();
}

wMain::~wMain() = default;

void wMain::_CreateControls0() {
    DragCanvas1 = std::make_unique<DragCanvas>(*this, "DragCanvas1", 0, 0, 568, 596);
    DragCanvas1->LockLeft = DragCanvas1->LockTop = true;
    DragCanvas1->LockRight = DragCanvas1->LockBottom = true;
    DragCanvas1->modificato = false;
    DragCanvas1->palette = &paletteDelCanvas();

    sbVert = std::make_unique<fw::ScrollBar>(*this, "sbVert", 568, 0, 16, 600);
    sbVert->LockLeft = false;
    sbVert->LockTop = sbVert->LockRight = sbVert->LockBottom = true;
    ImpostaBarra(*sbVert);
    sbVert->onValueChanged = [this] { sbVert_ValueChanged(); };

    sbOrizz = std::make_unique<fw::ScrollBar>(*this, "sbOrizz", 0, 596, 569, 16);
    sbOrizz->LockTop = false;
    sbOrizz->LockLeft = sbOrizz->LockRight = sbOrizz->LockBottom = true;
    ImpostaBarra(*sbOrizz);
    sbOrizz->onValueChanged = [this] { sbOrizz_ValueChanged(); };
}

void wMain::AddMenuHandlers() {
    AddMenuHandler("ArchivioApri", [this] { return _ArchivioApri_Action(); });
    AddMenuHandler("ArchivioImportaModulo", [this] { return _ArchivioImportaModulo_Action(); });
    AddMenuHandler("ArchivioRegistra", [this] { return _ArchivioRegistra_Action(); });
    AddMenuHandler("ArchivioNuovo", [this] { return _ArchivioNuovo_Action(); });
    AddMenuHandler("EditSelezionaTutto", [this] { return _EditSelezionaTutto_Action(); });
    AddMenuHandler("AllineamSinistra", [this] { return _AllineamSinistra_Action(); });
    AddMenuHandler("AllineamSuper", [this] { return _AllineamSuper_Action(); });
    AddMenuHandler("AllineamDestra", [this] { return _AllineamDestra_Action(); });
    AddMenuHandler("AllineamInfer", [this] { return _AllineamInfer_Action(); });
    AddMenuHandler("Sposta1PxSu", [this] { return _Sposta1PxSu_Action(); });
    AddMenuHandler("Sposta1PxGiu", [this] { return _Sposta1PxGiu_Action(); });
    AddMenuHandler("Sposta1PxSx", [this] { return _Sposta1PxSx_Action(); });
    AddMenuHandler("Sposta1PxDx", [this] { return _Sposta1PxDx_Action(); });
    AddMenuHandler("EditAggiungi", [this] { return _EditAggiungi_Action(); });
    AddMenuHandler("EditDuplica", [this] { return _EditDuplica_Action(); });
    AddMenuHandler("EditElimina", [this] { return _EditElimina_Action(); });
}

// --- Scrolling ---------------------------------------------------------------

void wMain::sbVert_ValueChanged() {
    ScorrimVert();
}

void wMain::sbOrizz_ValueChanged() {
    ScorrimOrizz();
}

// The canvas itself moves: a negative Left shows the page further right, and the
// canvas is stretched by as much, so its coordinates stay the page's.
void wMain::ScorrimOrizz() {
    Integer visibile = Width() - kBarra;
    Integer eccedenza = kLarghezzaPagina - visibile;
    if (eccedenza <= 0) return;
    double p = -static_cast<double>(eccedenza) * (static_cast<double>(sbOrizz->Value()) / 100.0);
    Integer sinistra = fw::ToInteger(p);
    DragCanvas1->SetBounds(sinistra, DragCanvas1->Top(), (Width() - kBarra) - sinistra,
                           DragCanvas1->Height());
}

void wMain::ScorrimVert() {
    Integer visibile = Height() - kBarra;
    Integer eccedenza = kAltezzaPagina - visibile;
    if (eccedenza <= 0) return;
    double p = -static_cast<double>(eccedenza) * (static_cast<double>(sbVert->Value()) / 100.0);
    Integer alto = fw::ToInteger(p);
    DragCanvas1->SetBounds(DragCanvas1->Left(), alto, DragCanvas1->Width(),
                           (Height() - kBarra) - alto);
}

void wMain::ImpostaBarreScorrim() {
    // A page step is the visible size in hundredths of the overflow, at most the
    // whole range.
    auto passoPagina = [](Integer visibile, Integer eccedenza) {
        double r = static_cast<double>(visibile * 100) / static_cast<double>(eccedenza);
        return fw::ToInteger(fw::Min(r, 100.0));
    };

    Integer visibile = Width() - kBarra;
    Integer eccedenza = kLarghezzaPagina - visibile;
    if (eccedenza > 0) {
        sbOrizz->SetVisible(true);
        sbOrizz->SetPageStep(passoPagina(visibile, eccedenza));
        ScorrimOrizz();
    } else {
        sbOrizz->SetVisible(false);
        sbOrizz->SetValue(0);
        DragCanvas1->SetBounds(0, DragCanvas1->Top(), visibile, DragCanvas1->Height());
    }

    visibile = Height() - kBarra;
    eccedenza = kAltezzaPagina - visibile;
    if (eccedenza > 0) {
        sbVert->SetVisible(true);
        sbVert->SetPageStep(passoPagina(visibile, eccedenza));
        ScorrimVert();
    } else {
        sbVert->SetVisible(false);
        sbVert->SetValue(0);
        DragCanvas1->SetBounds(DragCanvas1->Left(), 0, DragCanvas1->Width(), visibile);
    }
}

void wMain::Resized() {
    ImpostaBarreScorrim();
}

// --- Document lifecycle -------------------------------------------------------

fw::Integer wMain::DialogoRegistraModifiche() {
    fw::MessageDialog d;
    d.Icon = 1;
    d.ActionButton.Caption = "Registra";
    d.CancelButton.Caption = "Annulla";
    d.CancelButton.Visible = true;
    d.AlternateActionButton.Caption = "Non registrare";
    d.AlternateActionButton.Visible = true;
    d.Message = "Vuoi registrare le modifiche a questo configuratore?";
    fw::MessageDialogButton* b = d.ShowModal();
    if (b == &d.AlternateActionButton) return kNonRegistrare;
    if (b == &d.ActionButton) return kRegistra;
    // The cancel button, and a question dismissed without any button, keep the
    // changes: dropping them is only ever the user's explicit choice.
    return kAnnulla;
}

bool wMain::ProseguiDopoDomandaRegistra() {
    if (!DragCanvas1->modificato) return true;
    switch (DialogoRegistraModifiche()) {
        case kNonRegistrare:
            return true;
        case kRegistra:
            return RegistraFile();
        default:
            return false;
    }
}

bool wMain::CancelClose() {
    return !ProseguiDopoDomandaRegistra();
}

void wMain::NuovoOApri(Integer operazione) {
    bool prosegui = ProseguiDopoDomandaRegistra();
    ::wPalette().Hide();
    if (prosegui) {
        oper = operazione;
        if (::wNuovoApri().Mostra()) {
            if (operazione == kNuovo) {
                NuovoConfig();
            } else {
                ApriFile();
            }
        }
    }
    ::wPalette().Show();
}

bool wMain::_ArchivioNuovo_Action() {
    NuovoOApri(kNuovo);
    return false;
}

bool wMain::_ArchivioApri_Action() {
    NuovoOApri(kApri);
    return false;
}

bool wMain::_ArchivioRegistra_Action() {
    if (DragCanvas1->modificato) RegistraFile();
    return false;
}

bool wMain::_ArchivioImportaModulo_Action() {
    DragCanvas1->ApriFileSfondo("");
    return false;
}

void wMain::NuovoConfig() {
    auto file = fw::GetFolderItem(nomeFileConfig);
    if (file && file->Exists()) {
        if (Modulo1::Conferma("Esiste già un file di configurazione " + nomeFileConfig +
                                  ". Vuoi aprire quello esistente o crearne uno nuovo?",
                              "Apri", "Nuovo")) {
            ApriFile();
            return;
        }
    }
    SetTitle(nomeFileConfig);
    nomeFileAperto = nomeFileConfig;
    DragCanvas1->vCampi.clear();
    DragCanvas1->ResetSfondo();
    DragCanvas1->RidisegnaArea(0, 0, DragCanvas1->Width(), DragCanvas1->Height());
    ImpostaBarreScorrim();
    ::wPalette().Init();
    ::wPalette().Reset();
    DragCanvas1->modificato = false;
}

}  // namespace vx

vx::wMain& wMain() {
    return fw::Implicit<vx::wMain>();
}
