// The canvas: a surface that application code draws on at any time, shown
// rectangle by rectangle, with Paint only when the whole must be drawn again.

#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <string>
#include <vector>

#include "Pixel.h"
#include "framework/Controls.h"
#include "framework/Drawing.h"
#include "framework/Window.h"

using namespace fw;

namespace {

class TelaProva : public Canvas {
  public:
    using Canvas::Canvas;
    int paint = 0;
    bool accetta = true;
    std::vector<std::string> eventi;

    void Paint(fw::Graphics& g) override {
        ++paint;
        g.ForeColor = 0x0000FF;
        g.FillRect(0, 0, 20, 20);
    }
    bool MouseDown(Integer x, Integer y) override {
        eventi.push_back("down " + std::to_string(x) + " " + std::to_string(y));
        return accetta;
    }
    void MouseDrag(Integer x, Integer y) override {
        eventi.push_back("drag " + std::to_string(x) + " " + std::to_string(y));
    }
    void MouseUp(Integer x, Integer y) override {
        eventi.push_back("up " + std::to_string(x) + " " + std::to_string(y));
    }
};

class CanvasTest : public ::testing::Test {
  protected:
    CanvasTest() {
        finestra.SetSize(320, 240);
        tela = std::make_unique<TelaProva>(finestra, "Tela", 10, 20, 200, 150);
    }
    ~CanvasTest() override { tela.reset(); }

    void Mostra() {
        finestra.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(finestra.Widget()));
        Aggiorna();
    }
    static void Aggiorna() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    QImage Schermo() const { return prova::Finestra(tela->Widget()); }
    // Where the canvas's page pixel (x, y) is on screen, in device pixels.
    static QPoint SulloSchermo(const QImage& schermo, QWidget* tela, int x, int y) {
        double dpr = schermo.devicePixelRatio();
        return prova::Angolo(tela, dpr) +
               QPoint(prova::Dispositivo(x, dpr), prova::Dispositivo(y, dpr));
    }
    // Its colour there.
    static Color Punto(const QImage& schermo, QWidget* tela, int x, int y) {
        QRgb v = schermo.pixel(SulloSchermo(schermo, tela, x, y));
        return RGB(qRed(v), qGreen(v), qBlue(v));
    }
    std::string Differenza() const { return prova::FinestraDiversaDallaTela(tela->Widget()); }

    Window finestra{0};
    std::unique_ptr<TelaProva> tela;
};

}  // namespace

TEST_F(CanvasTest, PrimaMostraPaintUnaVoltaELoSchermoEIlBacking) {
    Mostra();
    EXPECT_EQ(tela->paint, 1);
    EXPECT_EQ(tela->Graphics().Pixel(5, 5), 0x0000FFu);
    EXPECT_EQ(tela->Graphics().Pixel(25, 25), 0xFFFFFFu);
    EXPECT_EQ(Differenza(), "");
    QImage s = Schermo();
    EXPECT_EQ(Punto(s, tela->Widget(), 5, 5), 0x0000FFu);
}

TEST_F(CanvasTest, DisegnoFuoriDaPaintArrivaSulloSchermoSoloNelSuoRettangolo) {
    Mostra();
    RectShape r;
    r.Width = 40;
    r.Height = 20;
    r.FillColor = 0xFF0000;
    tela->Graphics().DrawObject(r, 100, 80);  // covers 80..120 x 70..90
    Aggiorna();
    QImage s = Schermo();
    EXPECT_EQ(Punto(s, tela->Widget(), 100, 80), 0xFF0000u);
    EXPECT_EQ(Punto(s, tela->Widget(), 80, 70), 0xFF0000u);
    EXPECT_EQ(Punto(s, tela->Widget(), 120, 90), 0xFF0000u);
    EXPECT_EQ(Punto(s, tela->Widget(), 121, 90), 0xFFFFFFu);
    EXPECT_EQ(Punto(s, tela->Widget(), 5, 5), 0x0000FFu);
    EXPECT_EQ(tela->paint, 1);  // a drawing is shown, not a reason to Paint
    EXPECT_EQ(Differenza(), "");

    tela->Graphics().ForeColor = 0x00FF00;
    tela->Graphics().DrawString("Prova", 30, 60);
    tela->Graphics().ClearRect(100, 75, 5, 5);
    Aggiorna();
    EXPECT_EQ(Differenza(), "");
    EXPECT_EQ(tela->paint, 1);
}

