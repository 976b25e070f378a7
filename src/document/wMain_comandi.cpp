// The main window's layout commands: select all, align, move by one pixel, add,
// duplicate and delete fields.

#include <limits>

#include "document/App.h"
#include "document/wMain.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

using fw::Integer;
using fw::ToInteger;

namespace {

// Sums of coordinates and sizes are taken in reals, as wide as they need.
double Reale(Integer v) {
    return v;
}

// The union of the old and new extents of the moved fields; each bound is taken
// back to an integer as soon as it is widened. It starts empty (inverted).
struct AreaRidisegno {
    Integer left = 100000, top = 100000, right = -100000, bottom = -100000;

    // Along the axis a field moved on: its old and new edges.
    void Orizzontale(double vecchio, double nuovo, double larghezza) {
        left = ToInteger(Modulo1::Min3(left, vecchio, nuovo));
        right = ToInteger(Modulo1::Max3(right, vecchio + larghezza, nuovo + larghezza));
    }
    void Verticale(double vecchio, double nuovo, double altezza) {
        top = ToInteger(Modulo1::Min3(top, vecchio, nuovo));
        bottom = ToInteger(Modulo1::Max3(bottom, vecchio + altezza, nuovo + altezza));
    }
    // A span on one axis.
    void SpanX(double da, double a) {
        left = ToInteger(fw::Min(left, da));
        right = ToInteger(fw::Max(right, a));
    }
    void SpanY(double da, double a) {
        top = ToInteger(fw::Min(top, da));
        bottom = ToInteger(fw::Max(bottom, a));
    }

    // One repaint for the whole command. Only the part inside the canvas can be
    // shown: cutting to it first keeps a field far off the page from saturating
    // the size and leaving the visible part unrepainted. An area nothing widened
    // keeps its inverted bounds and covers nothing.
    void Ridisegna(DragCanvas& canvas) const {
        double x = left, y = top, w = Reale(right) - left, h = Reale(bottom) - top;
        if (w >= 0 && h >= 0) {
            double r = fw::Min(fw::Max(right, 0), canvas.Width());
            double b = fw::Min(fw::Max(bottom, 0), canvas.Height());
            x = fw::Min(fw::Max(x, 0), canvas.Width());
            y = fw::Min(fw::Max(y, 0), canvas.Height());
            w = r - x;
            h = b - y;
        }
        canvas.RidisegnaArea(ToInteger(x), ToInteger(y), ToInteger(w), ToInteger(h));
    }
};

// A coordinate one pixel further, held at the integer bounds.
Integer Passo(Integer v, int d) {
    return ToInteger(Reale(v) + d);
}

}  // namespace

namespace vx {

// Inside these members the names wMain and wPalette are the classes: the windows
// are reached through the global accessors.

bool wMain::_EditSelezionaTutto_Action() {
    DragCanvas1->SelezionaTutti(true);
    return false;
}

// The reference of the left and top alignments is the smallest coordinate among
// the selected fields, that of the right and bottom ones the largest far edge of
// their frames; with nothing selected there is none, and nothing moves.

bool wMain::_AllineamSinistra_Action() {
    auto& campi = DragCanvas1->vCampi;
    if (campi.empty()) return false;
    bool trovato = false;
    Integer riferimento = std::numeric_limits<Integer>::max();
    for (const auto& c : campi) {
        if (c->selezionato && c->tx <= riferimento) {
            riferimento = c->tx;
            trovato = true;
        }
    }
    AreaRidisegno area;
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        Integer vecchio = c->tx;
        c->tx = riferimento;
        area.Orizzontale(vecchio, c->tx, c->Larghezza());
        area.SpanY(c->ty, Reale(c->ty) + c->Altezza());
    }
    area.Ridisegna(*DragCanvas1);
    if (trovato) ::wPalette().efX->SetText(fw::Str(riferimento));
    return false;
}

