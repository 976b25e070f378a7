// The palette's cost while fields are dragged: at every step of a move the canvas
// asks it to show the selection's position and size again.

#include <benchmark/benchmark.h>

#include "PaginaPiena.h"

namespace {

// The main window's page with 1,000 fields in a grid of 10 columns and 100 rows,
// and the palette shown beside it; made afresh for each run.
struct PaginaConPalette {
    PaginaConPalette() {
        ::wMain().Show();
        ::wPalette().Show();
        banco::RiempiPagina(c);
        c.RidisegnaArea(0, 0, c.Width(), c.Height());
    }
    banco::FinestreNuove finestre;
    DragCanvas& c = *::wMain().DragCanvas1;
};

// 100 fields selected: with argument 0 one whole column (their common left edge
// shows, and changes at every step), with 1 ten whole rows in the middle.
void Seleziona(DragCanvas& c, int forma) {
    for (std::size_t i = 0; i < c.vCampi.size(); ++i) {
        c.vCampi[i]->selezionato = forma == 0 ? i % 10 == 4 : i >= 400 && i < 500;
    }
}

// One move step of the 100 selected fields, back and forth by a pixel: the
// fields move, the palette's four boxes are written, the area is redrawn.
void BM_PassoSpostamentoConPalette(benchmark::State& state) {
    PaginaConPalette pagina;
    DragCanvas& c = pagina.c;
    Seleziona(c, static_cast<int>(state.range(0)));
    auto k = c.vCampi[454];  // selected in both shapes: the press keeps the selection
    c.MouseDown(k->tx + 20, k->ty + 3);
    int selezionati = 0;
    for (const auto& campo : c.vCampi) selezionati += campo->selezionato;
    if (selezionati != 100) state.SkipWithError("the selection is not the 100 fields");
    int x = c.ultimoX, y = c.ultimoY, d = 1;
    for (auto _ : state) {
        c.MouseDrag(x + d, y + d);
        d = -d;
    }
    c.MouseUp(x, y);
}
BENCHMARK(BM_PassoSpostamentoConPalette)->Arg(0)->Arg(1);

// The palette's share of that step: the column's position and size shown, its
// left edge changed each time.
void BM_PopolaDim(benchmark::State& state) {
    PaginaConPalette pagina;
    DragCanvas& c = pagina.c;
    Seleziona(c, 0);
    vx::wPalette& p = ::wPalette();
    int d = 1;
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& k : c.vCampi) {
            if (k->selezionato) k->tx += d;
        }
        d = -d;
        state.ResumeTiming();
        p.PopolaDim();
    }
}
BENCHMARK(BM_PopolaDim);

}  // namespace
