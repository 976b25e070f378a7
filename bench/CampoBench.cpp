// A field's own costs: drawing it, measuring its label, its character widths.

#include <benchmark/benchmark.h>

#include "framework/Drawing.h"
#include "layout/Campo.h"
#include "layout/Modulo1.h"

namespace {

Campo Esempio() {
    Campo c;
    c.iFont = Modulo1::CercaFont("DejaVu Sans");
    c.dimFont = 10;
    c.iCampo = 12;
    c.AllType = 2;
    c.selezionato = true;
    c.etichetta = "Totale documento";
    return c;
}

void BM_CampoDisegna(benchmark::State& state) {
    auto pagina = fw::NewPicture(600, 850, 32);
    Campo c = Esempio();
    for (auto _ : state) c.Disegna(pagina->Graphics());
}
BENCHMARK(BM_CampoDisegna);

void BM_CampoDimensEtichetta(benchmark::State& state) {
    Campo c = Esempio();
    for (auto _ : state) c.DimensEtichetta();
}
BENCHMARK(BM_CampoDimensEtichetta);

void BM_CampoLarghezzeCaratteri(benchmark::State& state) {
    Campo c = Esempio();
    for (auto _ : state) benchmark::DoNotOptimize(c.LarghezzeCaratteri());
}
BENCHMARK(BM_CampoLarghezzeCaratteri)->Unit(benchmark::kMillisecond);

}  // namespace
