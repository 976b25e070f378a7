// The configuration file: the layout as the invoicing program reads it.

#include <array>
#include <functional>
#include <unordered_map>

#include "document/App.h"
#include "document/wMain.h"
#include "framework/Dialogs.h"
#include "framework/Files.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

using fw::Integer;
using fw::String;

namespace {

const String TAB = "\t";

// The palette's catalogue and font controls; absent members read as empty rows.
String CodiceRiga(Integer modulo, Integer riga) {
    auto& v = ::wPalette().lbCodCampi;
    if (modulo < 0 || static_cast<std::size_t>(modulo) >= v.size() || !v[modulo]) return String();
    return v[modulo]->List(riga);
}

String NomeRiga(Integer modulo, Integer riga) {
    auto& v = ::wPalette().pmCampi;
    if (modulo < 0 || static_cast<std::size_t>(modulo) >= v.size() || !v[modulo]) return String();
    return v[modulo]->List(riga);
}

String NomeFont(Integer i) {
    auto& bb = ::wPalette().bbFont;
    return bb ? bb->List(i) : String();
}

// Calls the lookup once for each key: the catalogue and the installed fonts do not
// change while a file is read or written, and a large layout repeats the same
// few codes and fonts on every line.
template <class Chiave, class Valore>
class Memo {
  public:
    explicit Memo(std::function<Valore(const Chiave&)> cerca) : cerca_(std::move(cerca)) {}
    const Valore& operator()(const Chiave& k) {
        auto it = visti_.find(k);
        if (it == visti_.end()) it = visti_.emplace(k, cerca_(k)).first;
        return it->second;
    }

  private:
    std::function<Valore(const Chiave&)> cerca_;
    std::unordered_map<Chiave, Valore> visti_;
};

// Columns 1 to 17 of a field line, as NthField gives them ("" for those the line
// lacks), found in one pass instead of seventeen.
std::array<String, 17> Colonne(const String& riga) {
    std::array<String, 17> col;
    std::size_t inizio = 0;
    for (std::size_t k = 0; k < col.size(); ++k) {
        std::size_t fine = riga.find('\t', inizio);
        col[k] = riga.substr(inizio, fine == String::npos ? String::npos : fine - inizio);
        if (fine == String::npos) break;
        inizio = fine + 1;
    }
    return col;
}

Integer Intero(const String& colonna) {
    return fw::ToInteger(fw::Val(colonna));
}

String Stella(bool v) {
    return v ? "*" : "";
}

// The file's full path, so the user knows which folder to look at; a folder in
// the file's place is named without its trailing separator.
String Percorso(const fw::FolderItem& f) {
    String p = f.AbsolutePath();
    if (p.size() > 1 && p.back() == '/') p.pop_back();
    return Modulo1::Abbrevia(p);
}

// " because ...": the cause as the end of a sentence; "" when it is not known.
String Perche(fw::FileError errore) {
    String causa = Modulo1::CausaErrore(errore);
    return causa.empty() ? String() : ": " + causa;
}

String NonScrivibile(const fw::FolderItem* f, const String& nome) {
    return "Non è possibile creare il file di configurazione " +
           (f ? Percorso(*f) + Perche(f->LastError()) : nome) +
           ". Le modifiche non sono state registrate.";
}

String ScritturaFallita(const fw::FolderItem& f, fw::FileError errore) {
    return "La scrittura del file di configurazione " + Percorso(f) + " non è riuscita" +
           Perche(errore) +
           ". Il file precedente è rimasto com'era e le modifiche non sono state registrate.";
}

String NonLeggibile(const fw::FolderItem& f) {
    return "Il file di configurazione " + Percorso(f) +
           " non può essere letto (permessi insufficienti o non è un file). Il configuratore "
           "aperto resta invariato.";
}

// A layout holds a few hundred fields (85 data fields, 30 fixed texts), a file
// of some kilobytes. A file far beyond these bounds is no layout, and reading
// it would take the program's memory and time for nothing.
constexpr long long kByteMassimi = 4LL << 20;
constexpr std::size_t kRigheCampoMassime = 50000;

// Whether byte holds more than massime lines after the first intestazione
// ones, each line ended as TextInputStream::ReadLine ends it (CR, LF or CRLF).
bool TroppeRighe(const String& byte, std::size_t intestazione, std::size_t massime) {
    std::size_t righe = 0, i = 0;
    while (i < byte.size()) {
        std::size_t fine = byte.find_first_of("\r\n", i);
        ++righe;
        if (righe > intestazione + massime) return true;
        if (fine == String::npos) break;
        i = fine + 1;
        if (byte[fine] == '\r' && i < byte.size() && byte[i] == '\n') ++i;
    }
    return false;
}

}  // namespace

