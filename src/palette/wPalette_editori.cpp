// The palette's editors: each writes one property into every selected field,
// repaints what the change touched and marks the layout modified.

#include <algorithm>

#include "document/wMain.h"
#include "framework/Dialogs.h"
#include "framework/Fonts.h"
#include "framework/Text.h"
#include "layout/AreaRidisegno.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

using fw::Integer;
using fw::String;
using fw::ToInteger;

namespace {

DragCanvas& Pagina() {
    return *::wMain().DragCanvas1;
}

// Writes into every selected field, from the end of the list, and repaints the
// union of what they covered before and after. The list is read afresh at each
// step: a modal warning inside scrivi must not leave the walk on a stale index.
template <class F>
void Modifica(bool rimisura, F&& scrivi) {
    AreaRidisegno area;
    for (std::size_t i = Pagina().vCampi.size(); i-- > 0;) {
        auto& campi = Pagina().vCampi;
        if (i >= campi.size()) continue;
        const std::shared_ptr<Campo> k = campi[i];
        if (!k->selezionato) continue;
        area.Aggiungi(*k);
        scrivi(*k);
        if (rimisura) k->DimensEtichetta();
        area.Aggiungi(*k);
    }
    DragCanvas& c = Pagina();
    area.Ridisegna(c);
    c.modificato = true;
}

// A number typed into a numeric box; one beyond the 32-bit range saturates.
Integer Valore(const fw::EditField& box) {
    return ToInteger(fw::Val(box.Text()));
}

void ImpostaModificato() {
    Pagina().modificato = true;
}

}  // namespace

