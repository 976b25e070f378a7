// Drawing checked on the pixels it produces. Each shape case is drawn on a
// picture at the screen's pixel ratio and on one at twice the density, and both
// must give the same page pixels, each page pixel one solid colour.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "framework/Drawing.h"
#include "framework/DrawingPrivate.h"
#include "framework/Fonts.h"

using namespace fw;

namespace {

constexpr Color kBianco = 0xFFFFFF;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// The page pixels of a picture as text, one character per pixel: '.' white, '#'
// the colour asked for, '?' anything else. Reads a window of the picture.
std::string Mappa(const Graphics& g, int x0, int y0, int x1, int y1, Color c) {
    std::string out;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            Color p = g.Pixel(x, y);
            out += p == kBianco ? '.' : (p == c ? '#' : '?');
        }
        out += '\n';
    }
    return out;
}

// The pixels that are not white, as a bounding box.
struct Riquadro {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    bool Vuoto() const { return left > right; }
};
Riquadro Inchiostro(const Graphics& g) {
    Riquadro r;
    for (int y = 0; y < g.Height(); ++y) {
        for (int x = 0; x < g.Width(); ++x) {
            if (g.Pixel(x, y) == kBianco) continue;
            r.left = std::min(r.left, x);
            r.right = std::max(r.right, x);
            r.top = std::min(r.top, y);
            r.bottom = std::max(r.bottom, y);
        }
    }
    return r;
}

// How many page pixels have exactly the colour c.
int Quanti(const Graphics& g, Color c) {
    int n = 0;
    for (int y = 0; y < g.Height(); ++y) {
        for (int x = 0; x < g.Width(); ++x) n += g.Pixel(x, y) == c;
    }
    return n;
}

// Every device pixel under a page pixel has the page pixel's colour.
bool PixelNitidi(const Picture& pic) {
    const QImage& im = pic.Image();
    int ratio = static_cast<int>(im.devicePixelRatio());
    for (int y = 0; y < im.height(); ++y) {
        for (int x = 0; x < im.width(); ++x) {
            if (im.pixel(x, y) != im.pixel(x - x % ratio, y - y % ratio)) return false;
        }
    }
    return true;
}

RectShape Riq(double w, double h, Color bordo, Color riempi, double bw = 1) {
    RectShape s;
    s.Width = w;
    s.Height = h;
    s.Border = 100;
    s.BorderColor = bordo;
    s.BorderWidth = bw;
    s.FillColor = riempi;
    return s;
}

}  // namespace

TEST(RectShape, NuovaEPienaOpaca) {
    RectShape s;
    EXPECT_EQ(s.Fill, 100);
    EXPECT_EQ(s.BorderWidth, 1);
}

// The field frame: centre (150, 107) of a 100 x 14 frame whose top-left is
// (100, 100) puts the outline on columns 100 and 200 and rows 100 and 114.
TEST(RectShape, CorniceDelCampoCopreWPiuUnoPerHPiuUno) {
    auto pic = NewPicture(300, 200, 32);
    ASSERT_TRUE(pic);
    Graphics& g = pic->Graphics();
    g.DrawObject(Riq(100, 14, 0x000000, 0xCED1D1), 150, 107);
    const Color nero = 0x000000, grigio = 0xCED1D1;
    for (int x : {100, 150, 200}) {
        EXPECT_EQ(g.Pixel(x, 100), nero) << x;
        EXPECT_EQ(g.Pixel(x, 114), nero) << x;
        EXPECT_EQ(g.Pixel(x, 99), kBianco) << x;
        EXPECT_EQ(g.Pixel(x, 115), kBianco) << x;
    }
    for (int y : {100, 107, 114}) {
        EXPECT_EQ(g.Pixel(100, y), nero) << y;
        EXPECT_EQ(g.Pixel(200, y), nero) << y;
        EXPECT_EQ(g.Pixel(99, y), kBianco) << y;
        EXPECT_EQ(g.Pixel(201, y), kBianco) << y;
    }
    EXPECT_EQ(g.Pixel(101, 101), grigio);
    EXPECT_EQ(g.Pixel(199, 113), grigio);
    Riquadro r = Inchiostro(g);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right, 200);
    EXPECT_EQ(r.bottom, 114);
}

