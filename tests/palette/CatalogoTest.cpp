#include <gtest/gtest.h>

#include "palette/Catalogo.h"

using Catalogo::CercaCampo;
using Catalogo::Codice;
using Catalogo::Nome;

namespace {

struct RigaAttesa {
    int riga;
    const char* codice;
    const char* nome;
};

// The catalogue as the stored layouts know it, written out again here on purpose.
const RigaAttesa kAttese[] = {
    {0, "", "<Testo fisso> "},
    {1, "24", "ABI"},
    {2, "63", "aliquota IVA 1 %"},
    {3, "64", "aliquota IVA 2 %"},
    {4, "65", "aliquota IVA 3 %"},
    {5, "66", "aliquota IVA 4 %"},
    {6, "26", "aspetto beni"},
    {7, "22", "banca"},
    {8, "70", "BBAN/IBAN"},
    {9, "71", "BIC"},
    {10, "72", "c/c numero"},
    {11, "23", "CAB"},
    {12, "25", "causale trasporto"},
    {13, "5", "cliente: CAP"},
    {14, "12", "cliente: CAP destinazione"},
    {15, "6", "cliente: citta'"},
    {16, "13", "cliente: citta' destinazione"},
    {17, "1", "cliente: codice"},
    {18, "55", "cliente: codice fiscale"},
    {19, "89", "cliente: codice fiscale + etichetta"},
    {20, "4", "cliente: indirizzo"},
    {21, "91", "cliente: indirizzo cap-citt\xEF\xBF\xBD-prov"},
    {22, "11", "cliente: indirizzo destinazione"},
    {23, "54", "cliente: partita IVA"},
    {24, "90", "cliente: partita IVA + etichetta"},
    {25, "7", "cliente: provincia"},
    {26, "14", "cliente: provincia destinazione"},
    {27, "2", "cliente: ragione sociale"},
    {28, "9", "cliente: ragione sociale destinazione"},
    {29, "8", "cliente: stato"},
    {30, "33", "codice aliquota IVA 1"},
    {31, "37", "codice aliquota IVA 2"},
    {32, "41", "codice aliquota IVA 3"},
    {33, "45", "codice aliquota IVA 4"},
    {34, "17", "data documento"},
    {35, "31", "data inizio trasporto"},
    {36, "16", "data ordine cliente"},
    {37, "34", "descrizione aliquota IVA 1"},
    {38, "38", "descrizione aliquota IVA 2"},
    {39, "42", "descrizione aliquota IVA 3"},
    {40, "46", "descrizione aliquota IVA 4"},
    {41, "D13", "dettaglio: aliquota IVA %"},
    {42, "D9", "dettaglio: codice aliquota IVA"},
    {43, "D1", "dettaglio: codice prestazione"},
    {44, "D2", "dettaglio: descrizione prestazione"},
    {45, "D8", "dettaglio: importo"},
    {46, "D7", "dettaglio: prezzo"},
    {47, "D4", "dettaglio: quantita'"},
    {48, "D3", "dettaglio: unita' di misura"},
    {49, "81", "enasarco: imponibile"},
    {50, "82", "enasarco: importo"},
    {51, "80", "enasarco: percentuale"},
    {52, "35", "imponibile 1"},
    {53, "39", "imponibile 2"},
    {54, "43", "imponibile 3"},
    {55, "47", "imponibile 4"},
    {56, "49", "imponibile totale"},
    {57, "36", "importo IVA 1"},
    {58, "40", "importo IVA 2"},
    {59, "44", "importo IVA 3"},
    {60, "48", "importo IVA 4"},
    {61, "30", "incaricato del trasporto"},
    {62, "57", "incaricato del trasporto: destinatario (X)"},
    {63, "56", "incaricato del trasporto: mittente (X)"},
    {64, "58", "incaricato del trasporto: vettore  (X)"},
    {65, "50", "IVA totale"},
    {66, "87", "netto da corrispondere"},
    {67, "32", "note"},
    {68, "27", "numero colli"},
    {69, "18", "numero documento"},
    {70, "15", "numero ordine cliente"},
    {71, "20", "numero pagina"},
    {72, "69", "ora inizio trasporto"},
    {73, "21", "pagamento"},
    {74, "28", "peso kg"},
    {75, "29", "reso"},
    {76, "88", "riferimento"},
    {77, "86", "ritenuta: % imponibile"},
    {78, "84", "ritenuta: imponibile"},
    {79, "85", "ritenuta: importo"},
    {80, "83", "ritenuta: percentuale"},
    {81, "52", "scadenze: importi e date"},
    {82, "67", "scadenze: solo date"},
    {83, "68", "scadenze: solo importi"},
    {84, "51", "totale documento"},
    {85, "59", "vettore"},
};

}  // namespace

TEST(Catalogo, OgniRigaHaCodiceENomeBytePerByte) {
    ASSERT_EQ(std::size(kAttese), 86u);
    ASSERT_EQ(Catalogo::NUM_RIGHE, 86);
    for (const auto& a : kAttese) {
        EXPECT_EQ(Codice(a.riga), a.codice) << "riga " << a.riga;
        EXPECT_EQ(Nome(a.riga), a.nome) << "riga " << a.riga;
    }
    EXPECT_EQ(Nome(0), "<Testo fisso> ");
    EXPECT_EQ(Nome(21), "cliente: indirizzo cap-citt\xEF\xBF\xBD-prov");
    EXPECT_EQ(Nome(64), "incaricato del trasporto: vettore  (X)");
    // A row the catalogue lacks, such as -1 for an unknown code, has neither.
    for (int r : {-1, 86, 1000}) {
        EXPECT_EQ(Codice(r), "") << r;
        EXPECT_EQ(Nome(r), "") << r;
    }
}

TEST(Catalogo, OgniCodiceRitrovaLaSuaRiga) {
    for (const auto& a : kAttese) EXPECT_EQ(CercaCampo(a.codice), a.riga) << a.codice;
}

TEST(Catalogo, CercaCampoConfrontaIlTestoIntero) {
    struct Caso {
        const char* codice;
        int riga;
    };
    const Caso casi[] = {
        {"", 0},    {"24", 1},  {"D13", 41}, {"D2", 44},  {"59", 85},  {"3", -1},
        {"92", -1}, {"-1", -1}, {"24 ", -1}, {" 24", -1}, {"024", -1}, {"d2", -1},
        {"D", -1},  {"2", 27},  {"D1", 43},  {"\r", -1},
    };
    for (const auto& c : casi) EXPECT_EQ(CercaCampo(c.codice), c.riga) << '"' << c.codice << '"';
}
