// A peer to measure the page canvas against: the same page built the way Qt's
// own item scene does it, a QGraphicsScene shown by a QGraphicsView, with the
// same background picture, the three section lines and 1,000 fields, each a
// rectangle item with a text item inside it in the same font.
//
// Both sides are driven alike, for the move step, the band step and the full
// repaint: real mouse events sent to the widget, then the events processed, so
// that the window has been painted when a step ends. The BM_Scena benchmarks
// are the peer; the BM_Schermo ones are the page canvas measured the same way
// (the BM_Passo and BM_Ridisegno ones in DragCanvasBench.cpp measure the canvas
// alone, without the window's paint).
//
// The peer's band is Qt's own rubber band (QGraphicsView::RubberBandDrag under
// the platform's style): at each step it repaints the old and new band and
// selects the items inside it as it goes, where the page canvas selects at the
// release only.
//
// This file is measurement code and uses Qt directly; nothing of the program
// depends on it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QPen>
#include <QPixmap>
#include <QTest>
#include <vector>

#include "PaginaPiena.h"
#include "framework/Window.h"
#include "layout/DragCanvas.h"

namespace {

constexpr int kCampi = 1000;

void Invia(QWidget* w, QEvent::Type tipo, int x, int y) {
    QPointF p(x, y);
    Qt::MouseButton pulsante = tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    Qt::MouseButtons tenuti = tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(tipo, p, w->mapToGlobal(p), pulsante, tenuti, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// --- The peer ---------------------------------------------------------------

class Scena {
  public:
    Scena() {
        scena_.setSceneRect(0, 0, 600, 850);
        scena_.setBackgroundBrush(QPixmap::fromImage(banco::FiguraSfondo()));
        vista_.setFrameShape(QFrame::NoFrame);
        vista_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        vista_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        vista_.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        vista_.setCacheMode(QGraphicsView::CacheBackground);
        vista_.setDragMode(QGraphicsView::RubberBandDrag);
        // As the page's band: a field is taken when its frame lies inside.
        vista_.setRubberBandSelectionMode(Qt::ContainsItemShape);
        vista_.resize(600, 850);

        QColor rosso(0xFF, 0x44, 0x3E);
        QFont lettera;
        lettera.setPixelSize(10);
        for (int y : {100, 150, 350}) {
            scena_.addLine(0, y, 10000, y, QPen(rosso, 0));
            scena_.addRect(0, y - 14, 10, 14, QPen(rosso, 0), rosso);
            auto* t = scena_.addSimpleText(y == 100 ? "T" : y == 150 ? "D" : "P", lettera);
            t->setPos(5 - t->boundingRect().width() / 2, y - 4 - QFontMetrics(lettera).ascent());
        }

        QFont font("DejaVu Sans");
        font.setPixelSize(10);
        int ascesa = QFontMetrics(font).ascent();
        for (int i = 0; i < kCampi; ++i) {
            banco::Posto p = banco::PostoDelCampo(i, kCampi);
            auto* r = new QGraphicsRectItem(0, 0, 55, 14);
            r->setPos(p.x, p.y);
            r->setPen(QPen(Qt::black, 0));
            r->setBrush(QColor(0xFF, 0xFE, 0x95));
            r->setFlags(QGraphicsItem::ItemIsSelectable | QGraphicsItem::ItemIsMovable);
            auto* t = new QGraphicsSimpleTextItem(banco::Etichetta(i), r);
            t->setFont(font);
            t->setPos(2, 10 - ascesa);  // baseline 10 pixels below the frame's top
            scena_.addItem(r);
            voci_.push_back(r);
        }
        vista_.show();
        if (!QTest::qWaitForWindowExposed(&vista_)) pronta_ = false;
        QApplication::processEvents();
    }

    bool Pronta() const { return pronta_; }
    QWidget* Superficie() { return vista_.viewport(); }
    bool Preso(int i) const { return voci_[static_cast<std::size_t>(i)]->isSelected(); }
    bool BandaAperta() const { return !vista_.rubberBandRect().isEmpty(); }
    void RidisegnaTutto() { vista_.viewport()->update(); }

  private:
    QGraphicsScene scena_;
    QGraphicsView vista_{&scena_};
    std::vector<QGraphicsRectItem*> voci_;
    bool pronta_ = true;
};

// --- The page canvas, measured the same way ---------------------------------

class Finestra : public fw::Window {
  public:
    Finestra() : fw::Window(0) { SetSize(600, 850); }
    DragCanvas DragCanvas1{*this, "DragCanvas1", 0, 0, 600, 850};
};

class Pagina {
  public:
    Pagina() {
        banco::PreparaSfondo();
        f_.Show();
        c_.ApriFileSfondo("modulo.png");
        banco::RiempiPagina(c_, kCampi);
        if (!QTest::qWaitForWindowExposed(c_.Widget())) pronta_ = false;
        QApplication::processEvents();
        campi_ = c_.vCampi;  // the order of the page, before a press changes it
    }

    bool Pronta() const { return pronta_; }
    QWidget* Superficie() { return c_.Widget(); }
    bool Preso(int i) const { return campi_[static_cast<std::size_t>(i)]->selezionato; }
    bool BandaAperta() const { return c_.rettSelez->tx == 2 && c_.rettSelez->Width != 0; }
    void RidisegnaTutto() { c_.RidisegnaArea(0, 0, c_.Width(), c_.Height()); }

  private:
    Finestra f_;
    DragCanvas& c_ = f_.DragCanvas1;
    std::vector<std::shared_ptr<Campo>> campi_;
    bool pronta_ = true;
};

// --- The three measurements, alike for both ---------------------------------

// Grabs the field of column 0 halfway down the page and moves it back and forth
// by a pixel.
template <class Lato>
void PassoSpostamento(benchmark::State& state) {
    Lato lato;
    QWidget* w = lato.Superficie();
    int i = banco::CampoAMeta(kCampi);
    banco::Posto p = banco::PostoDelCampo(i, kCampi);
    int x = p.x + 20, y = p.y + 5, d = 1;
    Invia(w, QEvent::MouseButtonPress, x, y);
    QApplication::processEvents();
    if (!lato.Pronta() || !lato.Preso(i)) state.SkipWithError("the field was not grabbed");
    for (auto _ : state) {
        Invia(w, QEvent::MouseMove, x + d, y + d);
        QApplication::processEvents();
        d = -d;
    }
    Invia(w, QEvent::MouseButtonRelease, x, y);
    QApplication::processEvents();
}

// A band from (2, 300) to about (200, 450), its far corner going back and forth
// by a pixel.
template <class Lato>
void PassoBanda(benchmark::State& state) {
    Lato lato;
    QWidget* w = lato.Superficie();
    Invia(w, QEvent::MouseButtonPress, 2, 300);
    Invia(w, QEvent::MouseMove, 200, 450);
    QApplication::processEvents();
    if (!lato.Pronta() || !lato.BandaAperta()) state.SkipWithError("the band did not start");
    int d = 1;
    for (auto _ : state) {
        Invia(w, QEvent::MouseMove, 200 + d, 450 + d);
        QApplication::processEvents();
        d = d == 0 ? 1 : 0;
    }
    Invia(w, QEvent::MouseButtonRelease, 200, 450);
    QApplication::processEvents();
}

template <class Lato>
void RidisegnoCompleto(benchmark::State& state) {
    Lato lato;
    if (!lato.Pronta()) state.SkipWithError("the window was not shown");
    for (auto _ : state) {
        lato.RidisegnaTutto();
        QApplication::processEvents();
    }
}

void BM_ScenaPassoSpostamento(benchmark::State& s) {
    PassoSpostamento<Scena>(s);
}
void BM_SchermoPassoSpostamento(benchmark::State& s) {
    PassoSpostamento<Pagina>(s);
}
void BM_ScenaPassoBanda(benchmark::State& s) {
    PassoBanda<Scena>(s);
}
void BM_SchermoPassoBanda(benchmark::State& s) {
    PassoBanda<Pagina>(s);
}
void BM_ScenaRidisegnoCompleto(benchmark::State& s) {
    RidisegnoCompleto<Scena>(s);
}
void BM_SchermoRidisegnoCompleto(benchmark::State& s) {
    RidisegnoCompleto<Pagina>(s);
}
BENCHMARK(BM_ScenaPassoSpostamento);
BENCHMARK(BM_SchermoPassoSpostamento);
BENCHMARK(BM_ScenaPassoBanda);
BENCHMARK(BM_SchermoPassoBanda);
BENCHMARK(BM_ScenaRidisegnoCompleto)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SchermoRidisegnoCompleto)->Unit(benchmark::kMillisecond);

}  // namespace