// A table of small frames, each checked pixel by pixel at both densities. The
// shape is centred by the callers' rule: anchor + int(size) \ 2.
TEST(RectShape, FormeInPixelInteriAMenteDoppiaDensita) {
    struct Caso {
        const char* nome;
        double w, h, bw, cx, cy;
        double border, fill;
        const char* atteso;  // columns 0..7, rows 0..5; '#' red border, '?' fill
    };
    const Caso casi[] = {
        {"4x3 bordo 1", 4, 3, 1, 1 + 2, 1 + 1, 100, 100,
         "........\n"
         ".#####..\n"
         ".#???#..\n"
         ".#???#..\n"
         ".#####..\n"
         "........\n"},
        {"bordo 2", 5, 4, 2, 1 + 2, 1 + 2, 100, 100,
         "........\n"
         ".######.\n"
         ".######.\n"
         ".##??##.\n"
         ".######.\n"
         ".######.\n"},
        // An odd size: the centre is truncated toward the anchor, the frame
        // still starts on the anchor and the half pixel goes to the far edge.
        {"dispari", 5, 3, 1, 1 + 2, 1 + 1, 100, 100,
         "........\n"
         ".######.\n"
         ".#????#.\n"
         ".#????#.\n"
         ".######.\n"
         "........\n"},
        // Dragged up-left from the anchor (6, 4) to (1, 1): the magnitude, from
        // the pointer to the anchor.
        {"negativa", -5, -3, 1, 6 - 2, 4 - 1, 100, 100,
         "........\n"
         ".######.\n"
         ".#????#.\n"
         ".#????#.\n"
         ".######.\n"
         "........\n"},
        // Fractions: each edge on the nearest whole pixel (2 +- 1.3 gives rows 1 and 3).
        {"frazionaria", 4.4, 2.6, 1, 3, 2, 100, 100,
         "........\n"
         ".#####..\n"
         ".#???#..\n"
         ".#####..\n"
         "........\n"
         "........\n"},
        {"senza riempimento", 4, 3, 1, 3, 2, 100, 0,
         "........\n"
         ".#####..\n"
         ".#...#..\n"
         ".#...#..\n"
         ".#####..\n"
         "........\n"},
        {"senza bordo", 4, 3, 1, 3, 2, 0, 100,
         "........\n"
         ".?????..\n"
         ".?????..\n"
         ".?????..\n"
         ".?????..\n"
         "........\n"},
        {"bordo zero", 4, 3, 0, 3, 2, 100, 100,
         "........\n"
         ".?????..\n"
         ".?????..\n"
         ".?????..\n"
         ".?????..\n"
         "........\n"},
        {"zero per zero e un pixel", 0, 0, 1, 2, 2, 100, 100,
         "........\n"
         "........\n"
         "..#.....\n"
         "........\n"
         "........\n"
         "........\n"},
        {"bordo piu largo della forma", 3, 3, 5, 2, 2, 100, 100,
         "........\n"
         ".####...\n"
         ".####...\n"
         ".####...\n"
         ".####...\n"
         "........\n"},
        {"larghezza NaN", kNaN, 3, 1, 3, 2, 100, 100,
         "........\n"
         "........\n"
         "........\n"
         "........\n"
         "........\n"
         "........\n"},
        {"centro infinito", 4, 3, 1, kInf, 2, 100, 100,
         "........\n"
         "........\n"
         "........\n"
         "........\n"
         "........\n"
         "........\n"},
        {"bordo NaN", 4, 3, kNaN, 3, 2, 100, 100,
         "........\n"
         ".?????..\n"
         ".?????..\n"
         ".?????..\n"
         ".?????..\n"
         "........\n"},
        {"opacita NaN", 4, 3, 1, 3, 2, kNaN, kNaN,
         "........\n"
         "........\n"
         "........\n"
         "........\n"
         "........\n"
         "........\n"},
    };
    const Color rosso = 0xFF0000, blu = 0x0000FF;
    for (const Caso& c : casi) {
        for (double dpr : {1.0, 2.0}) {
            Picture pic(8, 6, dpr);
            RectShape s = Riq(c.w, c.h, rosso, blu, c.bw);
            s.Border = c.border;
            s.Fill = c.fill;
            pic.Graphics().DrawObject(s, c.cx, c.cy);
            std::string m = Mappa(pic.Graphics(), 0, 0, 7, 5, rosso);
            // '?' stands for the fill here: no pixel may be any third colour.
            for (int y = 0; y < 6; ++y) {
                for (int x = 0; x < 8; ++x) {
                    Color p = pic.Graphics().Pixel(x, y);
                    EXPECT_TRUE(p == kBianco || p == rosso || p == blu) << c.nome;
                }
            }
            EXPECT_EQ(m, c.atteso) << c.nome << " dpr " << dpr;
            EXPECT_TRUE(PixelNitidi(pic)) << c.nome << " dpr " << dpr;
        }
    }
}

