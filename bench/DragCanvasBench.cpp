// The page canvas's costs on a full page: a background picture and 1,000 fields.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QTemporaryDir>
#include <memory>

#include "PaginaPiena.h"
#include "framework/Testing.h"
#include "framework/Window.h"
#include "layout/DragCanvas.h"
#include "layout/Modulo1.h"

namespace {

class Finestra : public fw::Window {
  public:
    Finestra() : fw::Window(0) { SetSize(600, 850); }
    DragCanvas DragCanvas1{*this, "DragCanvas1", 0, 0, 600, 850};
};

// A page like a busy form: a picture under it, 1,000 fields in a grid of 10
// columns with labels of several lengths, the first one selected.
struct Pagina {
    Pagina() {
        banco::PreparaSfondo();
        f.Show();
        c.ApriFileSfondo("modulo.png");
        banco::RiempiPagina(c);
        c.RidisegnaArea(0, 0, 600, 850);
    }
    Finestra f;
    DragCanvas& c = f.DragCanvas1;
};

Pagina& P() {
    static Pagina p;
    return p;
}

// One drag step that moves the one selected field back and forth by a pixel.
void BM_PassoSpostamento(benchmark::State& state) {
    DragCanvas& c = P().c;
    for (auto& k : c.vCampi) k->selezionato = false;
    auto k = c.vCampi[450];
    c.SelezionaCampo(k, true);
    c.MouseDown(k->tx + 20, k->ty + 5);
    int x = c.ultimoX, y = c.ultimoY, d = 1;
    for (auto _ : state) {
        c.MouseDrag(x + d, y + d);
        d = -d;
    }
    c.MouseUp(x, y);
}
BENCHMARK(BM_PassoSpostamento);

// One drag step that resizes it, alternating between two sizes.
void BM_PassoRidimensionamento(benchmark::State& state) {
    DragCanvas& c = P().c;
    auto k = c.vCampi.back();
    c.MouseDown(k->tx + static_cast<int>(k->riquadro->Width) - 2,
                k->ty + static_cast<int>(k->riquadro->Height) - 2);
    int x = c.ultimoX, y = c.ultimoY, d = 3;
    for (auto _ : state) {
        c.MouseDrag(x + d, y + d);
        d = -d;
    }
    c.MouseUp(x, y);
}
BENCHMARK(BM_PassoRidimensionamento);

// One step of a band about 200 x 150 pixels over the fields.
void BM_PassoBanda(benchmark::State& state) {
    DragCanvas& c = P().c;
    c.MouseDown(2, 300);  // between the tabs' reach and the first column
    int d = 0;
    for (auto _ : state) {
        c.MouseDrag(200 + d, 450 + d);
        d = d == 0 ? 1 : 0;
    }
    c.MouseUp(200, 450);
}
BENCHMARK(BM_PassoBanda);

// Painting the whole page again, as the paint event does.
void BM_RidisegnoCompleto(benchmark::State& state) {
    DragCanvas& c = P().c;
    for (auto _ : state) c.RidisegnaArea(0, 0, c.Width(), c.Height());
}
BENCHMARK(BM_RidisegnoCompleto)->Unit(benchmark::kMillisecond);

}  // namespace
