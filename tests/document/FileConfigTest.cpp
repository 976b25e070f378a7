#include "document/FileConfig.h"

#include <gtest/gtest.h>

#include <vector>

#include "document/wMain.h"
#include "framework/Fonts.h"
#include "framework/Text.h"
#include "framework/Window.h"
#include "layout/Campo.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

using fw::Integer;
using fw::String;
using vx::LetturaConfig;

namespace {

const String kIntestazione = "<FCS><F><1.0.4><27-04-2017>";
const String kTesta = kIntestazione + "\rmodulo.png\r";

String Riga(const std::vector<String>& colonne) {
    String r;
    for (const auto& c : colonne) r += c + "\t";
    return r + "\r";
}

vx::Configuratore ConTestiFissi(int fissi, int dati) {
    vx::Configuratore c;
    c.posizSezioni = {100, 150, 350};
    for (int i = 0; i < fissi + dati; ++i) c.campi.emplace_back().iCampo = i < dati ? 1 : 0;
    return c;
}

}  // namespace

// The format alone: what it reads and writes needs neither the main window nor
// the palette, whose catalogue and font menu it no longer reads.
TEST(FileConfig, LettoEScrittoSenzaFinestre) {
    const bool finestre = fw::ImplicitExists<vx::wMain>() || fw::ImplicitExists<vx::wPalette>();
    const String f = "DejaVu Sans";
    const Integer font = Modulo1::CercaFont(f);
    ASSERT_EQ(fw::Font(font), f);
    Campo d2;
    d2.iFont = font;
    d2.dimFont = 10;
    d2.stileG = true;
    const std::vector<String> righe = {
        Riga({"*", "D2", "", "40", "120", "300", "14", f, "10", "*", "", "", "31", "58", "124", "0",
              "1"}),
        Riga({"", "", "Totale \xDB", "-7", "-30", "12.5", "0.25", f, "0", "", "*", "*", "255", "0",
              "128", "2", "3"}),
        Riga({"", "-1", "", "1", "2", "3", "4", f, "9", "", "", "", "0", "0", "0", "0", "0"}),
    };
    const String byte =
        kTesta + d2.LarghezzeCaratteri() + "\r100\r150\r350\r" + righe[0] + righe[1] + righe[2];

    const LetturaConfig l = vx::LeggiConfigurazione(byte);
    ASSERT_EQ(l.esito, LetturaConfig::kLetto);
    const vx::Configuratore& c = l.configuratore;
    EXPECT_EQ(c.nomeFileSfondo, "modulo.png");
    EXPECT_EQ(c.posizSezioni, (std::array<Integer, 3>{100, 150, 350}));
    ASSERT_EQ(c.campi.size(), 3u);
    EXPECT_EQ(c.campi[0].iCampo, 44);
    EXPECT_EQ(c.campi[0].etichetta, "dettaglio: descrizione prestazione");
    EXPECT_EQ(c.campi[0].coloreEtich, 0x1F3A7Cu);
    EXPECT_EQ(c.campi[0].iFont, font);
    EXPECT_TRUE(c.campi[0].stileG);
    EXPECT_EQ(c.campi[1].etichetta, "Totale €");
    EXPECT_EQ(c.campi[1].larghezza, 12.5);
    EXPECT_EQ(c.campi[1].altezza, 0.25);
    EXPECT_EQ(c.campi[1].tx, -7);
    EXPECT_EQ(c.campi[2].etichetta, "<sconosciuto>");

    const vx::ScritturaConfig s = vx::ScriviConfigurazione(c, "1.0.4", "27-04-2017");
    EXPECT_FALSE(s.rifiutata);
    EXPECT_EQ(s.testiFissi, 1);
    EXPECT_EQ(s.byte, byte);
    EXPECT_EQ(fw::ImplicitExists<vx::wMain>() || fw::ImplicitExists<vx::wPalette>(), finestre);
}

// Whether bytes are a layout: the header decides first, then the bounds; what
// is not read leaves an empty layout, and nothing else is looked at.
TEST(FileConfig, EstraneoOTroppoGrande) {
    const String testa = kIntestazione + "\r\r\r100\r150\r350\r";
    struct Caso {
        const char* nome;
        String byte;
        LetturaConfig::Esito esito;
        std::size_t campi;
    };
    const Caso casi[] = {
        {"vuoto", "", LetturaConfig::kEstraneo, 0},
        {"minuscole", "<fcs>\r\r\r1\r2\r3\r\t24\r", LetturaConfig::kEstraneo, 0},
        {"prima colonna vuota", "\t<FCS>\r\r\r1\r2\r3\r\t24\r", LetturaConfig::kEstraneo, 0},
        {"solo <FCS>", "<FCS>", LetturaConfig::kLetto, 0},
        {"cinquantamila righe di campo", testa + String(50000, '\r'), LetturaConfig::kLetto, 50000},
        {"una di troppo", testa + String(50001, '\r'), LetturaConfig::kTroppoGrande, 0},
        {"estraneo e lungo", "x" + String(50010, '\r'), LetturaConfig::kEstraneo, 0},
        {"oltre 4 MB", testa + "\t\t" + String(4 << 20, 'x') + "\r", LetturaConfig::kTroppoGrande,
         0},
        {"oltre 4 MB ed estraneo", String((4 << 20) + 1, 'x'), LetturaConfig::kTroppoGrande, 0},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        const LetturaConfig l = vx::LeggiConfigurazione(caso.byte);
        EXPECT_EQ(l.esito, caso.esito);
        EXPECT_EQ(l.configuratore.campi.size(), caso.campi);
        if (caso.esito != LetturaConfig::kLetto) {
            EXPECT_EQ(l.configuratore.posizSezioni, (std::array<Integer, 3>{}));
        }
    }
}

// A refusal gives its count and no bytes at all; data fields do not count.
TEST(FileConfig, RifiutoConIlConteggioESenzaByte) {
    struct Caso {
        int fissi, dati;
        bool rifiutata;
    };
    for (const Caso& caso : {Caso{0, 5, false}, Caso{30, 85, false}, Caso{31, 0, true},
                             Caso{31, 85, true}, Caso{1000, 1, true}}) {
        SCOPED_TRACE(::testing::Message() << caso.fissi << " fixed, " << caso.dati << " data");
        const vx::ScritturaConfig s =
            vx::ScriviConfigurazione(ConTestiFissi(caso.fissi, caso.dati), "1.0.4", "27-04-2017");
        EXPECT_EQ(s.rifiutata, caso.rifiutata);
        EXPECT_EQ(s.testiFissi, caso.fissi);
        if (caso.rifiutata) {
            EXPECT_TRUE(s.byte.empty());
        } else {
            EXPECT_EQ(fw::CountFields(s.byte, "\r"), 6 + caso.fissi + caso.dati + 1);
        }
    }
}
