// Arbitrary bytes as the preferences file, through the windows that use it: the
// file is counted as at start-up, a field is added with its defaults, and the
// preferences dialog is opened and confirmed with OK as it shows the file.
// Slower than PrefFuzz.cpp, which checks the file's class alone, this run checks
// what only the windows do with it.
//
// Every input is checked against what the file promises:
// - the file counts its CRs up to the two lines the program uses;
// - each line is read as the text stream splits it (CR, LF or CRLF), the last
//   one for a line the file lacks, and cut at 1,000 bytes (never inside a
//   character);
// - a new field takes the font of line 1 and the size of line 2;
// - OK writes the font shown and the size shown back as lines 1 and 2, as many
//   as the file counted, each ended by CR: the size reads as the same number it
//   read before, a font name survives when it is installed; a file with no CR,
//   where there is no line to replace, is left untouched.

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Comune.h"
#include "OracoloPref.h"
#include "dialogs/wPreferenze.h"
#include "document/App.h"
#include "document/Preferenze.h"
#include "document/wMain.h"
#include "framework/Application.h"
#include "framework/Fonts.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

namespace {

constexpr const char* kProgramma = "velarix_fuzz_pref_finestra";

QTemporaryDir* cartella = nullptr;

oracolo::ConteggiPref conteggi{kProgramma};

[[noreturn]] void Violazione(const std::string& regola, const std::string& atteso,
                             const std::string& ottenuto) {
    fuzz::Violazione(kProgramma, regola, atteso, ottenuto);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Avvia(kProgramma);
    cartella = new QTemporaryDir;
    fw::testing::SetProgramFolder(cartella->path().toStdString() + "/");
    fw::testing::SetPreferencesFolder(cartella->path().toStdString() + "/");
    if (!fw::Application::Instance()) new vx::App;
    if (!fw::Application::Instance() || ::wPalette().lbCodCampi.empty()) {
        std::fprintf(stderr, "%s: skipped, no application object or palette yet\n", kProgramma);
        std::exit(0);
    }
    ::App().pref = std::make_shared<Preferenze>();
    ::App().pref->NOME = "Velarix pref";
    ::wMain().Show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const QString file = cartella->path() + "/Velarix pref";
    const std::string ingresso(reinterpret_cast<const char*>(dati), n);
    fuzz::Scrivi(file, ingresso);
    fw::testing::ClearShown();

    Preferenze& pref = *::App().pref;
    pref.NUM_CAMPI = 2;
    if (!pref.Esiste()) Violazione("the file is there", "true", "false");
    const oracolo::RighePref riga(ingresso);
    const fw::Integer righeContate = riga.contate;
    if (pref.NUM_CAMPI != righeContate) {
        Violazione("the line count is the count of CRs, up to 2", std::to_string(righeContate),
                   std::to_string(pref.NUM_CAMPI));
    }

    for (fw::Integer i : {0, 1, 2, 3}) {
        if (pref.Leggi(i) != riga(i)) {
            Violazione("line " + std::to_string(i) + " as the stream reads it", riga(i),
                       pref.Leggi(i));
        }
    }

    // A field added takes the defaults of lines 1 and 2.
    DragCanvas& canvas = *::wMain().DragCanvas1;
    canvas.vCampi.clear();
    ::wMain().AggiungiCampo();
    if (canvas.vCampi.size() != 1) std::abort();
    const fw::Integer font = Modulo1::CercaFont(riga(1));
    const fw::Integer dimensione = fw::ToInteger(fuzz::NumeroDiRiferimento(riga(2)));
    if (canvas.vCampi[0]->iFont != font || canvas.vCampi[0]->dimFont != dimensione) {
        Violazione("a new field takes the font and size of the file",
                   std::to_string(font) + " " + std::to_string(dimensione),
                   std::to_string(canvas.vCampi[0]->iFont) + " " +
                       std::to_string(canvas.vCampi[0]->dimFont));
    }
    canvas.vCampi.clear();
    canvas.modificato = false;

    // The dialog, confirmed as it opened.
    ::wPreferenze().Show();
    const std::string mostrata = ::wPreferenze().efDimFont->Text();
    ::wPreferenze().pbOK->Push();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (fw::ImplicitExists<vx::wPreferenze>()) Violazione("OK closes the dialog", "closed", "open");

    const std::string dopo = fuzz::Leggi(file);
    if (righeContate < 1) {
        if (dopo != ingresso) Violazione("a file with no CR is left as it was", ingresso, dopo);
        ++conteggi.intatti;
        return 0;
    }
    const std::vector<std::string> scritte = fuzz::Righe(dopo);
    if (dopo.back() != '\r' || std::count(dopo.begin(), dopo.end(), '\r') != righeContate ||
        scritte.size() != static_cast<std::size_t>(righeContate)) {
        Violazione("OK writes as many lines as the file counted, each ended by CR",
                   std::to_string(righeContate), std::to_string(scritte.size()));
    }
    const std::string nomeFont = fw::Font(font);
    if (scritte[0] != nomeFont) Violazione("line 1: the font shown", nomeFont, scritte[0]);
    if (righeContate >= 2) {
        if (scritte[1] != mostrata) Violazione("line 2: the size shown", mostrata, scritte[1]);
        if (fuzz::NumeroDiRiferimento(scritte[1]) != fuzz::NumeroDiRiferimento(riga(2))) {
            Violazione("line 2: the size reads as the same number", riga(2), scritte[1]);
        }
    }
    ++conteggi.riscritti;
    return 0;
}
