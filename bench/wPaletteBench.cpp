// The palette's cost while fields are dragged: at every step of a move the canvas
// asks it to show the selection's position and size again.

#include <benchmark/benchmark.h>

#include "document/wMain.h"
#include "layout/DragCanvas.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

namespace {

// The main window's page with 1,000 fields in a grid of 10 columns, the 100 of
// one column selected (so the common left edge shows and changes at every step),
// and the palette shown beside it.
struct PaginaConPalette {
    PaginaConPalette() {
        ::wMain().Show();
        ::wPalette().Show();
        c.palette = &::wPalette();
        fw::Integer font = Modulo1::CercaFont("DejaVu Sans");
        const char* etichette[] = {"Ragione sociale", "Partita IVA", "Data", "Totale documento",
                                   "Imponibile"};
        c.vCampi.clear();
        for (int i = 0; i < 1000; ++i) {
            auto k = c.AggiungiCampo();
            k->tx = 5 + (i % 10) * 59;
            k->ty = 5 + (i / 10) * 8;
            k->riquadro->Width = 55;
            k->riquadro->Height = 14;
            k->iFont = font;
            k->dimFont = 10;
            k->iCampo = 1 + i % 85;
            k->etichetta = etichette[i % 5];
            k->DimensEtichetta();
            k->selezionato = i % 10 == 4;
        }
        c.RidisegnaArea(0, 0, c.Width(), c.Height());
    }
    DragCanvas& c = *::wMain().DragCanvas1;
};

PaginaConPalette& P() {
    static auto* p = new PaginaConPalette;
    return *p;
}

// One move step of the 100 selected fields, back and forth by a pixel: the
// fields move, the palette's four boxes are written, the area is redrawn.
void BM_PassoSpostamentoConPalette(benchmark::State& state) {
    DragCanvas& c = P().c;
    auto k = c.vCampi[450];
    c.MouseDown(k->tx + 20, k->ty + 3);
    int x = c.ultimoX, y = c.ultimoY, d = 1;
    for (auto _ : state) {
        c.MouseDrag(x + d, y + d);
        d = -d;
    }
    c.MouseUp(x, y);
}
BENCHMARK(BM_PassoSpostamentoConPalette);

// The palette's share of that step: the selection's position and size shown.
void BM_PopolaDim(benchmark::State& state) {
    P();
    vx::wPalette& p = ::wPalette();
    for (auto _ : state) p.PopolaDim();
}
BENCHMARK(BM_PopolaDim);

}  // namespace
