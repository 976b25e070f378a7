#pragma once

// What a configuration file read and written again must be, checked by other
// means than the program's own: shared by the fuzzer of the format and the one
// of the main window.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "Comune.h"
#include "framework/Files.h"
#include "framework/Fonts.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"
#include "palette/Catalogo.h"

namespace oracolo {

inline const std::string kIntestazione = "<FCS><F><1.0.4><27-04-2017>";
// What a foreign file leaves once the user answers "Nuovo": an empty layout
// with the section lines where a fresh window has them.
inline const std::string kNuovo = kIntestazione + "\r\r\r100\r150\r350\r";

// Set by each fuzzer at its start, to name it in a report.
inline const char* programma = "velarix_fuzz";

[[noreturn]] inline void Violazione(const std::string& regola, const std::string& atteso,
                                    const std::string& ottenuto) {
    fuzz::Violazione(programma, regola, atteso, ottenuto);
}

// An integer column as the format defines it, read independently of the
// program's reader.
inline fw::Integer Intero(const std::string& testo) {
    return fw::ToInteger(fuzz::NumeroDiRiferimento(testo));
}

// An integer column: the written text is the plain decimal form of the value
// the reader took.
inline void VerificaIntero(const std::string& dove, const std::string& letto,
                           const std::string& scritto, fw::Integer valore) {
    if (scritto != std::to_string(valore)) {
        Violazione(dove + ": the integer read from \"" + letto + "\" is not written back",
                   std::to_string(valore), scritto);
    }
}

// A real column (a frame size): the written text is a plain number, never
// "INF" or "NaN", that reads back, by the program and independently of it, to
// the very number the file held.
inline void VerificaReale(const std::string& dove, const std::string& letto,
                          const std::string& scritto) {
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
inline bool TabellaLarghezze(const std::string& riga) {
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

// The catalogue row of a code as the file holds it (MacRoman).
inline fw::Integer Riga(const std::string& codice) {
    return Catalogo::CercaCampo(fw::FromMacRoman(codice));
}

// Whether the bytes are a configuration file: its first line begins with "<FCS>".
inline bool Configurazione(const std::vector<std::string>& righe) {
    return !righe.empty() && righe[0].compare(0, 5, "<FCS>") == 0;
}

// Fixed texts of the input's field lines: those whose code is the catalogue's
// fixed-text row.
inline std::size_t TestiFissi(const std::vector<std::string>& righe) {
    std::size_t n = 0;
    for (std::size_t i = 6; i < righe.size(); ++i) n += Riga(fuzz::Colonna(righe[i], 2)) == 0;
    return n;
}

// What the writer must have written for the input, checked line by line and
// column by column; line 2 must be sfondo, the picture's name as the layout kept it.
inline void VerificaScritto(const std::string& ingresso, const std::string& scritto,
                            const std::string& sfondo) {
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

    if (out[1] != sfondo) Violazione("line 2 names the picture the layout kept", sfondo, out[1]);

    fw::Integer sezioni[3];
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string letto = fuzz::Colonna(riga(3 + i), 1);
        sezioni[i] = Intero(letto);
        VerificaIntero("section line " + std::to_string(i + 1), letto, out[3 + i], sezioni[i]);
    }

    bool d2 = false;
    for (std::size_t k = 0; k < campi; ++k) {
        const std::string& w = out[6 + k];
        const std::string dove = "field line " + std::to_string(k + 1);
        const std::vector<std::string> col = fuzz::Colonne(in[6 + k], 17);
        const std::vector<std::string> scr = fuzz::Colonne(w, 17);
        if (std::count(w.begin(), w.end(), '\t') != 17 || w.back() != '\t') {
            Violazione(dove + ": 17 columns, each followed by TAB", "17 TABs", w);
        }
        // Columns from 1, as the format numbers them.
        auto c = [&col](std::size_t n) -> const std::string& { return col[n - 1]; };
        auto s = [&scr](std::size_t n) -> const std::string& { return scr[n - 1]; };
        // The code: kept when the catalogue has it, "-1" when it does not.
        const fw::Integer rigaCatalogo = Riga(c(2));
        const std::string codice = rigaCatalogo < 0 ? "-1" : rigaCatalogo == 0 ? "" : c(2);
        if (s(2) != codice) Violazione(dove + ": the field code", codice, s(2));
        d2 = d2 || codice == "D2";
        const fw::Integer ty = Intero(c(5));
        const bool dettaglio =
            !codice.empty() && codice[0] == 'D' && sezioni[0] <= ty && ty < sezioni[1];
        if (s(1) != (dettaglio ? "*" : "")) {
            Violazione(dove + ": the detail mark", dettaglio ? "*" : "", s(1));
        }
        if (s(3) != c(3)) Violazione(dove + ": the fixed text", c(3), s(3));
        for (std::size_t n : {4u, 5u, 9u, 16u, 17u}) {
            VerificaIntero(dove + ", column " + std::to_string(n), c(n), s(n), Intero(c(n)));
        }
        VerificaReale(dove + ", width", c(6), s(6));
        VerificaReale(dove + ", height", c(7), s(7));
        // A font that is not installed becomes the first installed one.
        const std::string font =
            fw::ToMacRoman(fw::Font(Modulo1::CercaFont(fw::FromMacRoman(c(8)))));
        if (s(8) != font) Violazione(dove + ": the font", font, s(8));
        for (std::size_t n : {10u, 11u, 12u}) {
            const std::string stile = c(n) == "*" ? "*" : "";
            if (s(n) != stile) Violazione(dove + ": a style mark", stile, s(n));
        }
        // Colour components are bytes.
        for (std::size_t n : {13u, 14u, 15u}) {
            VerificaIntero(dove + ", colour column " + std::to_string(n), c(n), s(n),
                           std::clamp<fw::Integer>(Intero(c(n)), 0, 255));
        }
    }
    // The character widths come with the first "D2" field, and only with one.
    if (d2 ? !TabellaLarghezze(out[2]) : !out[2].empty()) {
        Violazione("line 3 is the width table of a \"D2\" field, else empty",
                   d2 ? "255 widths" : "", out[2]);
    }
}

// The message of a save refused for so many fixed texts.
inline std::string Rifiuto(std::size_t testiFissi) {
    return "Hai inserito " + std::to_string(testiFissi) +
           " testi fissi ma il numero massimo consentito è 30. Devi eliminarne " +
           std::to_string(testiFissi - 30) + " per poter registrare questo configuratore.";
}

}  // namespace oracolo
