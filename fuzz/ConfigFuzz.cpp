// Arbitrary bytes as the configuration file, through the format's reader and
// writer alone: no window, no file on disk, so that thousands of inputs a
// second are checked. What only the main window does (the file left alone by a
// refused save, its message, the background picture looked up) is checked by
// ConfigFinestraFuzz.cpp.
//
// Every input is checked against what the file format promises:
// - bytes whose first line does not begin with "<FCS>" are foreign, and bytes
//   with more field lines than a layout may hold too large;
// - a layout of more than 30 fixed texts is refused with their count, and no
//   bytes;
// - otherwise the bytes written hold, line by line and column by column, the
//   values the reader took from the input: the same integers, the same reals,
//   the same texts, codes, font names and picture name, or what the format
//   says replaces them (an unknown code, a font that is not installed); each
//   field gets the label of its row;
// - what the writer wrote reads back and is written again to the same bytes.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Comune.h"
#include "OracoloConfig.h"
#include "document/FileConfig.h"
#include "framework/Files.h"
#include "palette/Catalogo.h"

namespace {

constexpr const char* kProgramma = "velarix_fuzz";
const std::string kVersione = "1.0.4";
const std::string kData = "27-04-2017";

// How the inputs went, told when the fuzzer ends: every one of them is checked.
struct Conteggi {
    long long estranei = 0, troppoGrandi = 0, rifiutati = 0, registrati = 0;
    ~Conteggi() {
        std::fprintf(stderr,
                     "%s: %lld inputs checked: %lld foreign, %lld too large, %lld refused (no "
                     "bytes), %lld written and compared line by line\n",
                     kProgramma, estranei + troppoGrandi + rifiutati + registrati, estranei,
                     troppoGrandi, rifiutati, registrati);
    }
} conteggi;

using oracolo::Violazione;

const char* NomeEsito(vx::LetturaConfig::Esito e) {
    switch (e) {
        case vx::LetturaConfig::kLetto:
            return "read";
        case vx::LetturaConfig::kEstraneo:
            return "foreign";
        case vx::LetturaConfig::kTroppoGrande:
            return "too large";
    }
    return "?";
}

void VerificaEsito(const std::string& regola, vx::LetturaConfig::Esito atteso,
                   const vx::LetturaConfig& lettura) {
    if (lettura.esito != atteso) Violazione(regola, NomeEsito(atteso), NomeEsito(lettura.esito));
    const vx::Configuratore& c = lettura.configuratore;
    if (atteso != vx::LetturaConfig::kLetto && (!c.campi.empty() || !c.nomeFileSfondo.empty())) {
        Violazione(regola + ": nothing is read", "an empty layout", "a layout");
    }
}

// The label each field shows: its row's name, its fixed text, or "<sconosciuto>".
void VerificaEtichette(const vx::Configuratore& c) {
    for (std::size_t k = 0; k < c.campi.size(); ++k) {
        const vx::DatiCampo& d = c.campi[k];
        const std::string atteso = d.iCampo < 0    ? "<sconosciuto>"
                                   : d.iCampo == 0 ? d.testoFisso
                                                   : Catalogo::Nome(d.iCampo);
        if (d.etichetta != atteso) {
            Violazione("field " + std::to_string(k + 1) + ": the label of its row", atteso,
                       d.etichetta);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    oracolo::programma = kProgramma;
    // The fonts and the character widths need the toolkit; nothing else does.
    fuzz::Avvia(kProgramma);
    // The texts of a line pass through MacRoman and back: every byte must.
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        if (fw::ToMacRoman(fw::FromMacRoman(byte)) != byte) {
            Violazione("MacRoman gives every byte back", byte,
                       fw::ToMacRoman(fw::FromMacRoman(byte)));
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const std::string ingresso(reinterpret_cast<const char*>(dati), n);
    const vx::LetturaConfig lettura = vx::LeggiConfigurazione(ingresso);

    const std::vector<std::string> righe = fuzz::Righe(ingresso);
    if (!oracolo::Configurazione(righe)) {
        VerificaEsito("a file without the \"<FCS>\" header is foreign",
                      vx::LetturaConfig::kEstraneo, lettura);
        ++conteggi.estranei;
        return 0;
    }
    if (static_cast<long long>(n) > vx::kByteMassimiConfig ||
        righe.size() > 6 + vx::kRigheCampoMassime) {
        VerificaEsito("a file beyond the bounds of a layout is too large",
                      vx::LetturaConfig::kTroppoGrande, lettura);
        ++conteggi.troppoGrandi;
        return 0;
    }
    VerificaEsito("a file with the \"<FCS>\" header is read", vx::LetturaConfig::kLetto, lettura);
    VerificaEtichette(lettura.configuratore);

    const vx::ScritturaConfig scrittura =
        vx::ScriviConfigurazione(lettura.configuratore, kVersione, kData);
    const std::size_t testiFissi = oracolo::TestiFissi(righe);
    if (scrittura.testiFissi != static_cast<fw::Integer>(testiFissi)) {
        Violazione("the fixed texts are counted", std::to_string(testiFissi),
                   std::to_string(scrittura.testiFissi));
    }
    if (testiFissi > 30) {
        if (!scrittura.rifiutata)
            Violazione("more than 30 fixed texts are refused", "refused", "written");
        if (!scrittura.byte.empty()) {
            Violazione("a refused layout gives no bytes", "", scrittura.byte);
        }
        ++conteggi.rifiutati;
        return 0;
    }
    if (scrittura.rifiutata)
        Violazione("a layout within 30 fixed texts is written", "written", "refused");
    // The picture's name is kept as the file gave it: looking it up is the window's.
    const std::string sfondo = fuzz::Colonna(righe.size() > 1 ? righe[1] : std::string(), 1);
    oracolo::VerificaScritto(ingresso, scrittura.byte, sfondo);

    const vx::LetturaConfig riletta = vx::LeggiConfigurazione(scrittura.byte);
    VerificaEsito("what the writer wrote reads back", vx::LetturaConfig::kLetto, riletta);
    const vx::ScritturaConfig ancora =
        vx::ScriviConfigurazione(riletta.configuratore, kVersione, kData);
    if (ancora.byte != scrittura.byte) {
        Violazione("a written file reads back to the same bytes", scrittura.byte, ancora.byte);
    }
    ++conteggi.registrati;
    return 0;
}