TEST(RectShape, OpacitaDiBordoERiempimento) {
    auto pic = NewPicture(40, 40, 32);
    ASSERT_TRUE(pic);
    RectShape s = Riq(20, 20, 0x000000, 0x000000, 2);
    s.Border = 100;
    s.Fill = 50;
    pic->Graphics().DrawObject(s, 20, 20);
    Color dentro = pic->Graphics().Pixel(20, 20);
    EXPECT_NEAR(Red(dentro), 127, 2);
    EXPECT_EQ(Red(dentro), Green(dentro));
    EXPECT_EQ(pic->Graphics().Pixel(10, 20), 0x000000u);
    s.Border = 25;
    s.Fill = 0;
    pic->Graphics().DrawObject(s, 20, 20);  // a quarter of black over black stays black
    EXPECT_EQ(pic->Graphics().Pixel(10, 20), 0x000000u);
    pic->Graphics().ClearRect(0, 0, 40, 40);
    pic->Graphics().DrawObject(s, 20, 20);
    EXPECT_NEAR(Red(pic->Graphics().Pixel(10, 20)), 191, 2);
    EXPECT_EQ(pic->Graphics().Pixel(20, 20), kBianco);
}

// Translucent outlines and fills as tall as a page, like the sides of the
// selection band: every pixel blended exactly once, top to bottom, at both
// densities, with nothing outside touched.
TEST(RectShape, TraslucidaAltaFusaUnaVoltaSolaPerPixel) {
    struct Caso {
        const char* nome;
        double border, fill;
    };
    for (Caso c : {Caso{"bordo a meta", 50, 0}, Caso{"riempimento a meta", 100, 50},
                   Caso{"tutto a un quarto", 25, 25}}) {
        for (double dpr : {1.0, 2.0}) {
            SCOPED_TRACE(std::string(c.nome) + " dpr " + std::to_string(dpr));
            // The same shape short enough to be one blend gives the colours.
            Picture corta(40, 20, dpr), alta(40, 460, dpr);
            RectShape s = Riq(20, 10, 0x000000, 0x0000FF);
            s.Border = c.border;
            s.Fill = c.fill;
            corta.Graphics().DrawObject(s, 20, 10);
            Color bordo = corta.Graphics().Pixel(10, 10), dentro = corta.Graphics().Pixel(20, 10);
            s.Height = 440;
            alta.Graphics().DrawObject(s, 20, 230);
            const Graphics& g = alta.Graphics();
            for (int y = 11; y < 449; ++y) {
                ASSERT_EQ(g.Pixel(10, y), bordo) << y;
                ASSERT_EQ(g.Pixel(30, y), bordo) << y;
                ASSERT_EQ(g.Pixel(20, y), dentro) << y;
                ASSERT_EQ(g.Pixel(9, y), kBianco) << y;
                ASSERT_EQ(g.Pixel(31, y), kBianco) << y;
            }
            EXPECT_EQ(g.Pixel(20, 9), kBianco);
            EXPECT_EQ(g.Pixel(20, 451), kBianco);
            EXPECT_TRUE(PixelNitidi(alta));
        }
    }
}

