// Arbitrary bytes as the configuration file, through the main window: the bytes
// are the file in a program folder of their own, the window opens it and saves
// it back. Every dialog is answered at once. Slower than ConfigFuzz.cpp, which
// checks the format itself, this run checks what only the window does:
// - a save refused for more than 30 fixed texts leaves the file on disk byte
//   for byte as it was, says why, and keeps the layout modified;
// - the background picture named on line 2 is looked up in the program's
//   folder, and one that is not there leaves no name;
// - a foreign file, or one too large, leaves a new layout, which is saved;
// - the file saved holds the values the input held, line by line and column
//   by column, and reads back and saves again to the same bytes.

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Comune.h"
#include "OracoloConfig.h"
#include "document/App.h"
#include "document/FileConfig.h"
#include "document/wMain.h"
#include "framework/Application.h"
#include "framework/Files.h"
#include "framework/Fonts.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

namespace {

constexpr const char* kProgramma = "velarix_fuzz_finestra";

QTemporaryDir* cartella = nullptr;
// The pictures in the program's folder: the second of a name the toolkit would
// take for one of its built-in resources.
const std::string kFigure[] = {"sfondo.png", ":sfondo.png"};

QString Q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// How the inputs went, told when the fuzzer ends: every one of them is checked.
struct Conteggi {
    long long estranei = 0, rifiutati = 0, registrati = 0;
    ~Conteggi() {
        std::fprintf(stderr,
                     "%s: %lld inputs checked: %lld foreign or too large (a new layout saved), "
                     "%lld refused (file untouched), %lld saved and compared line by line\n",
                     kProgramma, estranei + rifiutati + registrati, estranei, rifiutati,
                     registrati);
    }
} conteggi;

// The layout a fresh window shows, so that no input depends on the one before.
void Azzera(vx::wMain& w) {
    DragCanvas& c = *w.DragCanvas1;
    c.vCampi.clear();
    c.ResetSfondo();
    for (std::size_t i = 0; i < c.vSezioni.size(); ++i) {
        c.vSezioni[i]->posizY = DragCanvas::kPosizioniSezioni[i];
    }
    c.modificato = false;
}

using oracolo::Violazione;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    oracolo::programma = kProgramma;
    fuzz::Avvia(kProgramma);
    cartella = new QTemporaryDir;
    fw::testing::SetProgramFolder(cartella->path().toStdString() + "/");
    QImage figura(40, 30, QImage::Format_RGB32);
    figura.fill(Qt::darkCyan);
    for (const std::string& f : kFigure) {
        if (!figura.save(cartella->path() + "/" + Q(f), "PNG")) std::abort();
    }
    if (!fw::Application::Instance()) new vx::App;
    if (!fw::Application::Instance() || ::wPalette().lbCodCampi.empty()) {
        // Until the program has both there is nothing to read a file into.
        std::fprintf(stderr, "%s: skipped, no application object or palette yet\n", kProgramma);
        std::exit(0);
    }
    ::App().VXVer = "1.0.4";
    ::App().VXHead = "27-04-2017";
    ::wMain().Show();
    ::wMain().nomeFileConfig = "FIp.txt";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    vx::wMain& w = ::wMain();
    const QString file = cartella->path() + "/FIp.txt";
    const std::string ingresso(reinterpret_cast<const char*>(dati), n);
    Azzera(w);
    fuzz::Scrivi(file, ingresso);
    fw::testing::ClearShown();

    w.ApriFile();
    // A foreign file, or one too large, is left, at the "Nuovo" answer, for a
    // new empty layout.
    const std::vector<std::string> righe = fuzz::Righe(ingresso);
    const bool configurazione =
        oracolo::Configurazione(righe) && righe.size() <= 6 + vx::kRigheCampoMassime;
    const std::string letto = configurazione ? ingresso : oracolo::kNuovo;
    const std::size_t testiFissi = configurazione ? oracolo::TestiFissi(righe) : 0;

    // The picture: a bare name is looked for in the program's folder, where
    // there is one picture; one with a folder part is not looked for and kept.
    const std::string sfondo =
        configurazione ? fuzz::Colonna(righe.size() > 1 ? righe[1] : std::string(), 1) : "";
    const std::string nome = fw::FromMacRoman(sfondo);
    const bool nudo = nome.find('/') == std::string::npos && nome.find('\0') == std::string::npos &&
                      nome != "." && nome != "..";
    const bool presente =
        nudo && !nome.empty() && QFileInfo::exists(cartella->path() + "/" + Q(nome));
    if (!nome.empty() && !presente) {
        const std::string mancante = "Il file del modulo grafico di sfondo " +
                                     Modulo1::Abbrevia(nome) + " non è stato trovato.";
        const auto& mostrati = fw::testing::Shown();
        if (mostrati.empty() || mostrati[0].message != mancante) {
            Violazione("a missing picture is reported first", mancante,
                       mostrati.empty() ? "no message" : mostrati[0].message);
        }
    }
    for (const std::string& f : kFigure) {
        if (presente && nome == f && !w.DragCanvas1->Backdrop()) {
            Violazione("the picture in the program's folder is the background", f, "none");
        }
    }
    const std::string sfondoTenuto = presente || !nudo ? sfondo : "";

    w.DragCanvas1->modificato = true;
    fw::testing::ClearShown();
    const bool registrato = w.RegistraFile();
    if (testiFissi > 30) {
        const std::string rifiuto = oracolo::Rifiuto(testiFissi);
        const auto& mostrati = fw::testing::Shown();
        if (registrato) Violazione("more than 30 fixed texts are not saved", "refused", "saved");
        if (mostrati.size() != 1 || mostrati[0].message != rifiuto) {
            Violazione("a refused save says why", rifiuto,
                       mostrati.empty() ? "no message" : mostrati[0].message);
        }
        if (fuzz::Leggi(file) != ingresso) {
            Violazione("a refused save leaves the file as it was", ingresso, fuzz::Leggi(file));
        }
        if (!w.DragCanvas1->modificato) std::abort();
        ++conteggi.rifiutati;
        return 0;
    }
    if (!registrato) Violazione("a layout within 30 fixed texts is saved", "saved", "refused");
    const std::string scritto = fuzz::Leggi(file);
    oracolo::VerificaScritto(letto, scritto, sfondoTenuto);

    Azzera(w);
    w.ApriFile();
    w.DragCanvas1->modificato = true;
    if (!w.RegistraFile()) Violazione("what was saved saves again", "saved", "refused");
    if (fuzz::Leggi(file) != scritto) {
        Violazione("a written file reads back to the same bytes", scritto, fuzz::Leggi(file));
    }
    ++(configurazione ? conteggi.registrati : conteggi.estranei);
    return 0;
}
