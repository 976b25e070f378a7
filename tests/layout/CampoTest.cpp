#include "layout/Campo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Pixel.h"
#include "framework/Fonts.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"

using fw::Integer;
using prova::Esadecimale;

namespace {

constexpr fw::Color kBianco = 0xFFFFFF;
constexpr fw::Color kGrigio = 0xCED1D1;
constexpr fw::Color kGiallo = 0xFFFE95;

class CampoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pagina = fw::NewPicture(600, 850, 32);
        ASSERT_TRUE(pagina);
        c.iFont = Modulo1::CercaFont("DejaVu Sans");
        ASSERT_EQ(fw::Font(c.iFont), "DejaVu Sans");
        c.dimFont = 10;
    }
    fw::Graphics& g() { return pagina->Graphics(); }
    fw::Color P(int x, int y) { return g().Pixel(x, y); }

    std::shared_ptr<fw::Picture> pagina;
    Campo c;
};

TEST_F(CampoTest, UnCampoNuovoHaIValoriIniziali) {
    Campo n;
    EXPECT_EQ(n.tx, 100);
    EXPECT_EQ(n.ty, 100);
    EXPECT_EQ(n.riquadro->Width, 100);
    EXPECT_EQ(n.riquadro->Height, 14);
    EXPECT_EQ(n.testoFisso, "Non definito");
    EXPECT_EQ(n.etichetta, "Non definito");
    EXPECT_EQ(n.iCampo, 0);
    EXPECT_EQ(n.dimFont, 0);
    EXPECT_FALSE(n.selezionato);
    EXPECT_EQ(n.coloreEtich, 0x000000u);
    // Never measured: the extent is the frame grown by one pixel.
    EXPECT_EQ(n.Larghezza(), 101);
    EXPECT_EQ(n.Altezza(), 15);
}

TEST_F(CampoTest, CorniceGrigiaConBordoNeroDiUnPixel) {
    c.etichetta = "";
    c.Disegna(g());
    // Border on the frame's outline, columns 100 and 200, rows 100 and 114.
    for (auto [x, y] :
         {std::pair{100, 107}, {200, 107}, {150, 100}, {150, 114}, {100, 100}, {200, 114}}) {
        EXPECT_EQ(P(x, y), 0x000000u) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{101, 107}, {199, 107}, {150, 101}, {150, 113}}) {
        EXPECT_EQ(P(x, y), kGrigio) << x << "," << y << " " << Esadecimale(P(x, y));
    }
    for (auto [x, y] : {std::pair{99, 107}, {201, 107}, {150, 99}, {150, 115}}) {
        EXPECT_EQ(P(x, y), kBianco) << x << "," << y;
    }
    EXPECT_EQ(c.Larghezza(), 101);
}

TEST_F(CampoTest, AllineamentoDecideColoreESpessoreDelBordo) {
    struct Caso {
        Integer allType, iCampo;
        fw::Color bordo, riempimento;
        int spessore;
    };
    const Caso casi[] = {
        {0, 0, 0x000000, kGrigio, 1}, {1, 5, 0x1309D6, kGiallo, 2},  {2, 5, 0x60C865, kGiallo, 2},
        {3, 0, 0xF80404, kGrigio, 2}, {0, -1, 0x000000, kGrigio, 1}, {1, 85, 0x1309D6, kGiallo, 2},
    };
    for (const auto& k : casi) {
        g().ClearRect(0, 0, 600, 850);
        c.AllType = k.allType;
        c.iCampo = k.iCampo;
        c.etichetta = "";
        c.Disegna(g());
        SCOPED_TRACE(::testing::Message() << "AllType " << k.allType << " iCampo " << k.iCampo);
        EXPECT_EQ(P(100, 107), k.bordo);
        EXPECT_EQ(P(200, 107), k.bordo);
        EXPECT_EQ(P(150, 100), k.bordo);
        EXPECT_EQ(P(150, 114), k.bordo);
        EXPECT_EQ(P(101, 107), k.spessore == 2 ? k.bordo : k.riempimento);
        EXPECT_EQ(P(199, 107), k.spessore == 2 ? k.bordo : k.riempimento);
        EXPECT_EQ(P(102, 107), k.riempimento);
        EXPECT_EQ(P(150, 107), k.riempimento);
    }
}