TEST(RectShape, EnormeCopreTuttoSenzaBordoVisibile) {
    auto pic = NewPicture(60, 40, 32);
    ASSERT_TRUE(pic);
    for (double lato : {1e6, 1e12, 1e300, std::numeric_limits<double>::max()}) {
        pic->Graphics().ClearRect(0, 0, 60, 40);
        pic->Graphics().DrawObject(Riq(lato, lato, 0x000000, 0x00FF00), 30, 20);
        Riquadro r = Inchiostro(pic->Graphics());
        EXPECT_EQ(r.left, 0) << lato;
        EXPECT_EQ(r.right, 59) << lato;
        EXPECT_EQ(r.bottom, 39) << lato;
        EXPECT_EQ(pic->Graphics().Pixel(0, 0), 0x00FF00u) << lato;
        EXPECT_EQ(pic->Graphics().Pixel(59, 39), 0x00FF00u) << lato;
    }
}

TEST(CurveShape, LineaDrittaEOffsetDiDrawObject) {
    auto pic = NewPicture(100, 60, 32);
    ASSERT_TRUE(pic);
    Graphics& g = pic->Graphics();
    CurveShape linea;
    linea.X = 0;
    linea.X2 = 10000;
    linea.Y = linea.Y2 = 20;
    linea.BorderColor = 0xFF443E;
    g.DrawObject(linea, 0, 10);
    for (int x : {0, 50, 99}) {
        EXPECT_EQ(g.Pixel(x, 30), 0xFF443Eu) << x;
        EXPECT_EQ(g.Pixel(x, 29), kBianco) << x;
        EXPECT_EQ(g.Pixel(x, 31), kBianco) << x;
    }
    EXPECT_EQ(g.Pixel(50, 20), kBianco);

    // Down, both ends included, moved by the offset.
    CurveShape giu;
    giu.X = giu.X2 = 5;
    giu.Y = 40;
    giu.Y2 = 44;
    g.DrawObject(giu, 3, 0);
    EXPECT_EQ(g.Pixel(8, 40), 0u);
    EXPECT_EQ(g.Pixel(8, 44), 0u);
    EXPECT_EQ(g.Pixel(8, 45), kBianco);
    EXPECT_EQ(g.Pixel(8, 39), kBianco);
    EXPECT_EQ(g.Pixel(9, 42), kBianco);
}

TEST(CurveShape, DiagonaleLontanissimaTagliataESenzaBordoNiente) {
    auto pic = NewPicture(100, 100, 32);
    ASSERT_TRUE(pic);
    Graphics& g = pic->Graphics();
    CurveShape d;
    d.X = d.Y = -1e9;
    d.X2 = d.Y2 = 1e9;
    g.DrawObject(d);
    EXPECT_NE(g.Pixel(50, 50), kBianco);
    EXPECT_EQ(g.Pixel(50, 10), kBianco);

    g.ClearRect(0, 0, 100, 100);
    for (double v : {kNaN, kInf}) {
        CurveShape bad;
        bad.X = v;
        bad.X2 = 50;
        bad.Y2 = 50;
        g.DrawObject(bad);
    }
    CurveShape invisibile;
    invisibile.Border = 0;
    invisibile.X2 = 99;
    invisibile.Y = invisibile.Y2 = 50;
    g.DrawObject(invisibile);
    EXPECT_TRUE(Inchiostro(g).Vuoto());
}

// The section letter: centred on x, baseline at y, in FillColor.
TEST(StringShape, CentrataSuXConLaLineaDiBaseSuY) {
    auto pic = NewPicture(200, 120, 32);
    ASSERT_TRUE(pic);
    StringShape s;
    s.Text = "H";
    s.TextFont = "DejaVu Sans";
    s.TextSize = 40;
    s.FillColor = 0x1309D6;
    pic->Graphics().DrawObject(s, 100, 80);
    Riquadro r = Inchiostro(pic->Graphics());
    ASSERT_FALSE(r.Vuoto());
    EXPECT_NEAR((r.left + r.right) / 2.0, 100, 1.5);
    EXPECT_EQ(r.bottom, 79);
    EXPECT_NEAR(r.bottom - r.top + 1, 29, 1.5);        // cap height of DejaVu Sans: 0.73 em
    EXPECT_GT(Quanti(pic->Graphics(), 0x1309D6), 40);  // the stems, solid
}

