// The main window's costs: making and showing it at start-up, and a resize with
// the scroll bars fitted again and the page painted at the new size.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "PaginaPiena.h"
#include "document/App.h"

namespace {

void Chiudi() {
    ::wMain().Close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The start-up up to the first shown window: the application object, the main
// window with its menu bar and controls, shown and painted.
void BM_AvvioFinoAllaFinestra(benchmark::State& state) {
    banco::FinestreNuove finestre;
    for (auto _ : state) {
        {
            vx::App app;
            vx::wMain& w = ::wMain();
            w.Show();
            QApplication::processEvents();
            benchmark::DoNotOptimize(w.Visible());
            state.PauseTiming();
            Chiudi();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AvvioFinoAllaFinestra)->Unit(benchmark::kMillisecond);

// One resize of the shown main window, alternating between two sizes that both
// scroll, with the repaint it causes.
void BM_RidimensionaFinestra(benchmark::State& state) {
    banco::FinestreNuove finestre;
    vx::wMain& w = ::wMain();
    w.Show();
    QApplication::processEvents();
    w.sbOrizz->SetValue(30);
    w.sbVert->SetValue(60);
    bool grande = false;
    for (auto _ : state) {
        grande = !grande;
        w.SetSize(grande ? 520 : 480, grande ? 640 : 600);
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.DragCanvas1->Left());
    }
    Chiudi();
}
BENCHMARK(BM_RidimensionaFinestra)->Unit(benchmark::kMicrosecond);

// The same resize without the repaint: the locked controls moved, the bars
// fitted again and the canvas placed.
void BM_RidimensionaSenzaDisegno(benchmark::State& state) {
    banco::FinestreNuove finestre;
    vx::wMain& w = ::wMain();
    w.Show();
    QApplication::processEvents();
    bool grande = false;
    for (auto _ : state) {
        grande = !grande;
        w.SetSize(grande ? 520 : 480, grande ? 640 : 600);
    }
    Chiudi();
}
BENCHMARK(BM_RidimensionaSenzaDisegno)->Unit(benchmark::kMicrosecond);

}  // namespace
