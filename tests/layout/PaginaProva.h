#pragma once

// A page canvas in a shown window, a palette that counts what it is told, real
// mouse events, and a comparison of the screen with the page drawn from scratch.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <optional>
#include <string>

#include "Pixel.h"
#include "framework/Fonts.h"
#include "framework/Testing.h"
#include "framework/Window.h"
#include "layout/DragCanvas.h"
#include "layout/Modulo1.h"

namespace prova {

class PaletteFinta : public InterfacciaPalette {
  public:
    MOCK_METHOD(void, Popola, (), (override));
    MOCK_METHOD(void, PopolaDim, (), (override));
    MOCK_METHOD(void, Reset, (), (override));
};

class FinestraPagina : public fw::Window {
  public:
    FinestraPagina() : fw::Window(0) { SetSize(600, 850); }
    DragCanvas DragCanvas1{*this, "DragCanvas1", 0, 0, 600, 850};
};

// Where two pictures of the page differ: the bounding box of the differing page
// pixels, empty when they are the same.
struct Differenza {
    int left = 0, top = 0, right = -1, bottom = -1;
    bool Vuota() const { return right < left; }
    bool Dentro(int x, int y, int w, int h) const {
        return Vuota() || (left >= x && top >= y && right < x + w && bottom < y + h);
    }
    std::string Testo() const {
        if (Vuota()) return "nessuna";
        return "da (" + std::to_string(left) + ", " + std::to_string(top) + ") a (" +
               std::to_string(right) + ", " + std::to_string(bottom) + ")";
    }
};

inline Differenza Confronta(const QImage& a, const QImage& b) {
    Differenza d;
    if (a.size() != b.size()) {
        d.left = d.top = 0;
        d.right = d.bottom = 1 << 20;
        return d;
    }
    double dpr = a.devicePixelRatio();
    int l = a.width(), t = a.height(), r = -1, bo = -1;
    for (int y = 0; y < a.height(); ++y) {
        auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if ((pa[x] & 0xFFFFFF) == (pb[x] & 0xFFFFFF)) continue;
            l = std::min(l, x);
            r = std::max(r, x);
            t = std::min(t, y);
            bo = std::max(bo, y);
        }
    }
    if (r < 0) return d;
    d.left = PaginaDi(l, dpr);
    d.top = PaginaDi(t, dpr);
    d.right = PaginaDi(r, dpr);
    d.bottom = PaginaDi(bo, dpr);
    return d;
}

class PaginaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        c.palette = &palette;
        f.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Widget()));
        QApplication::processEvents();
        Schermo();  // the first full paint is behind us
        font = Modulo1::CercaFont("DejaVu Sans");
        ASSERT_EQ(fw::Font(font), "DejaVu Sans");
    }
    void TearDown() override { fw::testing::HoldShift(std::nullopt); }

    // A fixed text whose label fits inside its frame, drawn on the page.
    std::shared_ptr<Campo> Campo_(int x, int y, double w = 100, double h = 14,
                                  const std::string& testo = "Prova") {
        auto k = c.AggiungiCampo();
        k->tx = x;
        k->ty = y;
        k->riquadro->Width = w;
        k->riquadro->Height = h;
        k->iFont = font;
        k->dimFont = 10;
        k->testoFisso = k->etichetta = testo;
        k->DimensEtichetta();
        c.RidisegnaArea(k->tx, k->ty, k->Larghezza(), k->Altezza());
        return k;
    }

    // What the canvas shows: its widget rendered through its paint event.
    QImage Schermo() { return c.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // The page as it now stands, drawn afresh into the buffer.
    QImage Pagina() {
        c.PreparaBuffer();
        c.RidisegnaOggetti(0, 0, c.Width(), c.Height());
        return c.buffer->Image().convertToFormat(QImage::Format_RGB32);
    }

    // The screen shows the page as it now stands: the canvas's surface is the
    // page, and the window shows the surface.
    ::testing::AssertionResult SchermoAggiornato() {
        Differenza d = Confronta(Schermo(), Pagina());
        if (!d.Vuota()) {
            return ::testing::AssertionFailure() << "schermo diverso dalla pagina " << d.Testo();
        }
        QApplication::processEvents();
        std::string f = FinestraDiversaDallaTela(c.Widget());
        if (!f.empty()) return ::testing::AssertionFailure() << "finestra diversa: " << f;
        return ::testing::AssertionSuccess();
    }

    // Real mouse events on the canvas's widget; a move carries the held button.
    void Invia(QEvent::Type tipo, int x, int y, bool shift) {
        fw::testing::HoldShift(shift);
        QWidget* w = c.Widget();
        QPointF p(x, y);
        Qt::MouseButton pulsante = tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        Qt::MouseButtons tenuti =
            tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(tipo, p, w->mapToGlobal(p), pulsante, tenuti,
                      shift ? Qt::ShiftModifier : Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void Premi(int x, int y, bool shift = false) { Invia(QEvent::MouseButtonPress, x, y, shift); }
    void Trascina(int x, int y, bool shift = false) { Invia(QEvent::MouseMove, x, y, shift); }
    void Rilascia(int x, int y, bool shift = false) {
        Invia(QEvent::MouseButtonRelease, x, y, shift);
    }

    ::testing::NiceMock<PaletteFinta> palette;
    FinestraPagina f;
    DragCanvas& c = f.DragCanvas1;
    fw::Integer font = 0;
};

}  // namespace prova
