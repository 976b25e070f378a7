// The page canvas's costs on a full page: a background picture and 100, 1,000 or
// 10,000 fields. Each run makes its own window and page, so every repetition
// measures the same work.

#include <benchmark/benchmark.h>

#include <memory>

#include "PaginaPiena.h"
#include "framework/Window.h"
#include "layout/DragCanvas.h"

namespace {

class Finestra : public fw::Window {
  public:
    Finestra() : fw::Window(0) { SetSize(600, 850); }
    DragCanvas DragCanvas1{*this, "DragCanvas1", 0, 0, 600, 850};
};

// A page like a busy form: a picture under it, n fields in a grid of 10
// columns with labels of several lengths, none selected, painted whole.
struct Pagina {
    explicit Pagina(int n) {
        banco::PreparaSfondo();
        f.Show();
        c.ApriFileSfondo("modulo.png");
        banco::RiempiPagina(c, n);
        c.RidisegnaArea(0, 0, 600, 850);
    }
    Finestra f;
    DragCanvas& c = f.DragCanvas1;
};

void Campi(benchmark::internal::Benchmark* b) {
    b->Arg(100)->Arg(1000)->Arg(10000);
}

// One drag step that moves one selected field back and forth by a pixel: the
// field on top at a point of column 0 halfway down the page, the same one in
// every run.
void BM_PassoSpostamento(benchmark::State& state) {
    Pagina p(static_cast<int>(state.range(0)));
    DragCanvas& c = p.c;
    int n = static_cast<int>(c.vCampi.size());
    banco::Posto posto = banco::PostoDelCampo(banco::CampoAMeta(n), n);
    int x = posto.x + 20, y = posto.y + 5;
    std::shared_ptr<Campo> k;
    for (const auto& campo : c.vCampi) {
        if (campo->ClicCampo(x, y)) k = campo;
    }
    c.MouseDown(x, y);
    if (!k || !k->selezionato || c.campoCliccato != k) {
        state.SkipWithError("the field was not grabbed");
    }
    int d = 1;
    for (auto _ : state) {
        c.MouseDrag(x + d, y + d);
        d = -d;
    }
    c.MouseUp(x, y);
}
BENCHMARK(BM_PassoSpostamento)->Apply(Campi);

// One drag step that resizes the last field, alternating between two sizes.
void BM_PassoRidimensionamento(benchmark::State& state) {
    Pagina p(1000);
    DragCanvas& c = p.c;
    auto k = c.vCampi.back();
    c.MouseDown(k->tx + static_cast<int>(k->riquadro->Width) - 2,
                k->ty + static_cast<int>(k->riquadro->Height) - 2);
    if (!k->ridimensiona) state.SkipWithError("the resize zone was missed");
    int x = c.ultimoX, y = c.ultimoY, d = 3;
    for (auto _ : state) {
        c.MouseDrag(x + d, y + d);
        d = -d;
    }
    c.MouseUp(x, y);
}
BENCHMARK(BM_PassoRidimensionamento);

// One step of a band about 200 x 150 pixels over the fields, its far corner
// going back and forth by a pixel.
void BM_PassoBanda(benchmark::State& state) {
    Pagina p(static_cast<int>(state.range(0)));
    DragCanvas& c = p.c;
    c.MouseDown(2, 300);  // between the tabs' reach and the first column
    if (c.campoCliccato || c.sezioneTrascinata) state.SkipWithError("the press grabbed something");
    int d = 0;
    for (auto _ : state) {
        c.MouseDrag(200 + d, 450 + d);
        d = d == 0 ? 1 : 0;
    }
    c.MouseUp(200, 450);
}
BENCHMARK(BM_PassoBanda)->Apply(Campi);

// Painting the whole page again, as the paint event does.
void BM_RidisegnoCompleto(benchmark::State& state) {
    Pagina p(static_cast<int>(state.range(0)));
    DragCanvas& c = p.c;
    for (auto _ : state) c.RidisegnaArea(0, 0, c.Width(), c.Height());
}
BENCHMARK(BM_RidisegnoCompleto)->Apply(Campi)->Unit(benchmark::kMillisecond);

}  // namespace
