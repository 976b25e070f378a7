// One alignment in the main window: 100 selected fields among 1,000 on a page
// with a background picture, lined up on the left.

#include <benchmark/benchmark.h>

#include <vector>

#include "PaginaPiena.h"

namespace {

// Made afresh for each run, on a fresh main window.
struct PaginaPrincipale {
    PaginaPrincipale() {
        banco::PreparaSfondo();
        w.Show();
        c.ApriFileSfondo("modulo.png");
        banco::RiempiPagina(c);
        for (std::size_t i = 0; i < c.vCampi.size(); ++i) {
            auto& k = c.vCampi[i];
            // Every tenth field, spread over the whole page.
            k->selezionato = i % 10 == 3;
            if (k->selezionato) scelti.push_back({k, k->tx});
        }
        c.RidisegnaArea(0, 0, c.Width(), c.Height());
        ::wPalette();
    }
    banco::FinestreNuove finestre;
    vx::wMain& w = ::wMain();
    DragCanvas& c = *w.DragCanvas1;
    struct Scelto {
        std::shared_ptr<Campo> campo;
        fw::Integer x;
    };
    std::vector<Scelto> scelti;
};

void BM_AllineaASinistra(benchmark::State& state) {
    PaginaPrincipale p;
    for (auto _ : state) {
        // Spread them out again, so that every alignment moves them all.
        state.PauseTiming();
        for (auto& s : p.scelti) s.campo->tx = s.x + (s.campo->ty % 7);
        state.ResumeTiming();
        p.w._AllineamSinistra_Action();
    }
}
BENCHMARK(BM_AllineaASinistra)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
