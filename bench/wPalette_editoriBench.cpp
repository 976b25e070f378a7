// The palette's editors on a full page: one font-size edit on 100 selected
// fields among 1,000, with the repaint it asks for.

#include <benchmark/benchmark.h>

#include "PaginaPiena.h"

namespace {

// The main window's page as a busy form, under a background picture: 1,000
// fields in a grid of 10 columns, every tenth one (one column, top to bottom)
// selected and shown in the palette. Made afresh for each run, on fresh windows.
class PaginaPiena {
  public:
    PaginaPiena() {
        banco::PreparaSfondo();
        ::wMain().Show();
        ::wPalette().Show();
        c.ApriFileSfondo("modulo.png");
        banco::RiempiPagina(c);
        for (std::size_t i = 0; i < c.vCampi.size(); ++i) c.vCampi[i]->selezionato = i % 10 == 3;
        c.RidisegnaArea(0, 0, c.Width(), c.Height());
        ::wPalette().Popola();
    }
    banco::FinestreNuove finestre;
    DragCanvas& c = *::wMain().DragCanvas1;
};

void BM_PaletteDimFont100Campi(benchmark::State& state) {
    PaginaPiena pagina;
    vx::wPalette& p = ::wPalette();
    bool grande = false;
    for (auto _ : state) {
        state.PauseTiming();
        grande = !grande;
        p.efDimFont->SetText(grande ? "11" : "10");
        state.ResumeTiming();
        p.efDimFont_LostFocus();
    }
}
BENCHMARK(BM_PaletteDimFont100Campi)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->DisplayAggregatesOnly(true);

}  // namespace