// One text point is one page pixel: an "H" of size 100 is 73 pixels tall, at
// any density.
TEST(Testo, DrawStringSullaLineaDiBaseInPixel) {
    auto pic = NewPicture(300, 150, 32);
    ASSERT_TRUE(pic);
    Graphics& g = pic->Graphics();
    g.TextFont = "DejaVu Sans";
    g.TextSize = 100;
    g.ForeColor = 0xF80404;
    g.DrawString("H", 20, 110);
    Riquadro r = Inchiostro(g);
    ASSERT_FALSE(r.Vuoto());
    EXPECT_EQ(r.bottom, 109);
    EXPECT_NEAR(r.bottom - r.top + 1, 73, 2);
    EXPECT_GE(r.left, 20);
    EXPECT_LE(r.right, 20 + g.StringWidth("H"));
    EXPECT_GT(Quanti(g, 0xF80404), 500);
}

TEST(Testo, DrawStringAcapoSoloConLarghezza) {
    const std::string lungo = "uno due tre quattro cinque sei sette otto nove dieci";
    for (double wrap : {0.0, 100.0}) {
        auto pic = NewPicture(400, 200, 32);
        ASSERT_TRUE(pic);
        Graphics& g = pic->Graphics();
        g.TextFont = "Liberation Sans";
        g.TextSize = 12;
        g.DrawString(lungo, 10, 20, wrap);
        Riquadro r = Inchiostro(g);
        ASSERT_FALSE(r.Vuoto());
        if (wrap == 0) {
            EXPECT_LE(r.bottom, 20 + 4);
            EXPECT_GT(r.right, 10 + 200);
        } else {
            EXPECT_GT(r.bottom, 20 + 3 * 12);
            EXPECT_LE(r.right, 10 + 100);
            EXPECT_NEAR(r.bottom - 8, g.StringHeight(lungo, 100), 12);
        }
    }
}

TEST(Testo, MisureConIFontFissati) {
    auto pic = NewPicture(10, 10, 32);
    ASSERT_TRUE(pic);
    Graphics& g = pic->Graphics();
    g.TextFont = "DejaVu Sans";
    g.TextSize = 12;
    const int largo = g.StringWidth("Non definito");
    const int riga = g.StringHeight("Non definito", 800);
    EXPECT_GT(largo, 60);
    EXPECT_LT(largo, 90);
    EXPECT_GE(riga, 13);
    EXPECT_LE(riga, 16);
    EXPECT_EQ(g.StringWidth(""), 0);
    EXPECT_EQ(g.StringHeight("", 0), riga);
    EXPECT_EQ(g.StringHeight("Non definito", 0), riga);
    // A label wider than the wrap width takes whole extra lines.
    int tre = g.StringHeight("alfa beta gamma", g.StringWidth("gamma") + 1);
    EXPECT_EQ(tre, 3 * riga);
    // Twice the size, about twice as wide; another family, another width.
    g.TextSize = 24;
    EXPECT_NEAR(g.StringWidth("Non definito"), 2 * largo, 3);
    g.TextSize = 12;
    g.Bold = true;
    EXPECT_GT(g.StringWidth("Non definito"), largo);
    g.Bold = false;
    g.TextFont = "Liberation Sans";
    EXPECT_NE(g.StringWidth("Non definito"), largo);
    EXPECT_GT(g.StringWidth("€à"), 0);
}