TEST_F(CampoTest, AllineamentoFuoriScalaTieneIlColoreEDecideLoSpessore) {
    c.etichetta = "";
    c.AllType = 3;
    c.Disegna(g());
    c.AllType = 9;  // from a file edited by hand
    c.Disegna(g());
    EXPECT_EQ(P(101, 107), 0xF80404u);  // two pixels, in the colour it had
    c.AllType = -4;
    g().ClearRect(0, 0, 600, 850);
    c.Disegna(g());
    EXPECT_EQ(P(100, 107), 0xF80404u);
    EXPECT_EQ(P(101, 107), kGrigio);  // one pixel below 0
}

TEST_F(CampoTest, LaCorniceEPostaPerIlCentro) {
    // Even and odd sizes: the frame keeps W + 1 pixels, its left edge within half a
    // pixel of tx.
    for (double w : {40.0, 41.0}) {
        for (double h : {20.0, 21.0}) {
            g().ClearRect(0, 0, 600, 850);
            c.riquadro->Width = w;
            c.riquadro->Height = h;
            c.etichetta = "";
            c.Disegna(g());
            prova::Riquadro r = prova::Inchiostro(g(), 80, 80, 160, 140, 200);
            SCOPED_TRACE(::testing::Message() << w << " x " << h);
            ASSERT_FALSE(r.Vuoto());
            EXPECT_EQ(r.right - r.left, static_cast<int>(w));
            EXPECT_EQ(r.bottom - r.top, static_cast<int>(h));
            EXPECT_GE(r.left, 99);
            EXPECT_LE(r.left, 100);
            EXPECT_GE(r.top, 99);
            EXPECT_LE(r.top, 100);
            if (static_cast<int>(w) % 2 == 0) {
                EXPECT_EQ(r.left, 100);
            }
            if (static_cast<int>(h) % 2 == 0) {
                EXPECT_EQ(r.top, 100);
            }
        }
    }
}

TEST_F(CampoTest, EtichettaDalBordoSinistroConLaLineaDiBaseAdimFont) {
    c.dimFont = 20;
    c.etichetta = "HHHH";  // no descender: the ink ends on the row above the baseline
    c.riquadro->Width = 200;
    c.riquadro->Height = 40;
    c.coloreEtich = 0x000000;
    for (Integer allType : {0, 3}) {
        g().ClearRect(0, 0, 600, 850);
        c.AllType = allType;
        c.Disegna(g());
        prova::Riquadro r = prova::Inchiostro(g(), 103, 102, 290, 137, 100);
        ASSERT_FALSE(r.Vuoto());
        EXPECT_EQ(r.bottom, 100 + 20 - 1) << "AllType " << allType;
        EXPECT_GE(r.left, 102);
        EXPECT_LE(r.left, 106);
    }
    // The label is not clipped to the frame, and a size of 0 puts it above it.
    g().ClearRect(0, 0, 600, 850);
    c.dimFont = 0;
    c.Disegna(g());
    prova::Riquadro sopra = prova::Inchiostro(g(), 102, 80, 290, 99, 100);
    EXPECT_FALSE(sopra.Vuoto());
}

TEST_F(CampoTest, ColoreDellEtichetta) {
    c.dimFont = 30;
    c.etichetta = "MMMM";
    c.riquadro->Width = 200;
    c.riquadro->Height = 40;
    c.coloreEtich = 0x1F3A7C;
    c.Disegna(g());
    int trovati = 0;
    for (int x = 104; x < 180; ++x) trovati += P(x, 115) == 0x1F3A7Cu;
    EXPECT_GT(trovati, 5);
}

TEST_F(CampoTest, ManigliaNeraSoloQuandoSelezionato) {
    c.etichetta = "";
    c.Disegna(g());
    EXPECT_EQ(P(196, 110), kGrigio);
    c.selezionato = true;
    c.Disegna(g());
    for (auto [x, y] : {std::pair{194, 108}, {199, 113}, {196, 110}, {200, 114}}) {
        EXPECT_EQ(P(x, y), 0x000000u) << x << "," << y;
    }
    EXPECT_EQ(P(193, 110), kGrigio);
    EXPECT_EQ(P(196, 107), kGrigio);
}

TEST_F(CampoTest, ClicCampoEClicManiglia) {
    struct Caso {
        Integer x, y;
        bool campo, maniglia;
    };
    const Caso casi[] = {
        {101, 101, true, false},  {100, 107, false, false}, {200, 107, false, false},
        {150, 100, false, false}, {150, 114, false, false}, {196, 110, true, true},
        {199, 113, true, true},   {195, 110, true, false},  {196, 109, true, false},
        {200, 113, false, false},
    };
    for (const auto& k : casi) {
        EXPECT_EQ(c.ClicCampo(k.x, k.y), k.campo) << k.x << "," << k.y;
        c.ridimensiona = !k.maniglia;
        c.ClicManiglia(k.x, k.y);
        EXPECT_EQ(c.ridimensiona, k.maniglia) << k.x << "," << k.y;
    }
}