TEST_F(CanvasTest, RefreshESfondoRidisegnanoConLoSfondoSottoPaint) {
    Mostra();
    auto sfondo = NewPicture(100, 100, 32);
    ASSERT_TRUE(sfondo);
    sfondo->Graphics().ForeColor = 0x60C865;
    sfondo->Graphics().FillRect(0, 0, 100, 100);
    tela->Graphics().ForeColor = 0xFF0000;
    tela->Graphics().FillRect(150, 100, 10, 10);
    tela->SetBackdrop(sfondo);
    Aggiorna();
    EXPECT_EQ(tela->paint, 2);
    EXPECT_EQ(tela->Graphics().Pixel(5, 5), 0x0000FFu);     // Paint over the backdrop
    EXPECT_EQ(tela->Graphics().Pixel(50, 50), 0x60C865u);   // the backdrop, 1:1
    EXPECT_EQ(tela->Graphics().Pixel(100, 50), 0xFFFFFFu);  // beyond it, cleared
    EXPECT_EQ(tela->Graphics().Pixel(155, 105), 0xFFFFFFu);
    EXPECT_EQ(Differenza(), "");

    tela->Refresh();
    Aggiorna();
    EXPECT_EQ(tela->paint, 3);
    tela->SetBackdrop(nullptr);
    Aggiorna();
    EXPECT_EQ(tela->paint, 4);
    EXPECT_EQ(tela->Graphics().Pixel(50, 50), 0xFFFFFFu);
    EXPECT_EQ(Differenza(), "");
}

TEST_F(CanvasTest, RidimensionareFaUnaSuperficieNuovaAncheZeroEGrande) {
    Mostra();
    struct Caso {
        int w, h;
    };
    for (Caso c : {Caso{0, 0}, Caso{2000, 2000}, Caso{300, 1}, Caso{0, 50}, Caso{250, 180}}) {
        int prima = tela->paint;
        tela->SetBounds(-5, -7, c.w, c.h);
        EXPECT_EQ(tela->Graphics().Width(), c.w);
        EXPECT_EQ(tela->Graphics().Height(), c.h);
        EXPECT_EQ(tela->Widget()->geometry(), QRect(-5, -7, c.w, c.h));
        Aggiorna();
        tela->Graphics().ForeColor = 0xFF0000;
        tela->Graphics().FillRect(c.w - 3, c.h - 3, 10, 10);
        Aggiorna();
        if (c.w > 0 && c.h > 0) {
            // Shown again, whole, once any of it is inside the window (at -7 a
            // canvas one pixel high is not).
            EXPECT_EQ(tela->paint, prima + (c.h > 7 ? 1 : 0)) << c.w;
            EXPECT_EQ(tela->Graphics().Pixel(c.w - 1, c.h - 1), 0xFF0000u) << c.w;
            EXPECT_EQ(tela->Graphics().Pixel(c.w, c.h - 1), 0u) << c.w;
            EXPECT_EQ(tela->Graphics().Pixel(8, 8), c.h > 8 ? 0x0000FFu : 0u) << c.w;
            EXPECT_EQ(Differenza(), "") << c.w;
        } else {
            EXPECT_EQ(tela->Graphics().Pixel(0, 0), 0u);
        }
    }
}

TEST_F(CanvasTest, MouseVeroPremiTrascinaRilascia) {
    Mostra();
    QWidget* w = tela->Widget();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(30, 40));
    QTest::mouseMove(w, QPoint(35, 45));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(36, 47));
    // The same through plain events, the button carried by the moves.
    auto manda = [w](QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs) {
        QMouseEvent e(t, p, w->mapToGlobal(p), b, bs, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    manda(QEvent::MouseButtonPress, {1, 2}, Qt::LeftButton, Qt::LeftButton);
    manda(QEvent::MouseMove, {3, 4}, Qt::NoButton, Qt::LeftButton);
    manda(QEvent::MouseMove, {-20, 400}, Qt::NoButton, Qt::LeftButton);  // outside, still ours
    manda(QEvent::MouseButtonRelease, {-20, 400}, Qt::LeftButton, Qt::NoButton);
    // A move without the button is no drag; the right button is not ours.
    manda(QEvent::MouseMove, {9, 9}, Qt::NoButton, Qt::NoButton);
    manda(QEvent::MouseButtonPress, {7, 7}, Qt::RightButton, Qt::RightButton);
    manda(QEvent::MouseMove, {8, 8}, Qt::NoButton, Qt::RightButton);
    manda(QEvent::MouseButtonRelease, {8, 8}, Qt::RightButton, Qt::NoButton);
    const std::vector<std::string> attesi = {"down 30 40", "drag 35 45",   "up 36 47",  "down 1 2",
                                             "drag 3 4",   "drag -20 400", "up -20 400"};
    EXPECT_EQ(tela->eventi, attesi);
}

TEST_F(CanvasTest, MouseDownFalsoFermaTrascinaERilascia) {
    Mostra();
    tela->accetta = false;
    QWidget* w = tela->Widget();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(30, 40));
    QTest::mouseMove(w, QPoint(35, 45));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(36, 47));
    EXPECT_EQ(tela->eventi, std::vector<std::string>{"down 30 40"});
}