TEST(Testo, DimensioniEFontStraniRestanoDefiniti) {
    auto pic = NewPicture(200, 100, 32);
    ASSERT_TRUE(pic);
    Graphics& g = pic->Graphics();
    g.TextFont = "DejaVu Sans";
    g.TextSize = 12;
    const int dodici = g.StringWidth("Velarix");
    struct Caso {
        double size;
        bool comeDodici;
    };
    const Caso casi[] = {{0, true},    {-5, true},   {kNaN, true}, {-kInf, true},
                         {0.3, false}, {1e9, false}, {kInf, true}};
    for (const Caso& c : casi) {
        g.TextSize = c.size;
        int w = g.StringWidth("Velarix");
        if (c.comeDodici) {
            EXPECT_EQ(w, dodici) << c.size;
        } else {
            EXPECT_GE(w, 0) << c.size;
        }
        g.StringHeight("Velarix", 800);
        g.DrawString("Velarix", 10, 50);
    }
    g.TextSize = 12;
    g.TextFont = "Un font che non c'e";
    EXPECT_GT(g.StringWidth("Velarix"), 0);
    EXPECT_GT(g.StringHeight("Velarix", 0), 0);
    g.DrawString("Velarix", kNaN, 50);
    g.DrawString("Velarix", 1e300, -1e300, kInf);
    g.DrawString("Velarix", 10, 50, 1e300);
    EXPECT_NE(g.Pixel(15, 45), kBianco);
}

// A label of megabytes, as a damaged file may hold, is measured and drawn
// without laying it out whole: on the surface it looks as a short label that
// runs past the edge, and it may start far to the left and still show its end.
TEST(Testo, EtichettaDiMegabyteComeUnaCorta) {
    const std::string corta(200, 'x');        // wider than the picture already
    const std::string lunga(1 << 20, 'x');    // a million characters
    const std::string accenti(1 << 17, 'x');  // pieces never cut a character
    auto disegna = [](const std::string& t, double x) {
        auto pic = NewPicture(600, 40, 32);
        Graphics& g = pic->Graphics();
        g.TextFont = "DejaVu Sans";
        g.TextSize = 12;
        g.DrawString(t, x, 20);
        return pic;
    };
    auto pixel = [](Picture& pic, int x0, int x1) {
        std::string out;
        for (int y = 0; y < 40; ++y) {
            for (int x = x0; x < x1; ++x) out += std::to_string(pic.Graphics().Pixel(x, y)) + ",";
        }
        return out;
    };
    auto a = disegna(corta, 2), b = disegna(lunga, 2);
    EXPECT_EQ(pixel(*a, 0, 600), pixel(*b, 0, 600));

    auto pic = NewPicture(10, 10, 32);
    Graphics& g = pic->Graphics();
    g.TextFont = "DejaVu Sans";
    g.TextSize = 12;
    const double x = g.StringWidth(std::string(1000, 'x')) / 1000.0;  // a fraction of a pixel
    const int larga = g.StringWidth(lunga);
    EXPECT_NEAR(larga, x * lunga.size(), lunga.size() / 100.0);
    EXPECT_GE(g.StringHeight(lunga, 800), g.StringHeight("x", 800));
    EXPECT_GE(g.StringHeight(lunga, 800), larga / 800 * g.StringHeight("x", 0));

    // Its end, 100 pixels of it, at the left edge; nothing after it.
    auto fine = disegna(lunga, 100 - larga);
    Riquadro r = Inchiostro(fine->Graphics());
    ASSERT_FALSE(r.Vuoto());
    EXPECT_LE(r.left, 2);
    EXPECT_NEAR(r.right, 100, 3);

    std::string misto = accenti + "è€" + accenti;
    EXPECT_GT(g.StringWidth(misto), g.StringWidth(accenti) * 2);
    auto m = disegna(misto, 2);
    EXPECT_EQ(pixel(*m, 0, 600), pixel(*a, 0, 600));
}

