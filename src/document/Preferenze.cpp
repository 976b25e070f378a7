#include "document/Preferenze.h"

#include <algorithm>
#include <vector>

#include "framework/Dialogs.h"
#include "framework/Files.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"

using fw::Integer;
using fw::String;

namespace {

const char* const kErroreCreazione = "Errore nella creazione del file delle preferenze.";
const char* const kFileAssente = "Il file delle preferenze non esiste.";

// The lines the program uses: the default font name and size of new fields.
// Nothing after them is read, counted or kept, however large the file.
constexpr Integer kRigheUsate = 2;
// No font name or size is longer; the rest of a longer line is passed over.
constexpr std::size_t kLunghezzaRiga = 1000;

// The creation failed: the message says why when that is known.
void ErroreCreazione(fw::FileError errore) {
    String causa = Modulo1::CausaErrore(errore);
    if (causa.empty()) {
        fw::MsgBox(kErroreCreazione);
    } else {
        fw::MsgBox("Errore nella creazione del file delle preferenze: " + causa + ".");
    }
}

// The file is there as a file: a folder of that name is no preferences file.
bool FileEsiste(const fw::FolderItem* f) {
    return f && f->Exists() && !f->Directory();
}

}  // namespace

String Preferenze::PrefPath() const {
    auto cartella = fw::PreferencesFolder();
    if (!cartella) return String();
    return cartella->AbsolutePath() + NOME;
}

std::shared_ptr<fw::FolderItem> Preferenze::File() const {
    String percorso = PrefPath();
    if (percorso.empty()) return nullptr;
    return fw::GetFolderItem(percorso, 0);
}

void Preferenze::Crea(bool numerato, const String& testo) {
    auto f = File();
    std::shared_ptr<fw::TextOutputStream> s = f ? f->CreateTextFile() : nullptr;
    if (f) {
        f->MacCreator = "ttxt";
        f->MacType = "TEXT";
    }
    if (!f || !s) {
        ErroreCreazione(f ? f->LastError() : fw::FileError::Other);
        return;
    }
    if (numerato) {
        for (long long i = 1; i <= NUM_CAMPI; ++i) s->WriteLine(fw::Str(i));
    } else {
        s->Write(testo);
    }
    // A write that failed leaves the old file whole; the user must still hear of it.
    if (!s->Close()) ErroreCreazione(s->LastError());
}

bool Preferenze::Esiste() {
    auto f = File();
    if (!FileEsiste(f.get())) return false;
    // A file that cannot be read keeps the count it had: it is there, and is
    // not overwritten with the defaults at start-up.
    if (auto s = f->OpenAsTextFile()) {
        // The CRs, as many as there are lines in use at most; -1 for an empty file.
        Integer cr = 0;
        bool vuoto = true;
        while (cr < kRigheUsate && !s->EndOfFile()) {
            String pezzo = s->Read(1 << 16);
            vuoto = vuoto && pezzo.empty();
            for (std::size_t i = 0; cr < kRigheUsate && i < pezzo.size(); ++i)
                cr += pezzo[i] == '\r';
        }
        NUM_CAMPI = vuoto ? -1 : cr;
        s->Close();
    }
    return true;
}

String Preferenze::Leggi(Integer n) {
    auto f = File();
    if (!FileEsiste(f.get())) {
        fw::MsgBox(kFileAssente);
        return String();
    }
    String riga;
    auto s = f->OpenAsTextFile();
    if (!s) return riga;
    for (long long i = 1; i <= n; ++i) {
        if (s->EndOfFile()) break;
        riga = s->ReadLine(kLunghezzaRiga);
    }
    s->Close();
    return riga;
}

bool Preferenze::Scrivi(Integer n, const String& valore) {
    // Line numbers start at 1; a smaller one would add a line instead of
    // replacing one.
    if (n > NUM_CAMPI || n < 1) return false;

    // The file is read once, no further than the lines rebuilt, and each other
    // line taken as Leggi gives it (the last line for one the file lacks).
    auto f = File();
    bool esiste = FileEsiste(f.get());
    std::vector<String> righe;
    if (esiste) {
        auto s = f->OpenAsTextFile();
        if (!s) {
            // Rewriting would put empty lines in place of the ones it could not read.
            fw::MsgBox(kErroreCreazione);
            return false;
        }
        while (static_cast<long long>(righe.size()) < NUM_CAMPI && !s->EndOfFile()) {
            righe.push_back(s->ReadLine(kLunghezzaRiga));
        }
        s->Close();
    }
    auto riga = [&](long long i) -> String {
        if (!esiste) {
            fw::MsgBox(kFileAssente);
            return String();
        }
        if (righe.empty()) return String();
        auto k = std::min(static_cast<std::size_t>(i), righe.size());
        return righe[k - 1];
    };

    const String cr = fw::Chr(13);
    String prima;
    for (long long i = 1; i < n; ++i) prima += riga(i) + cr;
    String dopo;
    for (long long i = n + 1; i <= NUM_CAMPI; ++i) dopo += riga(i) + cr;
    Crea(false, prima + valore + cr + dopo);
    return false;
}
