#include "layout/Sezione.h"

#include <gtest/gtest.h>

#include <limits>

#include "Pixel.h"
#include "layout/Campo.h"
#include "layout/StrumSelez.h"

using fw::Integer;

namespace {

constexpr fw::Color kRosso = 0xFF443E;

class DisegnoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pagina = fw::NewPicture(600, 850, 32);
        ASSERT_TRUE(pagina);
    }
    fw::Graphics& g() { return pagina->Graphics(); }
    fw::Color P(int x, int y) { return g().Pixel(x, y); }
    std::shared_ptr<fw::Picture> pagina;
};

using SezioneTest = DisegnoTest;

TEST_F(SezioneTest, LineaRossaConLinguettaSopraABordoPagina) {
    Sezione s;
    s.posizY = 100;
    s.etichetta->Text = "T";
    s.Disegna(g());
    // The line across the page, one pixel high.
    for (int x : {0, 11, 300, 599}) EXPECT_EQ(P(x, 100), kRosso) << x;
    EXPECT_EQ(P(300, 99), 0xFFFFFFu);
    EXPECT_EQ(P(300, 101), 0xFFFFFFu);
    // The tab from (0, 86) to (10, 100), red, with the letter on it.
    for (auto [x, y] : {std::pair{0, 86}, {10, 86}, {0, 99}, {10, 99}, {1, 87}}) {
        EXPECT_EQ(P(x, y), kRosso) << x << "," << y;
    }
    EXPECT_EQ(P(11, 90), 0xFFFFFFu);
    EXPECT_EQ(P(5, 85), 0xFFFFFFu);
    prova::Riquadro lettera = prova::Inchiostro(g(), 0, 86, 10, 100, 90);
    ASSERT_FALSE(lettera.Vuoto()) << "no letter on the tab";
    EXPECT_LE(lettera.bottom, 96);  // baseline at posizY - 4
    EXPECT_GE(lettera.left, 1);
    EXPECT_LE(lettera.right, 9);
}

TEST_F(SezioneTest, ZonaDiPresa) {
    Sezione s;
    s.posizY = 100;
    struct Caso {
        Integer x, y;
        bool atteso;
    };
    const Caso casi[] = {
        {5, 95, true},  {5, 91, true},  {5, 103, true},  {1, 100, true}, {9, 100, true},
        {5, 88, false}, {5, 90, false}, {5, 104, false}, {0, 95, false}, {10, 95, false},
    };
    for (const auto& c : casi) EXPECT_EQ(s.ClicSezione(c.x, c.y), c.atteso) << c.x << "," << c.y;
    // Positions near the integer bounds from a hand-edited file.
    s.posizY = std::numeric_limits<Integer>::min();
    EXPECT_FALSE(s.ClicSezione(5, 0));
    s.Disegna(g());
    s.posizY = std::numeric_limits<Integer>::max();
    EXPECT_FALSE(s.ClicSezione(5, 0));
    s.Disegna(g());
}

using StrumSelezTest = DisegnoTest;

TEST_F(StrumSelezTest, AggiustaRendePositivaLaBandaTiratoInSuOASinistra) {
    struct Caso {
        Integer ax, ay, x, y;
        Integer tx, ty;
        double w, h;
    };
    const Caso casi[] = {
        {100, 100, 90, 80, 90, 80, 11, 21},   {100, 100, 110, 120, 100, 100, 10, 20},
        {100, 100, 50, 50, 50, 50, 51, 51},   {50, 50, 100, 100, 50, 50, 50, 50},
        {100, 100, 100, 100, 100, 100, 0, 0},
    };
    for (const auto& c : casi) {
        StrumSelez b;
        b.tx = c.ax;
        b.ty = c.ay;
        b.Width = c.x - c.ax;
        b.Height = c.y - c.ay;
        b.Aggiusta();
        EXPECT_EQ(b.tx, c.tx);
        EXPECT_EQ(b.ty, c.ty);
        EXPECT_EQ(b.Width, c.w);
        EXPECT_EQ(b.Height, c.h);
    }
}

TEST_F(StrumSelezTest, NelRettangoloContaSoloLaCorniceEStretto) {
    StrumSelez b;
    b.tx = 50;
    b.ty = 50;
    b.Width = 200;
    b.Height = 100;
    Campo c;  // frame 100 x 14 at (100, 100)
    c.etichetta = "Un'etichetta che esce di molto dalla banda di selezione";
    EXPECT_TRUE(b.NelRettangolo(c));
    struct Caso {
        Integer tx, ty;
        double w, h;
        bool atteso;
    };
    const Caso casi[] = {
        {50, 100, 100, 14, false},                                // on the left edge
        {51, 51, 100, 14, true},     {51, 100, 199, 14, false},   // right edge reaches tx + Width
        {51, 100, 198, 14, true},    {100, 136, 100, 14, false},  // bottom edge on ty + Height
        {100, 135, 100, 14.5, true},
    };
    for (const auto& k : casi) {
        c.tx = k.tx;
        c.ty = k.ty;
        c.riquadro->Width = k.w;
        c.riquadro->Height = k.h;
        EXPECT_EQ(b.NelRettangolo(c), k.atteso) << k.tx << "," << k.ty << " " << k.w << "x" << k.h;
    }
    StrumSelez vuota;
    vuota.tx = vuota.ty = 100;
    c.tx = c.ty = 100;
    EXPECT_FALSE(vuota.NelRettangolo(c));
}

TEST_F(StrumSelezTest, BandaConBordoSemitrasparenteSenzaRiempimento) {
    StrumSelez b;
    b.Disegna(g());  // hidden: 0 x 0 at (-1, -1)
    EXPECT_TRUE(prova::Inchiostro(g(), 0, 0, 20, 20, 255).Vuoto());

    // Dragged from (100, 100) up and left to (90, 80): drawn from the anchor back.
    b.tx = 100;
    b.ty = 100;
    b.Width = -10;
    b.Height = -20;
    b.Disegna(g());
    prova::Riquadro r = prova::Inchiostro(g(), 60, 60, 140, 140, 250);
    EXPECT_EQ(r.left, 90);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.bottom, 100);
    fw::Color bordo = P(90, 90);
    EXPECT_GT(prova::Luminosita(bordo), 100);  // half opaque black over white
    EXPECT_LT(prova::Luminosita(bordo), 160);
    EXPECT_EQ(P(95, 90), 0xFFFFFFu);  // no fill
}

}  // namespace