// Every way of putting a page rectangle on a picture, at every ratio laptops
// and HiDPI screens use, reaches exactly the device pixels the rule gives it:
// a fill, a clear, a frame's fill and a copy of a picture of the same density.
// Otherwise a part painted again by a fill and shown by a copy keeps or loses a
// row of device pixels, and a trail stays on the page.
TEST(Grafica, OgniDisegnoCopreIPixelDellaRegola) {
    auto pixelNeri = [](const QImage& im) {
        QRect r;
        int n = 0;
        for (int y = 0; y < im.height(); ++y) {
            for (int x = 0; x < im.width(); ++x) {
                if ((im.pixel(x, y) & 0xFFFFFF) != 0) continue;
                r |= QRect(x, y, 1, 1);
                ++n;
            }
        }
        // A rectangle, all of it black, or nothing.
        return n == r.width() * r.height() ? r : QRect(-1, -1, 0, 0);
    };
    for (double dpr : {1.0, 1.25, 1.5, 1.75, 2.0}) {
        Picture nera(60, 40, dpr);
        nera.Graphics().ForeColor = 0x000000;
        nera.Graphics().FillRect(0, 0, 60, 40);
        for (int x = 0; x < 6; ++x) {
            for (int y = 0; y < 5; ++y) {
                for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {5, 1}, {7, 9}}) {
                    SCOPED_TRACE(::testing::Message() << "dpr " << dpr << " at " << x << ", " << y
                                                      << " size " << w << " x " << h);
                    QRect atteso = DeviceRect(QRectF(x, y, w, h), dpr);
                    Picture riempita(20, 20, dpr), copiata(20, 20, dpr), cornice(20, 20, dpr);
                    Picture pulita(20, 20, dpr);
                    riempita.Graphics().ForeColor = 0x000000;
                    riempita.Graphics().FillRect(x, y, w, h);
                    copiata.Graphics().DrawPicture(nera, x, y, w, h, x + 3, y + 1, w, h);
                    RectShape pieno;  // placed by its centre, one pixel more than its size
                    pieno.Width = w - 1;
                    pieno.Height = h - 1;
                    pieno.Border = 0;
                    pieno.FillColor = 0x000000;
                    cornice.Graphics().DrawObject(pieno, x + (w - 1) / 2.0, y + (h - 1) / 2.0);
                    pulita.Graphics().ForeColor = 0x000000;
                    pulita.Graphics().FillRect(0, 0, 20, 20);
                    pulita.Graphics().ClearRect(x, y, w, h);
                    QImage vuoti = pulita.Image().convertToFormat(QImage::Format_RGB32);
                    vuoti.invertPixels();
                    EXPECT_EQ(pixelNeri(riempita.Image()), atteso);
                    EXPECT_EQ(pixelNeri(copiata.Image()), atteso);
                    EXPECT_EQ(pixelNeri(cornice.Image()), atteso);
                    EXPECT_EQ(pixelNeri(vuoti), atteso);
                }
            }
        }
    }
}

TEST(Grafica, ClearRectEFillRect) {
    auto pic = NewPicture(50, 50, 32);
    ASSERT_TRUE(pic);
    Graphics& g = pic->Graphics();
    EXPECT_EQ(g.Pixel(0, 0), kBianco);  // a new picture is white
    g.ForeColor = 0x60C865;
    g.FillRect(0, 0, 50, 50);
    g.ClearRect(10, 20, 5, 3);
    EXPECT_TRUE(Mappa(g, 9, 19, 15, 23, 0x60C865) ==
                "#######\n"
                "#.....#\n"
                "#.....#\n"
                "#.....#\n"
                "#######\n");
    g.ClearRect(30, 30, -5, 5);
    g.ClearRect(kNaN, 0, 10, 10);
    g.FillRect(-1e300, -1e300, 1e301, 1e301);
    EXPECT_EQ(g.Pixel(12, 21), 0x60C865u);
    EXPECT_EQ(g.Pixel(-1, 0), 0u);
    EXPECT_EQ(g.Pixel(50, 0), 0u);
    EXPECT_EQ(g.Pixel(INT_MIN, INT_MAX), 0u);
}

