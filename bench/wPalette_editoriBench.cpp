// The palette's editors on a full page: one font-size edit on 100 selected
// fields among 1,000, with the repaint it asks for.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QTemporaryDir>

#include "document/wMain.h"
#include "framework/Testing.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

namespace {

// The main window's page as a busy form, under a background picture: 1,000
// fields in a grid of 10 columns, every tenth one (one column, top to bottom)
// selected and shown in the palette. Made afresh for each run, since the other
// benchmarks share the main window's page; the picture is taken away after.
class PaginaPiena {
  public:
    PaginaPiena() {
        static QTemporaryDir* cartella = [] {
            auto* d = new QTemporaryDir;
            QImage figura(600, 850, QImage::Format_RGB32);
            for (int y = 0; y < 850; ++y) {
                for (int x = 0; x < 600; ++x) figura.setPixel(x, y, qRgb(x % 256, y % 256, 200));
            }
            figura.save(d->path() + "/modulo.png");
            return d;
        }();
        fw::testing::SetProgramFolder(cartella->path().toStdString() + "/");
        ::wMain().Show();
        ::wPalette().Show();
        c.ApriFileSfondo("modulo.png");
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
            k->selezionato = i % 10 == 3;
            k->DimensEtichetta();
        }
        c.RidisegnaArea(0, 0, c.Width(), c.Height());
        ::wPalette().Popola();
    }
    ~PaginaPiena() {
        c.ResetSfondo();
        c.vCampi.clear();
    }
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
