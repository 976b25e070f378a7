// Arbitrary bytes as the configuration file, through the real reader and writer:
// the bytes are the file in a program folder of their own, the main window
// opens it and saves it back. Every dialog is answered at once.
//
// Every input is checked against what the file format promises:
// - a save refused for more than 30 fixed texts leaves the file on disk byte
//   for byte as it was, says why, and keeps the layout modified;
// - otherwise the file written holds, line by line and column by column, the
//   values the reader took from the input: the same integers, the same reals,
//   the same texts, codes and font names, or what the format says replaces
//   them (an unknown code, a font that is not installed, a missing picture);
// - what the writer wrote reads back and is written again to the same bytes.

#include <QTemporaryDir>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Comune.h"
#include "document/App.h"
#include "document/wMain.h"
#include "framework/Application.h"
#include "framework/Files.h"
#include "framework/Fonts.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

namespace {

constexpr const char* kProgramma = "velarix_fuzz";
const std::string kIntestazione = "<FCS><F><1.0.4><27-04-2017>";

QTemporaryDir* cartella = nullptr;

// How the inputs went, told when the fuzzer ends: every one of them is checked.
struct Conteggi {
    long long estranei = 0, rifiutati = 0, registrati = 0;
    ~Conteggi() {
        std::fprintf(stderr,
                     "%s: %lld inputs checked: %lld foreign (a new layout saved), %lld refused "
                     "(file untouched), %lld saved and compared line by line\n",
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

[[noreturn]] void Violazione(const std::string& regola, const std::string& atteso,
                             const std::string& ottenuto) {
    fuzz::Violazione(kProgramma, regola, atteso, ottenuto);
}

// An integer column as the format defines it, read independently of the
// program's reader.
fw::Integer Intero(const std::string& testo) {
    return fw::ToInteger(fuzz::NumeroDiRiferimento(testo));
}

// An integer column: the written text is the plain decimal form of the value
// the reader took.
void VerificaIntero(const std::string& dove, const std::string& letto, const std::string& scritto,
                    fw::Integer valore) {
    if (scritto != std::to_string(valore)) {
        Violazione(dove + ": the integer read from \"" + letto + "\" is not written back",
                   std::to_string(valore), scritto);
    }
}

// A real column (a frame size): the written text is a plain number, never
// "INF" or "NaN", that reads back, by the program and independently of it, to
// the very number the file held.
void VerificaReale(const std::string& dove, const std::string& letto, const std::string& scritto) {
    const double v = fuzz::NumeroDiRiferimento(letto);
    char testo[32];
    const std::string atteso(testo, std::to_chars(testo, testo + sizeof testo, v).ptr);
    const bool numero =
        !scritto.empty() && scritto.find_first_not_of("0123456789.e+-") == std::string::npos;
    if (!numero || fw::Val(scritto) != v || fuzz::NumeroDiRiferimento(scritto) != v) {
        Violazione(dove + ": the size read from \"" + letto + "\" does not survive", atteso,
                   scritto);
    }
    if (v == std::trunc(v) && std::fabs(v) < 1e15 &&
        scritto != std::to_string(static_cast<long long>(v))) {
        Violazione(dove + ": a whole size is written as a plain integer",
                   std::to_string(static_cast<long long>(v)), scritto);
    }
}

// The character-width table: 255 numbers, each followed by "/".
bool TabellaLarghezze(const std::string& riga) {
    std::size_t numeri = 0, i = 0;
    while (i < riga.size()) {
        std::size_t inizio = i;
        if (riga[i] == '-') ++i;
        while (i < riga.size() && riga[i] >= '0' && riga[i] <= '9') ++i;
        if (i == inizio || i >= riga.size() || riga[i] != '/') return false;
        ++i;
        ++numeri;
    }
    return numeri == 255;
}

// What the writer must have written for the input, checked line by line.
void VerificaScritto(const std::string& ingresso, const std::string& scritto) {
    if (scritto.empty() || scritto.back() != '\r' || scritto.find('\n') != std::string::npos) {
        Violazione("every written line ends with CR, and no LF is written", "...\\r", scritto);
    }
    const std::vector<std::string> in = fuzz::Righe(ingresso);
    const std::vector<std::string> out = fuzz::Righe(scritto);
    auto riga = [&in](std::size_t i) { return i < in.size() ? in[i] : std::string(); };
    const std::size_t campi = in.size() > 6 ? in.size() - 6 : 0;
    if (out.size() != 6 + campi) {
        Violazione("one line per field after the six of the head", std::to_string(6 + campi),
                   std::to_string(out.size()));
    }
    if (out[0] != kIntestazione) Violazione("the header line", kIntestazione, out[0]);

    // The background picture: its name, or none when it was reported missing.
    const std::string sfondo = fuzz::Colonna(riga(1), 1);
    if (!out[1].empty() && out[1] != sfondo) {
        Violazione("line 2 names the picture the file named, or none", sfondo, out[1]);
    }

    fw::Integer sezioni[3];
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string letto = fuzz::Colonna(riga(3 + i), 1);
        sezioni[i] = Intero(letto);
        VerificaIntero("section line " + std::to_string(i + 1), letto, out[3 + i], sezioni[i]);
    }

    vx::wPalette& palette = ::wPalette();
    bool d2 = false;
    for (std::size_t k = 0; k < campi; ++k) {
        const std::string& r = in[6 + k];
        const std::string& w = out[6 + k];
        const std::string dove = "field line " + std::to_string(k + 1);
        auto col = [&r](std::size_t c) { return fuzz::Colonna(r, c); };
        auto scr = [&w](std::size_t c) { return fuzz::Colonna(w, c); };
        if (std::count(w.begin(), w.end(), '\t') != 17 || w.back() != '\t') {
            Violazione(dove + ": 17 columns, each followed by TAB", "17 TABs", w);
        }
        // The code: kept when the catalogue has it, "-1" when it does not.
        const fw::Integer rigaCatalogo = palette.CercaCampo(fw::FromMacRoman(col(2)));
        const std::string codice = rigaCatalogo < 0 ? "-1" : rigaCatalogo == 0 ? "" : col(2);
        if (scr(2) != codice) Violazione(dove + ": the field code", codice, scr(2));
        d2 = d2 || codice == "D2";
        const fw::Integer ty = Intero(col(5));
        const bool dettaglio =
            !codice.empty() && codice[0] == 'D' && sezioni[0] <= ty && ty < sezioni[1];
        if (scr(1) != (dettaglio ? "*" : "")) {
            Violazione(dove + ": the detail mark", dettaglio ? "*" : "", scr(1));
        }
        if (scr(3) != col(3)) Violazione(dove + ": the fixed text", col(3), scr(3));
        for (std::size_t c : {4u, 5u, 9u, 16u, 17u}) {
            VerificaIntero(dove + ", column " + std::to_string(c), col(c), scr(c), Intero(col(c)));
        }
        VerificaReale(dove + ", width", col(6), scr(6));
        VerificaReale(dove + ", height", col(7), scr(7));
        // A font that is not installed becomes the first installed one.
        const std::string font =
            fw::ToMacRoman(fw::Font(Modulo1::CercaFont(fw::FromMacRoman(col(8)))));
        if (scr(8) != font) Violazione(dove + ": the font", font, scr(8));
        for (std::size_t c : {10u, 11u, 12u}) {
            const std::string stile = col(c) == "*" ? "*" : "";
            if (scr(c) != stile) Violazione(dove + ": a style mark", stile, scr(c));
        }
        // Colour components are bytes.
        for (std::size_t c : {13u, 14u, 15u}) {
            VerificaIntero(dove + ", colour column " + std::to_string(c), col(c), scr(c),
                           std::clamp<fw::Integer>(Intero(col(c)), 0, 255));
        }
    }
    // The character widths come with the first "D2" field, and only with one.
    if (d2 ? !TabellaLarghezze(out[2]) : !out[2].empty()) {
        Violazione("line 3 is the width table of a \"D2\" field, else empty",
                   d2 ? "255 widths" : "", out[2]);
    }
}

// Fixed texts of the input's field lines: those whose code is the catalogue's
// fixed-text row.
std::size_t TestiFissi(const std::vector<std::string>& righe) {
    std::size_t n = 0;
    for (std::size_t i = 6; i < righe.size(); ++i) {
        n += ::wPalette().CercaCampo(fw::FromMacRoman(fuzz::Colonna(righe[i], 2))) == 0;
    }
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Avvia(kProgramma);
    cartella = new QTemporaryDir;
    fw::testing::SetProgramFolder(cartella->path().toStdString() + "/");
    if (!fw::Application::Instance()) new vx::App;
    if (!fw::Application::Instance() || ::wPalette().lbCodCampi.empty()) {
        // Until the program has both there is nothing to read a file into.
        std::fprintf(stderr, "velarix_fuzz: skipped, no application object or palette yet\n");
        std::exit(0);
    }
    // The texts of a line pass through MacRoman and back: every byte must.
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        if (fw::ToMacRoman(fw::FromMacRoman(byte)) != byte) {
            Violazione("MacRoman gives every byte back", byte,
                       fw::ToMacRoman(fw::FromMacRoman(byte)));
        }
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
    // A foreign file is left, at the "Nuovo" answer, for a new empty layout.
    const std::vector<std::string> righe = fuzz::Righe(ingresso);
    const bool configurazione = !righe.empty() && righe[0].compare(0, 5, "<FCS>") == 0;
    const std::string letto = configurazione ? ingresso : kIntestazione + "\r\r\r100\r150\r350\r";
    const std::size_t testiFissi = configurazione ? TestiFissi(righe) : 0;

    w.DragCanvas1->modificato = true;
    fw::testing::ClearShown();
    const bool registrato = w.RegistraFile();
    if (testiFissi > 30) {
        const std::string rifiuto = "Hai inserito " + std::to_string(testiFissi) +
                                    " testi fissi ma il numero massimo consentito è 30. Devi "
                                    "eliminarne " +
                                    std::to_string(testiFissi - 30) +
                                    " per poter registrare questo configuratore.";
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
    VerificaScritto(letto, scritto);

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