bool wMain::_AllineamSuper_Action() {
    auto& campi = DragCanvas1->vCampi;
    if (campi.empty()) return false;
    bool trovato = false;
    Integer riferimento = std::numeric_limits<Integer>::max();
    for (const auto& c : campi) {
        if (c->selezionato && c->ty <= riferimento) {
            riferimento = c->ty;
            trovato = true;
        }
    }
    AreaRidisegno area;
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        Integer vecchio = c->ty;
        c->ty = riferimento;
        area.Verticale(vecchio, c->ty, c->Altezza());
        area.SpanX(c->tx, Reale(c->tx) + c->Larghezza());
    }
    area.Ridisegna(*DragCanvas1);
    if (trovato) ::wPalette().efY->SetText(fw::Str(riferimento));
    return false;
}

bool wMain::_AllineamDestra_Action() {
    auto& campi = DragCanvas1->vCampi;
    if (campi.empty()) return false;
    Integer riferimento = std::numeric_limits<Integer>::min();
    for (const auto& c : campi) {
        double bordo = c->tx + c->riquadro->Width;
        if (c->selezionato && riferimento <= bordo) riferimento = ToInteger(bordo);
    }
    AreaRidisegno area;
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        Integer vecchio = c->tx;
        c->tx = ToInteger(riferimento - c->riquadro->Width);
        area.Orizzontale(vecchio, c->tx, c->Larghezza());
        area.SpanY(c->ty, Reale(c->ty) + c->Altezza());
    }
    area.Ridisegna(*DragCanvas1);
    ::wPalette().Popola();
    return false;
}

bool wMain::_AllineamInfer_Action() {
    auto& campi = DragCanvas1->vCampi;
    if (campi.empty()) return false;
    Integer riferimento = std::numeric_limits<Integer>::min();
    for (const auto& c : campi) {
        double bordo = c->ty + c->riquadro->Height;
        if (c->selezionato && riferimento <= bordo) riferimento = ToInteger(bordo);
    }
    AreaRidisegno area;
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        Integer vecchio = c->ty;
        c->ty = ToInteger(riferimento - c->riquadro->Height);
        area.Verticale(vecchio, c->ty, c->Altezza());
        area.SpanX(c->tx, Reale(c->tx) + c->Larghezza());
    }
    area.Ridisegna(*DragCanvas1);
    ::wPalette().Popola();
    return false;
}

// The one-pixel moves have no bounds but the integer's own; the repainted area
// of each field is its new extent widened by the pixel it left.

bool wMain::_Sposta1PxSu_Action() {
    auto& campi = DragCanvas1->vCampi;
    if (campi.empty()) return false;
    AreaRidisegno area;
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        c->ty = Passo(c->ty, -1);
        area.SpanX(c->tx, Reale(c->tx) + c->Larghezza());
        area.SpanY(c->ty, Reale(c->ty) + 1 + c->Altezza());
    }
    area.Ridisegna(*DragCanvas1);
    ::wPalette().Popola();
    return false;
}

bool wMain::_Sposta1PxGiu_Action() {
    auto& campi = DragCanvas1->vCampi;
    if (campi.empty()) return false;
    AreaRidisegno area;
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        c->ty = Passo(c->ty, 1);
        area.SpanX(c->tx, Reale(c->tx) + c->Larghezza());
        area.SpanY(Reale(c->ty) - 1, Reale(c->ty) + c->Altezza());
    }
    area.Ridisegna(*DragCanvas1);
    ::wPalette().Popola();
    return false;
}

bool wMain::_Sposta1PxSx_Action() {
    auto& campi = DragCanvas1->vCampi;
    if (campi.empty()) return false;
    AreaRidisegno area;
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        c->tx = Passo(c->tx, -1);
        area.SpanX(c->tx, Reale(c->tx) + 1 + c->Larghezza());
        area.SpanY(c->ty, Reale(c->ty) + c->Altezza());
    }
    area.Ridisegna(*DragCanvas1);
    ::wPalette().Popola();
    return false;
}

bool wMain::_Sposta1PxDx_Action() {
    auto& campi = DragCanvas1->vCampi;
    if (campi.empty()) return false;
    AreaRidisegno area;
    for (const auto& c : campi) {
        if (!c->selezionato) continue;
        c->tx = Passo(c->tx, 1);
        area.SpanX(Reale(c->tx) - 1, Reale(c->tx) + c->Larghezza());
        area.SpanY(c->ty, Reale(c->ty) + c->Altezza());
    }
    area.Ridisegna(*DragCanvas1);
    ::wPalette().Popola();
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
