#include "document/FileConfig.h"

#include <functional>
#include <unordered_map>

#include "framework/Files.h"
#include "framework/Fonts.h"
#include "framework/Text.h"
#include "layout/Campo.h"
#include "layout/Modulo1.h"
#include "palette/Catalogo.h"

using fw::Integer;
using fw::String;

namespace {

const String TAB = "\t";

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

// The character widths of a field's font, as the field itself measures them.
String LarghezzeCaratteri(const vx::DatiCampo& d) {
    Campo k;
    k.iFont = d.iFont;
    k.dimFont = d.dimFont;
    k.stileG = d.stileG;
    k.stileC = d.stileC;
    k.stileS = d.stileS;
    return k.LarghezzeCaratteri();
}

}  // namespace

namespace vx {

LetturaConfig LeggiConfigurazione(const String& byte) {
    LetturaConfig lettura;
    if (static_cast<long long>(byte.size()) > kByteMassimiConfig) {
        lettura.esito = LetturaConfig::kTroppoGrande;
        return lettura;
    }
    fw::TextInputStream s(byte);
    s.Encoding = fw::TextEncoding::MacRoman;

    if (!fw::TextEquals(fw::Left(fw::NthField(s.ReadLine(), TAB, 1), 5), "<FCS>")) {
        lettura.esito = LetturaConfig::kEstraneo;
        return lettura;
    }
    if (TroppeRighe(byte, 6, kRigheCampoMassime)) {
        lettura.esito = LetturaConfig::kTroppoGrande;
        return lettura;
    }
    lettura.esito = LetturaConfig::kLetto;
    Configuratore& c = lettura.configuratore;

    c.nomeFileSfondo = fw::NthField(s.ReadLine(), TAB, 1);
    s.ReadLine();  // the character widths are for the invoicing program only
    for (Integer& y : c.posizSezioni) y = Intero(fw::NthField(s.ReadLine(), TAB, 1));

    Memo<String, Integer> cercaCampo([](const String& k) { return Catalogo::CercaCampo(k); });
    Memo<String, Integer> cercaFont([](const String& n) { return Modulo1::CercaFont(n); });
    Memo<Integer, String> nomeRiga([](const Integer& r) { return Catalogo::Nome(r); });
    while (!s.EndOfFile()) {
        const std::array<String, 17> colonne = Colonne(s.ReadLine());
        auto col = [&colonne](std::size_t k) -> const String& { return colonne[k - 1]; };
        DatiCampo& d = c.campi.emplace_back();
        d.iCampo = cercaCampo(col(2));
        d.testoFisso = col(3);
        d.tx = Intero(col(4));
        d.ty = Intero(col(5));
        d.larghezza = fw::Val(col(6));
        d.altezza = fw::Val(col(7));
        d.iFont = cercaFont(col(8));
        d.dimFont = Intero(col(9));
        d.stileG = fw::TextEquals(col(10), "*");
        d.stileC = fw::TextEquals(col(11), "*");
        d.stileS = fw::TextEquals(col(12), "*");
        d.coloreEtich = fw::RGB(Intero(col(13)), Intero(col(14)), Intero(col(15)));
        d.pagina = Intero(col(16));
        d.AllType = Intero(col(17));
        if (d.iCampo == -1) {
            d.etichetta = "<sconosciuto>";
        } else if (d.iCampo == 0) {
            d.etichetta = d.testoFisso;
        } else {
            d.etichetta = nomeRiga(d.iCampo);
        }
    }
    return lettura;
}

ScritturaConfig ScriviConfigurazione(const Configuratore& c, const String& versione,
                                     const String& data) {
    ScritturaConfig scrittura;
    for (const DatiCampo& d : c.campi) scrittura.testiFissi += d.iCampo == 0;
    if (scrittura.testiFissi > Modulo1::kMassimoTestiFissi) {
        scrittura.rifiutata = true;
        return scrittura;
    }

    String& byte = scrittura.byte;
    // Each line on its own, as the stream of a text file would convert it.
    auto scrivi = [&byte](const String& riga) {
        byte += fw::ToMacRoman(riga);
        byte += '\r';
    };

    scrivi("<FCS><F><" + versione + "><" + data + ">");
    scrivi(Modulo1::SuUnaRiga(c.nomeFileSfondo));

    const Integer rigaD2 = Catalogo::CercaCampo("D2");
    String larghezze;
    for (const DatiCampo& d : c.campi) {
        if (d.iCampo == rigaD2) {
            larghezze = LarghezzeCaratteri(d);
            break;
        }
    }
    scrivi(larghezze);

    for (Integer y : c.posizSezioni) scrivi(fw::Str(y));
    const Integer inizioDettaglio = c.posizSezioni[0];
    const Integer fineDettaglio = c.posizSezioni[1];

    Memo<Integer, String> codiceRiga([](const Integer& r) { return Catalogo::Codice(r); });
    Memo<Integer, String> nomeFont(
        [](const Integer& i) { return Modulo1::SuUnaRiga(fw::Font(i)); });
    String riga;
    for (const DatiCampo& d : c.campi) {
        String codice;
        if (d.iCampo < 0) {
            codice = "-1";
        } else if (d.iCampo > 0) {
            codice = codiceRiga(d.iCampo);
        }
        bool dettaglio = fw::TextEquals(fw::Left(codice, 1), "D") && inizioDettaglio <= d.ty &&
                         d.ty < fineDettaglio;
        const String colonne[] = {
            Stella(dettaglio),
            codice,
            Modulo1::SuUnaRiga(d.testoFisso),
            fw::Str(d.tx),
            fw::Str(d.ty),
            fw::Str(d.larghezza),
            fw::Str(d.altezza),
            nomeFont(d.iFont),
            fw::Str(d.dimFont),
            Stella(d.stileG),
            Stella(d.stileC),
            Stella(d.stileS),
            fw::Str(fw::Red(d.coloreEtich)),
            fw::Str(fw::Green(d.coloreEtich)),
            fw::Str(fw::Blue(d.coloreEtich)),
            fw::Str(d.pagina),
            fw::Str(d.AllType),
        };
        riga.clear();
        for (const String& col : colonne) {
            riga += col;
            riga += TAB;
        }
        scrivi(riga);
    }
    return scrittura;
}

}  // namespace vx