namespace vx {

bool wMain::RegistraFile() {
    DragCanvas& canvas = *DragCanvas1;

    Integer n = canvas.CercaCampo(0);
    if (n > Modulo1::kMassimoTestiFissi) {
        fw::MsgBox("Hai inserito " + fw::Str(n) +
                   " testi fissi ma il numero massimo consentito è " +
                   fw::Str(Modulo1::kMassimoTestiFissi) + ". Devi eliminarne " +
                   fw::Str(n - Modulo1::kMassimoTestiFissi) +
                   " per poter registrare questo configuratore.");
        return false;
    }

    auto f = fw::GetFolderItem(nomeFileConfig, 0);
    // The stream writes beside the old file and replaces it only once all of it
    // was written, so a failure anywhere leaves the old file whole.
    auto s = f ? f->CreateTextFile() : nullptr;
    if (!s) {
        fw::MsgBox(NonScrivibile(f.get(), nomeFileConfig));
        return false;
    }
    s->Delimiter = fw::Chr(13);
    auto scrivi = [&s](const String& riga) { s->WriteLine(fw::ToMacRoman(riga)); };

    scrivi("<FCS><F><" + ::App().VXVer + "><" + ::App().VXHead + ">");
    scrivi(Modulo1::SuUnaRiga(canvas.nomeFileSfondo));

    Integer rigaD2 = ::wPalette().CercaCampo("D2");
    String larghezze;
    for (const auto& c : canvas.vCampi) {
        if (c->iCampo == rigaD2) {
            larghezze = c->LarghezzeCaratteri();
            break;
        }
    }
    scrivi(larghezze);

    auto posiz = [&canvas](std::size_t i) -> Integer {
        return i < canvas.vSezioni.size() ? canvas.vSezioni[i]->posizY : 0;
    };
    for (std::size_t i = 0; i < 3; ++i) scrivi(fw::Str(posiz(i)));
    const Integer inizioDettaglio = posiz(0);
    const Integer fineDettaglio = posiz(1);

    Memo<Integer, String> codiceRiga([this](const Integer& r) { return CodiceRiga(modulo, r); });
    Memo<Integer, String> nomeFont(
        [](const Integer& i) { return Modulo1::SuUnaRiga(NomeFont(i)); });
    String riga;
    for (const auto& c : canvas.vCampi) {
        String codice;
        if (c->iCampo < 0) {
            codice = "-1";
        } else if (c->iCampo > 0) {
            codice = codiceRiga(c->iCampo);
        }
        bool dettaglio = fw::TextEquals(fw::Left(codice, 1), "D") && inizioDettaglio <= c->ty &&
                         c->ty < fineDettaglio;
        const String colonne[] = {
            Stella(dettaglio),
            codice,
            Modulo1::SuUnaRiga(c->testoFisso),
            fw::Str(c->tx),
            fw::Str(c->ty),
            fw::Str(c->riquadro->Width),
            fw::Str(c->riquadro->Height),
            nomeFont(c->iFont),
            fw::Str(c->dimFont),
            Stella(c->stileG),
            Stella(c->stileC),
            Stella(c->stileS),
            fw::Str(fw::Red(c->coloreEtich)),
            fw::Str(fw::Green(c->coloreEtich)),
            fw::Str(fw::Blue(c->coloreEtich)),
            fw::Str(c->pagina),
            fw::Str(c->AllType),
        };
        riga.clear();
        for (const String& col : colonne) {
            riga += col;
            riga += TAB;
        }
        scrivi(riga);
    }

    if (!s->Close()) {
        fw::MsgBox(ScritturaFallita(*f, s->LastError()));
        return false;
    }
    canvas.modificato = false;
    return true;
}

void wMain::ApriFile() {
    DragCanvas& canvas = *DragCanvas1;

    auto f = fw::GetFolderItem(nomeFileConfig, 0);
    if (!f || !f->Exists()) {
        fw::MsgBox("Il file di configurazione " + nomeFileConfig +
                   " non è presente nella cartella del programma. Ne creo uno nuovo.");
        NuovoConfig();
        return;
    }

    // A file too large to be a layout is refused before it is read.
    auto troppoGrande = [this] {
        fw::MsgBox("Il file " + nomeFileConfig +
                   " è troppo grande per essere un file di configurazione stampe. Ne creo uno "
                   "nuovo.");
        NuovoConfig();
    };
    if (f->Length() > kByteMassimi) {
        troppoGrande();
        return;
    }

    // The whole file is read here, before anything of the open layout changes.
    auto file = f->OpenAsTextFile();
    String byte;
    if (file) byte = file->ReadAll();
    if (!file || file->ReadError()) {
        fw::MsgBox(NonLeggibile(*f));
        // The layout on screen stays, and so does the file it is saved to. At
        // start-up, before any layout was open, that is the file just chosen:
        // once it can be written, the page is saved there.
        if (nomeFileAperto.empty()) {
            SetTitle(nomeFileConfig);
            nomeFileAperto = nomeFileConfig;
        } else {
            nomeFileConfig = nomeFileAperto;
        }
        return;
    }
    file->Close();
    const bool troppeRighe = TroppeRighe(byte, 6, kRigheCampoMassime);
    auto s = std::make_unique<fw::TextInputStream>(std::move(byte));
    s->Encoding = fw::TextEncoding::MacRoman;

    String riga = s->ReadLine();
    if (!fw::TextEquals(fw::Left(fw::NthField(riga, TAB, 1), 5), "<FCS>")) {
        fw::MsgBox("Il file " + nomeFileConfig +
                   " non è un file di configurazione stampe. Ne creo uno nuovo.");
        NuovoConfig();
        s->Close();
        return;
    }
    if (troppeRighe) {
        troppoGrande();
        return;
    }

    SetTitle(nomeFileConfig);
    nomeFileAperto = nomeFileConfig;

    String sfondo = fw::NthField(s->ReadLine(), TAB, 1);
    if (!sfondo.empty()) canvas.ApriFileSfondo(sfondo);

    s->ReadLine();  // the character widths are for the invoicing program only

    for (std::size_t i = 0; i < 3; ++i) {
        Integer y = Intero(fw::NthField(s->ReadLine(), TAB, 1));
        if (i < canvas.vSezioni.size()) canvas.vSezioni[i]->posizY = y;
    }

    canvas.vCampi.clear();

    vx::wPalette& palette = ::wPalette();
    Memo<String, Integer> cercaCampo([&palette](const String& k) { return palette.CercaCampo(k); });
    Memo<String, Integer> cercaFont([](const String& n) { return Modulo1::CercaFont(n); });
    Memo<Integer, String> nomeRiga([this](const Integer& r) { return NomeRiga(modulo, r); });
    // Counted as the lines are read, for the fixed-text limit warning. It is
    // shown once for the file, at the first field line past the limit: a file
    // with a thousand fixed texts would otherwise ask for a thousand answers.
    Integer testiFissi = 0;
    bool avvisato = false;
    while (!s->EndOfFile()) {
        riga = s->ReadLine();
        std::shared_ptr<Campo> c = canvas.AggiungiCampo(avvisato ? 0 : testiFissi);
        avvisato = avvisato || testiFissi >= Modulo1::kMassimoTestiFissi;
        const std::array<String, 17> colonne = Colonne(riga);
        auto col = [&colonne](std::size_t k) -> const String& { return colonne[k - 1]; };
        c->iCampo = cercaCampo(col(2));
        c->testoFisso = col(3);
        c->tx = Intero(col(4));
        c->ty = Intero(col(5));
        c->riquadro->Width = fw::Val(col(6));
        c->riquadro->Height = fw::Val(col(7));
        c->iFont = cercaFont(col(8));
        c->dimFont = Intero(col(9));
        c->stileG = fw::TextEquals(col(10), "*");
        c->stileC = fw::TextEquals(col(11), "*");
        c->stileS = fw::TextEquals(col(12), "*");
        c->coloreEtich = fw::RGB(Intero(col(13)), Intero(col(14)), Intero(col(15)));
        c->pagina = Intero(col(16));
        c->AllType = Intero(col(17));
        if (c->iCampo == -1) {
            c->etichetta = "<sconosciuto>";
        } else if (c->iCampo == 0) {
            c->etichetta = c->testoFisso;
        } else {
            c->etichetta = nomeRiga(c->iCampo);
        }
        if (c->iCampo == 0) ++testiFissi;
    }

    canvas.RidisegnaArea(0, 0, canvas.Width(), canvas.Height());
    ImpostaBarreScorrim();
    palette.Init();
    palette.Reset();
    canvas.modificato = false;
    s->Close();
}

}  // namespace vx
