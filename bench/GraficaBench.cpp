// What a field's draw costs the layer, and a whole page of them.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/Drawing.h"

using namespace fw;

namespace {

// One field's draw as the page does it: frame, two measurements, the label
// and, when selected, the handle.
void Campo(Graphics& g, int tx, int ty, const std::string& etichetta, bool selezionato) {
    RectShape riquadro;
    riquadro.Width = 100;
    riquadro.Height = 14;
    riquadro.Border = 100;
    riquadro.FillColor = 0xFFFE95;
    riquadro.BorderColor = 0x000000;
    riquadro.BorderWidth = 1;
    g.DrawObject(riquadro, tx + 50, ty + 7);
    g.TextFont = "DejaVu Sans";
    g.TextSize = 10;
    benchmark::DoNotOptimize(g.StringWidth(etichetta));
    benchmark::DoNotOptimize(g.StringHeight(etichetta, 800));
    g.DrawString(etichetta, tx + 2, ty + 10);
    if (selezionato) {
        RectShape maniglia;
        maniglia.Width = maniglia.Height = 6;
        maniglia.Border = 100;
        maniglia.BorderWidth = 0;
        g.DrawObject(maniglia, tx + 97, ty + 11);
    }
}

void BM_CampoDisegna(benchmark::State& state) {
    auto pic = NewPicture(600, 850, 32);
    int i = 0;
    for (auto _ : state) {
        Campo(pic->Graphics(), 100 + (i % 400), 100 + (i % 700), "Ragione sociale", true);
        ++i;
    }
}
BENCHMARK(BM_CampoDisegna);

void BM_PaginaMilleCampi(benchmark::State& state) {
    auto pic = NewPicture(600, 850, 32);
    std::vector<std::string> etichette;
    for (int i = 0; i < 85; ++i) etichette.push_back("Campo numero " + std::to_string(i));
    for (auto _ : state) {
        Graphics& g = pic->Graphics();
        g.ClearRect(0, 0, 600, 850);
        for (int i = 0; i < 1000; ++i) {
            Campo(g, (i * 37) % 500, (i * 53) % 830, etichette[i % 85], i % 10 == 0);
        }
    }
}
BENCHMARK(BM_PaginaMilleCampi)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