TEST_F(CampoTest, EstensioneSegueLEtichettaMisurata) {
    fw::Graphics& m = g();
    m.TextFont = "DejaVu Sans";
    m.TextSize = 10;
    c.etichetta = "Un'etichetta molto più lunga della cornice del campo";
    Integer larghezza = m.StringWidth(c.etichetta);
    ASSERT_GT(larghezza + 5, 101);
    c.DimensEtichetta();
    EXPECT_EQ(c.wEtich, larghezza + 5);
    EXPECT_EQ(c.hEtich, m.StringHeight(c.etichetta, 800) + 5);
    EXPECT_EQ(c.Larghezza(), larghezza + 5);
    // Drawing measures exactly as DimensEtichetta does.
    c.wEtich = c.hEtich = 0;
    c.Disegna(g());
    EXPECT_EQ(c.wEtich, larghezza + 5);
    c.etichetta = "ab";
    c.DimensEtichetta();
    EXPECT_LT(c.wEtich, 101);
    EXPECT_EQ(c.Larghezza(), 101);
    EXPECT_EQ(c.Altezza(), std::max(15, c.hEtich));
}

TEST_F(CampoTest, LarghezzeCaratteri) {
    fw::String t = c.LarghezzeCaratteri();
    ASSERT_EQ(std::count(t.begin(), t.end(), '/'), 255);
    EXPECT_EQ(t.back(), '/');
    EXPECT_EQ(t.find_first_not_of("0123456789/"), fw::String::npos);
    fw::String zeri;
    for (int i = 0; i < 31; ++i) zeri += "0/";
    EXPECT_EQ(t.substr(0, zeri.size()), zeri);

    fw::Graphics& m = g();
    m.TextFont = "DejaVu Sans";
    m.TextSize = 10;
    auto voce = [](const fw::String& tab, int codice) { return fw::NthField(tab, "/", codice); };
    EXPECT_EQ(voce(t, 32), fw::Str(m.StringWidth("  ") - m.StringWidth(" ")));
    EXPECT_EQ(voce(t, 87), fw::Str(m.StringWidth("WW") - m.StringWidth("W")));
    // Codes 128 to 255 are the Unicode characters of those code points.
    EXPECT_EQ(voce(t, 0xE0), fw::Str(m.StringWidth("àà") - m.StringWidth("à")));

    c.stileS = true;
    EXPECT_EQ(c.LarghezzeCaratteri(), t);  // underline changes no advance
    c.stileS = false;
    c.stileG = true;
    c.dimFont = 40;
    fw::String grassetto = c.LarghezzeCaratteri();
    c.stileG = false;
    EXPECT_NE(grassetto, c.LarghezzeCaratteri());
}

TEST_F(CampoTest, ValoriAssurdiDaUnFileRestanoDefiniti) {
    constexpr double kEnorme = 1e12;
    const double misure[] = {-50,  -0.5,    0,        0.4,
                             13.7, kEnorme, -kEnorme, std::numeric_limits<double>::quiet_NaN()};
    const Integer dimensioni[] = {0, -12, 1, 100000, std::numeric_limits<Integer>::max()};
    const Integer posizioni[] = {std::numeric_limits<Integer>::min(), -1000, 100,
                                 std::numeric_limits<Integer>::max()};
    for (double w : misure) {
        for (Integer dim : dimensioni) {
            for (Integer pos : posizioni) {
                Campo k;
                k.tx = pos;
                k.ty = pos;
                k.riquadro->Width = w;
                k.riquadro->Height = w;
                k.dimFont = dim;
                k.iFont = dim;  // far beyond the installed fonts too
                k.AllType = dim;
                k.selezionato = true;
                k.Disegna(g());
                k.DimensEtichetta();
                (void)k.Larghezza();
                (void)k.Altezza();
                (void)k.ClicCampo(pos, pos);
                k.ClicManiglia(pos, pos);
                EXPECT_GE(k.wEtich, 5);
            }
        }
    }
    Campo k;
    k.iFont = -3;
    k.dimFont = -7;
    fw::String t = k.LarghezzeCaratteri();
    EXPECT_EQ(std::count(t.begin(), t.end(), '/'), 255);
}

}  // namespace
