// Saving and opening a configuration file of 100, 1,000 or 10,000 fields, through
// the main window and through the format's own functions; opening also a small
// one of 6 fields, where the cost of each open beyond its lines shows.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <string>

#include "PaginaPiena.h"
#include "document/App.h"
#include "document/FileConfig.h"
#include "framework/Application.h"
#include "framework/Files.h"

namespace {

// A page crowded with fields over the whole sheet: 30 fixed texts, every data
// field of the catalogue many times over, varied fonts, styles and colours.
// Made afresh for each run, in a folder of its own, on fresh windows.
struct Configurazione {
    explicit Configurazione(int n) {
        // A dialog here would be a fault of the set-up; it must not wait for a person.
        fw::testing::Enable(
            [](const fw::String& m) { std::fprintf(stderr, "dialog: %s\n", m.c_str()); });
        fw::testing::SetProgramFolder(cartella.path().toStdString() + "/");
        if (!fw::Application::Instance()) app = std::make_unique<vx::App>();
        pronta = fw::Application::Instance() && !::wPalette().lbCodCampi.empty();
        if (!pronta) return;
        ::App().VXVer = "1.0.4";
        ::App().VXHead = "27-04-2017";
        w.Show();
        w.nomeFileConfig = "FIp.txt";
        fw::Integer font = Modulo1::CercaFont("DejaVu Sans");
        DragCanvas& c = *w.DragCanvas1;
        for (int i = 0; i < n; ++i) {
            auto k = c.AggiungiCampo();
            // The fixed texts last, so that no limit warning is due on the way.
            bool fisso = i >= n - 30;
            k->iCampo = fisso ? 0 : 1 + i % 85;
            k->testoFisso = fisso ? "Testo fisso " + std::to_string(i) : "";
            k->tx = (i % 10) * 59;
            k->ty = (i / 10) % 106 * 8;
            k->riquadro->Width = 55;
            k->riquadro->Height = 8;
            k->iFont = font;
            k->dimFont = 8 + i % 5;
            k->stileG = i % 2;
            k->coloreEtich = (static_cast<fw::Color>(i) * 0x0A0B0Cu) & 0xFFFFFFu;
            k->AllType = i % 4;
            k->pagina = i % 3;
        }
    }
    ~Configurazione() { fw::testing::Reset(); }

    // The layout saved once, its bytes read back; false, with the run marked,
    // when that cannot be had.
    bool Salvata(benchmark::State& state) {
        if (!pronta) {
            state.SkipWithError("needs the application object and the palette");
            return false;
        }
        w.DragCanvas1->modificato = true;
        if (!w.RegistraFile()) {
            state.SkipWithError("not saved");
            return false;
        }
        return true;
    }
    fw::String Byte() const { return fw::GetFolderItem("FIp.txt", 0)->OpenAsTextFile()->ReadAll(); }
    Configurazione(const Configurazione&) = delete;
    Configurazione& operator=(const Configurazione&) = delete;

    QTemporaryDir cartella;
    std::unique_ptr<vx::App> app;
    banco::FinestreNuove finestre;
    vx::wMain& w = ::wMain();
    bool pronta = false;
};

void Campi(benchmark::internal::Benchmark* b) {
    b->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}

void BM_RegistraFile(benchmark::State& state) {
    Configurazione conf(static_cast<int>(state.range(0)));
    if (!conf.pronta) {
        state.SkipWithError("needs the application object and the palette");
        return;
    }
    for (auto _ : state) {
        conf.w.DragCanvas1->modificato = true;
        if (!conf.w.RegistraFile()) state.SkipWithError("not saved");
    }
}
BENCHMARK(BM_RegistraFile)->Apply(Campi);

// Opening includes the repaint of the whole canvas with the fields in view.
void BM_ApriFile(benchmark::State& state) {
    auto n = static_cast<std::size_t>(state.range(0));
    Configurazione conf(static_cast<int>(n));
    if (!conf.Salvata(state)) return;
    for (auto _ : state) conf.w.ApriFile();
    if (conf.w.DragCanvas1->vCampi.size() != n) state.SkipWithError("wrong field count");
}
BENCHMARK(BM_ApriFile)->Arg(6)->Apply(Campi);

// The format alone, from the bytes of the file to the layout and back: what an
// open and a save cost beyond the window's own work.
void BM_LeggiConfigurazione(benchmark::State& state) {
    auto n = static_cast<std::size_t>(state.range(0));
    Configurazione conf(static_cast<int>(n));
    if (!conf.Salvata(state)) return;
    const fw::String byte = conf.Byte();
    std::size_t campi = 0;
    for (auto _ : state) campi = vx::LeggiConfigurazione(byte).configuratore.campi.size();
    if (campi != n) state.SkipWithError("wrong field count");
}
BENCHMARK(BM_LeggiConfigurazione)->Arg(6)->Apply(Campi);

void BM_ScriviConfigurazione(benchmark::State& state) {
    auto n = static_cast<std::size_t>(state.range(0));
    Configurazione conf(static_cast<int>(n));
    if (!conf.Salvata(state)) return;
    const vx::Configuratore letto = vx::LeggiConfigurazione(conf.Byte()).configuratore;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vx::ScriviConfigurazione(letto, "1.0.4", "27-04-2017").byte);
    }
}
BENCHMARK(BM_ScriviConfigurazione)->Arg(6)->Apply(Campi);

}  // namespace