namespace vx {

void wPalette::pbAggiungi_Action() {
    ::wMain().AggiungiCampo();
}

void wPalette::efTestoFisso_LostFocus() {
    if (efTestoFisso->Text().empty()) return;
    // A TAB, CR or LF pasted into the box becomes a blank.
    String testo = Modulo1::SuUnaRiga(efTestoFisso->Text());
    if (testo != efTestoFisso->Text()) efTestoFisso->SetText(testo);
    Modifica(true, [&](Campo& k) {
        k.iCampo = 0;
        k.testoFisso = testo;
        k.etichetta = testo;
    });
}

void wPalette::efTestoFisso_TextChange() {
    ImpostaModificato();
}

void wPalette::efX_TextChange() {
    ImpostaModificato();
}

void wPalette::efX_LostFocus() {
    if (efX->Text().empty()) return;
    Integer x = Valore(*efX);
    Modifica(false, [&](Campo& k) { k.tx = x; });
}

void wPalette::efY_TextChange() {
    ImpostaModificato();
}

void wPalette::efY_LostFocus() {
    if (efY->Text().empty()) return;
    Integer y = Valore(*efY);
    Modifica(false, [&](Campo& k) { k.ty = y; });
}

void wPalette::efLargh_TextChange() {
    ImpostaModificato();
}

void wPalette::efLargh_LostFocus() {
    if (efLargh->Text().empty()) return;
    Integer w = Valore(*efLargh);
    if (w < 6) {
        w = 6;
        efLargh->SetText(fw::Str(6));
    }
    Modifica(false, [&](Campo& k) { k.riquadro->Width = w; });
}

void wPalette::efAlt_TextChange() {
    ImpostaModificato();
}

void wPalette::efAlt_LostFocus() {
    if (efAlt->Text().empty()) return;
    Integer h = Valore(*efAlt);
    if (h < 6) {
        h = 6;
        efAlt->SetText(fw::Str(6));
    }
    Modifica(false, [&](Campo& k) { k.riquadro->Height = h; });
}

void wPalette::pmCampi_Change(Integer index) {
    if (!editato) return;
    std::size_t membro = index >= 0 && static_cast<std::size_t>(index) < pmCampi.size()
                             ? static_cast<std::size_t>(index)
                             : static_cast<std::size_t>(::wMain().modulo);
    if (membro >= pmCampi.size() || !pmCampi[membro]) return;
    fw::PopupMenu& pm = *pmCampi[membro];
    Integer riga = pm.ListIndex();
    // No row is no catalogue field; only a row set in code can be none.
    if (riga < 0) return;
    if (riga == 0) {
        efTestoFisso->SetText("Non definito");
        efTestoFisso->SetEnabled(true);
    } else {
        efTestoFisso->SetText("");
        efTestoFisso->SetEnabled(false);
    }
    Modifica(true, [&](Campo& k) {
        if (riga == 0) {
            Modulo1::AvvisaLimiteTestiFissi(Pagina().CercaCampo(0));
        } else if (Pagina().CercaCampo(riga) >= 1) {
            fw::MsgBox("Attenzione: hai già inserito questo campo nel modulo.");
        }
        k.iCampo = riga;
        k.testoFisso = efTestoFisso->Text();
        k.etichetta = riga == 0 ? efTestoFisso->Text() : pm.List(riga);
    });
}

void wPalette::pmPagina_Change() {
    Integer riga = pmPagina->ListIndex();
    // The palette shows no row for a mixed placement; that is no placement to
    // write, and a row it shows for a uniform one is what the fields hold.
    if (riga >= 0 && riga <= 2) {
        for (const auto& k : Pagina().vCampi) {
            if (k->selezionato) k->pagina = riga;
        }
    }
    ImpostaModificato();
}

void wPalette::bbGrassetto_Action() {
    bool v = bbGrassetto->Value();
    Modifica(true, [&](Campo& k) { k.stileG = v; });
}

void wPalette::bbCorsivo_Action() {
    bool v = bbCorsivo->Value();
    Modifica(true, [&](Campo& k) { k.stileC = v; });
}

void wPalette::bbSottolineato_Action() {
    bool v = bbSottolineato->Value();
    Modifica(true, [&](Campo& k) { k.stileS = v; });
}

bool wPalette::canColore_MouseDown(Integer, Integer) {
    fw::Color colore = fw::RGB(255, 255, 255);
    if (!fw::SelectColor(colore, "Seleziona un colore")) return false;
    fw::Graphics& s = canColore->Graphics();
    s.ForeColor = colore;
    s.FillRect(1, 1, s.Width() - 2, s.Height() - 2);
    // The fields are repainted, not drawn over what is there: a field low in
    // the list would cover later ones and its label's edges would blend with
    // the old colour.
    DragCanvas& c = Pagina();
    AreaRidisegno area;
    for (std::size_t i = c.vCampi.size(); i-- > 0;) {
        const std::shared_ptr<Campo> k = c.vCampi[i];
        if (!k->selezionato) continue;
        k->coloreEtich = colore;
        area.Aggiungi(*k);
    }
    area.Ridisegna(c);
    c.modificato = true;
    return false;
}

void wPalette::canColore_Paint(fw::Graphics& g) {
    g.ForeColor = fw::RGB(0, 0, 0);
    g.DrawRect(0, 0, g.Width() - 1, g.Height() - 1);
    g.FillRect(1, 1, g.Width() - 2, g.Height() - 2);
}

void wPalette::bbFont_Action() {
    Integer font = bbFont->MenuValue();
    bbFont->SetCaption(bbFont->List(font));
    Modifica(true, [&](Campo& k) { k.iFont = font; });
}

void wPalette::bbFont_Open() {
    for (Integer i = 0, n = fw::FontCount(); i < n; ++i) bbFont->AddRow(fw::Font(i));
}

void wPalette::pbElimina_Action() {
    ::wMain().EliminaCampi();
}

void wPalette::efDimFont_TextChange() {
    ImpostaModificato();
}

void wPalette::efDimFont_LostFocus() {
    if (efDimFont->Text().empty()) return;
    Integer dim = Valore(*efDimFont);
    Modifica(true, [&](Campo& k) { k.dimFont = dim; });
}

void wPalette::pbDuplica_Action() {
    ::wMain().DuplicaCampi();
}

// An alignment toggle sets its own alignment, or none when released, and
// releases its two siblings for each field it changes.
void wPalette::bbDestra_Action() {
    bool v = bbDestra->Value();
    Modifica(true, [&](Campo& k) {
        k.AllType = v ? Campo::kDestra : Campo::kNessuno;
        bbSinistra->SetValue(false);
        bbCentro->SetValue(false);
    });
}

void wPalette::bbCentro_Action() {
    bool v = bbCentro->Value();
    Modifica(true, [&](Campo& k) {
        k.AllType = v ? Campo::kCentro : Campo::kNessuno;
        bbSinistra->SetValue(false);
        bbDestra->SetValue(false);
    });
}

void wPalette::bbSinistra_Action() {
    bool v = bbSinistra->Value();
    Modifica(true, [&](Campo& k) {
        k.AllType = v ? Campo::kSinistra : Campo::kNessuno;
        bbCentro->SetValue(false);
        bbDestra->SetValue(false);
    });
}

}  // namespace vx