TEST(Grafica, DrawPictureConRettangoliDiOrigineEDestinazione) {
    // A 40 x 30 source in four quadrants.
    auto src = NewPicture(40, 30, 32);
    ASSERT_TRUE(src);
    const Color q[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};
    for (int i = 0; i < 4; ++i) {
        src->Graphics().ForeColor = q[i];
        src->Graphics().FillRect((i % 2) * 20, (i / 2) * 15, 20, 15);
    }
    for (double dpr : {1.0, 2.0}) {
        Picture dst(200, 100, dpr);
        Graphics& g = dst.Graphics();
        // The top-right quadrant, 1:1.
        g.DrawPicture(*src, 100, 50, 20, 15, 20, 0, 20, 15);
        EXPECT_EQ(g.Pixel(100, 50), q[1]);
        EXPECT_EQ(g.Pixel(119, 64), q[1]);
        EXPECT_EQ(g.Pixel(120, 50), kBianco);
        EXPECT_EQ(g.Pixel(100, 65), kBianco);
        EXPECT_EQ(g.Pixel(99, 50), kBianco);
        // A source reaching outside the picture: that part is left out, the rest
        // lands where it would have.
        g.DrawPicture(*src, 0, 0, 30, 30, -10, -10, 30, 30);
        EXPECT_EQ(g.Pixel(5, 5), kBianco);
        EXPECT_EQ(g.Pixel(10, 10), q[0]);
        EXPECT_EQ(g.Pixel(29, 29), q[2]);
        EXPECT_EQ(g.Pixel(5, 20), kBianco);
        // Negative or empty sizes and non-finite values draw nothing.
        Picture vuota(200, 100, dpr);
        Graphics& v = vuota.Graphics();
        v.DrawPicture(*src, 150, 50, -20, 15, 0, 0, 20, 15);
        v.DrawPicture(*src, 150, 50, 20, 15, 0, 0, 20, -15);
        v.DrawPicture(*src, 150, 50, 0, 15, 0, 0, 20, 15);
        v.DrawPicture(*src, kNaN, 50, 20, 15, 0, 0, 20, 15);
        v.DrawPicture(*src, 150, 50, 20, 15, 100, 100, 20, 15);
        auto nulla = NewPicture(0, 0, 32);
        v.DrawPicture(*nulla, 0, 0);
        EXPECT_TRUE(Inchiostro(v).Vuoto());
        // The whole picture at its own size.
        v.DrawPicture(*src, 150, 60);
        EXPECT_EQ(v.Pixel(150, 60), q[0]);
        EXPECT_EQ(v.Pixel(189, 89), q[3]);
        EXPECT_EQ(v.Pixel(190, 89), kBianco);
        EXPECT_TRUE(PixelNitidi(vuota));
    }
}

TEST(Picture, NewPictureVuotaEAssurda) {
    auto vuota = NewPicture(0, 0, 32);
    ASSERT_TRUE(vuota);
    EXPECT_EQ(vuota->Width(), 0);
    EXPECT_EQ(vuota->Height(), 0);
    vuota->Graphics().DrawObject(Riq(10, 10, 0, 0), 5, 5);
    vuota->Graphics().DrawString("x", 0, 10);
    EXPECT_EQ(vuota->Graphics().Pixel(0, 0), 0u);
    EXPECT_GT(vuota->Graphics().StringWidth("x"), 0);  // measuring needs no pixels

    for (auto [w, h] :
         {std::pair{100000, 100000}, {INT_MAX, 1}, {1, INT_MAX}, {INT_MAX, INT_MAX}}) {
        EXPECT_EQ(NewPicture(w, h, 32), nullptr) << w << " x " << h;
    }
    auto normale = NewPicture(800, 50, 32);
    ASSERT_TRUE(normale);
    EXPECT_EQ(normale->Width(), 800);
    const QImage& im = normale->Image();
    EXPECT_EQ(im.width(), static_cast<int>(800 * im.devicePixelRatio()));
    EXPECT_EQ(im.devicePixelRatio(), qApp->devicePixelRatio());
}

TEST(Font, ElencoEIndiciFuoriIntervallo) {
    ASSERT_GT(FontCount(), 0);
    bool dejavu = false, liberation = false;
    for (Integer i = 0; i < FontCount(); ++i) {
        EXPECT_FALSE(Font(i).empty()) << i;
        dejavu = dejavu || Font(i) == "DejaVu Sans";
        liberation = liberation || Font(i) == "Liberation Sans";
    }
    EXPECT_TRUE(dejavu);
    EXPECT_TRUE(liberation);
    for (Integer i : {-1, FontCount(), INT_MIN, INT_MAX}) EXPECT_EQ(Font(i), "") << i;
}
