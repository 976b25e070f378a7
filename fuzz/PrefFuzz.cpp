// Arbitrary bytes as the preferences file, through its class alone: the file is
// counted as at start-up, its lines are read, and the two lines the program
// uses are written as the preferences dialog's OK writes them. No window is
// involved, so that many inputs a second are checked; what the windows do with
// the file is checked by PrefFinestraFuzz.cpp.
//
// Every input is checked against what the file promises:
// - the file counts its CRs up to the two lines the program uses;
// - each line is read as the text stream splits it (CR, LF or CRLF), the last
//   one for a line the file lacks, and cut at 1,000 bytes (never inside a
//   character);
// - writing line 1 and then line 2 leaves exactly as many lines as the file
//   counted, each ended by CR: the new first line and the second as it was
//   read; a file with no CR, where there is no line to replace, is left
//   untouched; the lines written read back.

#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Comune.h"
#include "OracoloPref.h"
#include "document/Preferenze.h"
#include "framework/Fonts.h"
#include "framework/Testing.h"
#include "layout/Modulo1.h"

namespace {

constexpr const char* kProgramma = "velarix_fuzz_pref";

QTemporaryDir* cartella = nullptr;
Preferenze* pref = nullptr;

oracolo::ConteggiPref conteggi{kProgramma};

[[noreturn]] void Violazione(const std::string& regola, const std::string& atteso,
                             const std::string& ottenuto) {
    fuzz::Violazione(kProgramma, regola, atteso, ottenuto);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Avvia(kProgramma);
    cartella = new QTemporaryDir;
    fw::testing::SetPreferencesFolder(cartella->path().toStdString() + "/");
    pref = new Preferenze;
    pref->NOME = "Velarix pref";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const QString file = cartella->path() + "/Velarix pref";
    const std::string ingresso(reinterpret_cast<const char*>(dati), n);
    fuzz::Scrivi(file, ingresso);
    fw::testing::ClearShown();

    pref->NUM_CAMPI = 2;
    if (!pref->Esiste()) Violazione("the file is there", "true", "false");
    const oracolo::RighePref riga(ingresso);
    if (pref->NUM_CAMPI != riga.contate) {
        Violazione("the line count is the count of CRs, up to 2", std::to_string(riga.contate),
                   std::to_string(pref->NUM_CAMPI));
    }
    for (fw::Integer i : {0, 1, 2, 3}) {
        const std::string letta = pref->Leggi(i);
        if (letta != riga(i)) {
            Violazione("line " + std::to_string(i) + " as the stream reads it", riga(i), letta);
        }
    }

    // As OK writes them: the installed font of line 1, then the size as read.
    const std::string font = fw::Font(Modulo1::CercaFont(riga(1)));
    const std::string dimensione = riga(2);
    if (pref->Scrivi(1, font) || pref->Scrivi(2, dimensione)) {
        Violazione("writing a line reports no failure", "false", "true");
    }
    if (!fw::testing::Shown().empty()) {
        Violazione("no message while the file is there and writable", "",
                   fw::testing::Shown()[0].message);
    }

    const std::string dopo = fuzz::Leggi(file);
    if (riga.contate < 1) {
        if (dopo != ingresso) Violazione("a file with no CR is left as it was", ingresso, dopo);
        ++conteggi.intatti;
        return 0;
    }
    const std::string atteso = font + "\r" + (riga.contate >= 2 ? dimensione + "\r" : "");
    if (dopo != atteso) {
        Violazione("as many lines as the file counted, each ended by CR", atteso, dopo);
    }
    if (pref->Leggi(1) != font || (riga.contate >= 2 && pref->Leggi(2) != dimensione)) {
        Violazione("the lines written read back", atteso, pref->Leggi(1) + "\r" + pref->Leggi(2));
    }
    ++conteggi.riscritti;
    return 0;
}
