#include "palette/Catalogo.h"

#include <array>

#include "framework/Text.h"

namespace Catalogo {

namespace {

struct Riga {
    const char* codice;
    const char* nome;
};

// Names and codes are exactly as the stored layouts and the invoicing program
// know them, odd blanks and the replacement character of row 21 included.
constexpr std::array<Riga, NUM_RIGHE> kRighe = {{
    {"", "<Testo fisso> "},
    {"24", "ABI"},
    {"63", "aliquota IVA 1 %"},
    {"64", "aliquota IVA 2 %"},
    {"65", "aliquota IVA 3 %"},
    {"66", "aliquota IVA 4 %"},
    {"26", "aspetto beni"},
    {"22", "banca"},
    {"70", "BBAN/IBAN"},
    {"71", "BIC"},
    {"72", "c/c numero"},
    {"23", "CAB"},
    {"25", "causale trasporto"},
    {"5", "cliente: CAP"},
    {"12", "cliente: CAP destinazione"},
    {"6", "cliente: citta'"},
    {"13", "cliente: citta' destinazione"},
    {"1", "cliente: codice"},
    {"55", "cliente: codice fiscale"},
    {"89", "cliente: codice fiscale + etichetta"},
    {"4", "cliente: indirizzo"},
    {"91", "cliente: indirizzo cap-citt\xEF\xBF\xBD-prov"},  // U+FFFD, as stored
    {"11", "cliente: indirizzo destinazione"},
    {"54", "cliente: partita IVA"},
    {"90", "cliente: partita IVA + etichetta"},
    {"7", "cliente: provincia"},
    {"14", "cliente: provincia destinazione"},
    {"2", "cliente: ragione sociale"},
    {"9", "cliente: ragione sociale destinazione"},
    {"8", "cliente: stato"},
    {"33", "codice aliquota IVA 1"},
    {"37", "codice aliquota IVA 2"},
    {"41", "codice aliquota IVA 3"},
    {"45", "codice aliquota IVA 4"},
    {"17", "data documento"},
    {"31", "data inizio trasporto"},
    {"16", "data ordine cliente"},
    {"34", "descrizione aliquota IVA 1"},
    {"38", "descrizione aliquota IVA 2"},
    {"42", "descrizione aliquota IVA 3"},
    {"46", "descrizione aliquota IVA 4"},
    {"D13", "dettaglio: aliquota IVA %"},
    {"D9", "dettaglio: codice aliquota IVA"},
    {"D1", "dettaglio: codice prestazione"},
    {"D2", "dettaglio: descrizione prestazione"},
    {"D8", "dettaglio: importo"},
    {"D7", "dettaglio: prezzo"},
    {"D4", "dettaglio: quantita'"},
    {"D3", "dettaglio: unita' di misura"},
    {"81", "enasarco: imponibile"},
    {"82", "enasarco: importo"},
    {"80", "enasarco: percentuale"},
    {"35", "imponibile 1"},
    {"39", "imponibile 2"},
    {"43", "imponibile 3"},
    {"47", "imponibile 4"},
    {"49", "imponibile totale"},
    {"36", "importo IVA 1"},
    {"40", "importo IVA 2"},
    {"44", "importo IVA 3"},
    {"48", "importo IVA 4"},
    {"30", "incaricato del trasporto"},
    {"57", "incaricato del trasporto: destinatario (X)"},
    {"56", "incaricato del trasporto: mittente (X)"},
    {"58", "incaricato del trasporto: vettore  (X)"},
    {"50", "IVA totale"},
    {"87", "netto da corrispondere"},
    {"32", "note"},
    {"27", "numero colli"},
    {"18", "numero documento"},
    {"15", "numero ordine cliente"},
    {"20", "numero pagina"},
    {"69", "ora inizio trasporto"},
    {"21", "pagamento"},
    {"28", "peso kg"},
    {"29", "reso"},
    {"88", "riferimento"},
    {"86", "ritenuta: % imponibile"},
    {"84", "ritenuta: imponibile"},
    {"85", "ritenuta: importo"},
    {"83", "ritenuta: percentuale"},
    {"52", "scadenze: importi e date"},
    {"67", "scadenze: solo date"},
    {"68", "scadenze: solo importi"},
    {"51", "totale documento"},
    {"59", "vettore"},
}};

bool RigaValida(Integer riga) {
    return riga >= 0 && riga < NUM_RIGHE;
}

}  // namespace

String Codice(Integer riga) {
    return RigaValida(riga) ? kRighe[riga].codice : String();
}

String Nome(Integer riga) {
    return RigaValida(riga) ? kRighe[riga].nome : String();
}

Integer CercaCampo(const String& codice) {
    for (Integer r = 0; r < NUM_RIGHE; ++r) {
        if (fw::TextEquals(Codice(r), codice)) return r;
    }
    return -1;
}

}  // namespace Catalogo
