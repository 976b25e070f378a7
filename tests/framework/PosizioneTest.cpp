// Where windows go on the desktop: the floating window beside the main window
// and transient for it, the dialogs centred over the main window wherever it
// stands, and a main window shown only once it is on the screen.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "Aiuti.h"
#include "framework/Testing.h"
#include "framework/Window.h"

using namespace fw;
namespace seam = fw::testing;

namespace {

using prova::Aggiorna;

QRect Schermo() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The main window with its frame's top-left corner at (x, y) of the screen.
class Principale : public Window {
  public:
    Principale(int x, int y, int w = 400, int h = 300) : Window(0) {
        SetSize(w, h);
        Show();
        Widget()->move(Schermo().topLeft() + QPoint(x, y));
        Aggiorna();
    }
};

QPoint Centro(const QWidget* w) {
    QRect f = w->frameGeometry();
    return {f.left() + f.width() / 2, f.top() + f.height() / 2};
}

}  // namespace

TEST(Posizione, LaFinestraPrincipaleMostrataEGiaSulloSchermo) {
    Window principale(0);
    principale.SetSize(300, 200);
    principale.Show();
    EXPECT_TRUE(principale.Widget()->windowHandle()->isExposed());
}

TEST(Posizione, LaPaletteAccantoAllaFinestraPrincipaleESoloSopraDiLei) {
    // Sizes fit the smallest screen the tests see: 800 x 600 at a pixel ratio of 2.
    QRect schermo = Schermo();
    ASSERT_GE(schermo.width(), 400);
    ASSERT_GE(schermo.height(), 300);
    struct Caso {
        const char* dove;
        int x, y, larghezza;  // the main window's frame, from the screen's corner
        bool destra;          // beside its right edge, else its left
        bool bordoDestro;     // held at the screen's right edge instead
        bool bordoInferiore;  // held at the screen's bottom edge
    };
    const Caso casi[] = {
        {"room on the right", 10, 20, 200, true, false, false},
        {"room on the left only", schermo.width() - 210, 20, 200, false, false, false},
        {"room on neither side", 100, 20, schermo.width() - 160, false, true, false},
        {"too low for the palette", 10, schermo.height() - 100, 200, true, false, true},
    };
    for (const Caso& c : casi) {
        Principale principale(c.x, c.y, c.larghezza, 150);
        Window palette(3);
        palette.SetSize(100, 75);
        palette.PlaceBeside(principale, 16, 40);
        palette.Show();
        Aggiorna();
        QRect accanto = principale.Widget()->frameGeometry();
        QRect f = palette.Widget()->frameGeometry();
        if (c.bordoDestro) {
            EXPECT_EQ(f.right(), schermo.right()) << c.dove;
        } else if (c.destra) {
            EXPECT_EQ(f.left(), accanto.right() + 1 + 16) << c.dove;
        } else {
            EXPECT_EQ(f.right() + 1 + 16, accanto.left()) << c.dove;
        }
        if (c.bordoInferiore) {
            EXPECT_EQ(f.bottom(), schermo.bottom()) << c.dove;
        } else {
            EXPECT_EQ(f.top(), accanto.top() + 40) << c.dove;
        }
        // Above its main window only: transient for it, not on top of everything.
        EXPECT_EQ(palette.Widget()->windowHandle()->transientParent(),
                  principale.Widget()->windowHandle())
            << c.dove;
        EXPECT_FALSE(palette.Widget()->windowFlags() & Qt::WindowStaysOnTopHint) << c.dove;
        palette.Hide();
        principale.Hide();
    }
}

// Modal windows, a sheet and a movable one, are centred over the main window
// where it is, not over the screen; shown again, a window stays where the
// user left it.
TEST(Posizione, LeFinestreModaliCentrateSullaFinestraPrincipale) {
    Principale principale(30, 40, 500, 400);
    for (Integer frame : {1, 8}) {
        Window dialogo(frame);
        dialogo.SetSize(220, 120);
        QPoint centro, spostata;
        seam::QueueModal([&](Window& w) {
            centro = Centro(w.Widget());
            w.Widget()->move(w.Widget()->pos() + QPoint(25, 15));
            spostata = w.Widget()->pos();
            w.Hide();
        });
        if (frame == 8) {
            dialogo.ShowModalWithin(principale);
        } else {
            dialogo.ShowModal();
        }
        EXPECT_EQ(centro, Centro(principale.Widget())) << frame;
        if (frame == 1) {
            QPoint ancora;
            seam::QueueModal([&](Window& w) {
                ancora = w.Widget()->pos();
                w.Hide();
            });
            dialogo.ShowModal();
            EXPECT_EQ(ancora, spostata);
        }
    }
}
