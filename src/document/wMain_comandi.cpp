// The main window's layout commands: select all, align, move by one pixel, add,
// duplicate and delete fields.

#include <limits>

#include "document/App.h"
#include "document/wMain.h"
#include "framework/Text.h"
#include "layout/AreaRidisegno.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

using fw::Integer;
using fw::ToInteger;

namespace {

using Wide = AreaRidisegno::Wide;

enum class Asse { Orizzontale, Verticale };

// Toward the page's origin (left, top) or away from it (right, bottom).
enum class Verso { Indietro = -1, Avanti = 1 };

Integer& Posizione(Campo& c, Asse asse) {
    return asse == Asse::Orizzontale ? c.tx : c.ty;
}

double Lato(const Campo& c, Asse asse) {
    return asse == Asse::Orizzontale ? c.riquadro->Width : c.riquadro->Height;
}

// The area a draw of the field touches with its position on the axis taken as p.
void AggiungiA(AreaRidisegno& area, const Campo& c, Asse asse, Wide p) {
    bool orizzontale = asse == Asse::Orizzontale;
    area.Aggiungi(orizzontale ? p : c.tx, orizzontale ? c.ty : p, c.Larghezza(), c.Altezza());
}

// Moves every selected field onto the reference and repaints their old and new
// places at once. The reference of the alignments toward the origin is the
// smallest position among the selected fields, that of the others the largest
// far edge of their frames; with nothing selected there is none, and nothing
// moves. The first kind shows the reference in the palette's box of that axis,
// the second refills the palette.
void Allinea(DragCanvas& canvas, Asse asse, Verso verso) {
    auto& campi = canvas.vCampi;
    if (campi.empty()) return;
    bool trovato = false;
    Integer riferimento = verso == Verso::Indietro ? std::numeric_limits<Integer>::max()
                                                   : std::numeric_limits<Integer>::min();
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        if (verso == Verso::Indietro) {
            if (Posizione(*c, asse) <= riferimento) {
                riferimento = Posizione(*c, asse);
                trovato = true;
            }
        } else {
            double bordo = Posizione(*c, asse) + Lato(*c, asse);
            if (riferimento <= bordo) riferimento = ToInteger(bordo);
        }
    }
    AreaRidisegno area;
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        Integer& p = Posizione(*c, asse);
        AggiungiA(area, *c, asse, p);
        p = verso == Verso::Indietro ? riferimento : ToInteger(riferimento - Lato(*c, asse));
        AggiungiA(area, *c, asse, p);
    }
    area.Ridisegna(canvas);
    if (verso == Verso::Avanti) {
        ::wPalette().Popola();
    } else if (trovato) {
        auto& box = asse == Asse::Orizzontale ? *::wPalette().efX : *::wPalette().efY;
        box.SetText(fw::Str(riferimento));
    }
}

// Moves every selected field one pixel, with no bounds but the integer's own;
// the repainted area of each field is its new extent widened by the pixel it
// left.
void Sposta1Px(DragCanvas& canvas, Asse asse, Verso verso) {
    auto& campi = canvas.vCampi;
    if (campi.empty()) return;
    Wide passo = static_cast<int>(verso);
    AreaRidisegno area;
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        Integer& p = Posizione(*c, asse);
        p = ToInteger(static_cast<double>(p) + passo);
        AggiungiA(area, *c, asse, p);
        AggiungiA(area, *c, asse, p - passo);
    }
    area.Ridisegna(canvas);
    ::wPalette().Popola();
}

}  // namespace

namespace vx {

// Inside these members the names wMain and wPalette are the classes: the windows
// are reached through the global accessors.

bool wMain::_EditSelezionaTutto_Action() {
    DragCanvas1->SelezionaTutti(true);
    return false;
}

bool wMain::_AllineamSinistra_Action() {
    Allinea(*DragCanvas1, Asse::Orizzontale, Verso::Indietro);
    return false;
}

bool wMain::_AllineamSuper_Action() {
    Allinea(*DragCanvas1, Asse::Verticale, Verso::Indietro);
    return false;
}

bool wMain::_AllineamDestra_Action() {
    Allinea(*DragCanvas1, Asse::Orizzontale, Verso::Avanti);
    return false;
}

bool wMain::_AllineamInfer_Action() {
    Allinea(*DragCanvas1, Asse::Verticale, Verso::Avanti);
    return false;
}

bool wMain::_Sposta1PxSu_Action() {
    Sposta1Px(*DragCanvas1, Asse::Verticale, Verso::Indietro);
    return false;
}

bool wMain::_Sposta1PxGiu_Action() {
    Sposta1Px(*DragCanvas1, Asse::Verticale, Verso::Avanti);
    return false;
}

bool wMain::_Sposta1PxSx_Action() {
    Sposta1Px(*DragCanvas1, Asse::Orizzontale, Verso::Indietro);
    return false;
}

bool wMain::_Sposta1PxDx_Action() {
    Sposta1Px(*DragCanvas1, Asse::Orizzontale, Verso::Avanti);
    return false;
}

bool wMain::_EditAggiungi_Action() {
    AggiungiCampo();
    return false;
}

bool wMain::_EditDuplica_Action() {
    DuplicaCampi();
    return false;
}

bool wMain::_EditElimina_Action() {
    EliminaCampi();
    return false;
}

void wMain::AggiungiCampo() {
    std::shared_ptr<Campo> c = DragCanvas1->AggiungiCampo();
    // 100 pixels inside the visible part of the page, wherever it is scrolled to.
    c->tx = ToInteger(c->tx + fw::Abs(DragCanvas1->Left()));
    c->ty = ToInteger(c->ty + fw::Abs(DragCanvas1->Top()));
    // The defaults are read anew for each field, so a change in the preferences
    // dialog holds from the next one on.
    if (Preferenze* pref = ::App().pref.get()) {
        c->iFont = Modulo1::CercaFont(pref->Leggi(1));
        c->dimFont = ToInteger(fw::Val(pref->Leggi(2)));
    }
    // Repainted rather than drawn over the page: the same pixels as any later
    // repaint, its label's beyond the frame included.
    c->DimensEtichetta();
    DragCanvas1->RidisegnaArea(c->tx, c->ty, c->Larghezza(), c->Altezza());
}

void wMain::DuplicaCampi() {
    DragCanvas1->DuplicaCampi();
}

void wMain::EliminaCampi() {
    DragCanvas1->EliminaCampi();
}

}  // namespace vx
