// One alignment in the main window: 100 selected fields among 1,000 on a page
// with a background picture, lined up on the left.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QTemporaryDir>
#include <vector>

#include "document/wMain.h"
#include "framework/Testing.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

namespace {

struct PaginaPrincipale {
    PaginaPrincipale() {
        QImage figura(600, 850, QImage::Format_RGB32);
        for (int y = 0; y < 850; ++y) {
            for (int x = 0; x < 600; ++x) figura.setPixel(x, y, qRgb(x % 256, y % 256, 200));
        }
        figura.save(cartella.path() + "/modulo.png");
        fw::testing::SetProgramFolder(cartella.path().toStdString() + "/");
        w.Show();
        c.ApriFileSfondo("modulo.png");
        fw::Integer font = Modulo1::CercaFont("DejaVu Sans");
        for (int i = 0; i < 1000; ++i) {
            auto k = c.AggiungiCampo();
            k->tx = 5 + (i % 10) * 59;
            k->ty = 5 + (i / 10) * 8;
            k->riquadro->Width = 55;
            k->riquadro->Height = 14;
            k->iFont = font;
            k->dimFont = 10;
            k->iCampo = 1 + i % 85;
            k->etichetta = "Totale documento";
            // Every tenth field, spread over the whole page.
            k->selezionato = i % 10 == 3;
            if (k->selezionato) scelti.push_back({k, k->tx});
        }
        c.RidisegnaArea(0, 0, c.Width(), c.Height());
        ::wPalette();
    }
    QTemporaryDir cartella;
    vx::wMain& w = ::wMain();
    DragCanvas& c = *w.DragCanvas1;
    struct Scelto {
        std::shared_ptr<Campo> campo;
        fw::Integer x;
    };
    std::vector<Scelto> scelti;
};

void BM_AllineaASinistra(benchmark::State& state) {
    static PaginaPrincipale p;
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
