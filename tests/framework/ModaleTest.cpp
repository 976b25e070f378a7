// Modal windows: ShowModal and ShowModalWithin return once the window has closed;
// under test the queued act works the window, and a window nobody expected is
// reported and closed rather than left waiting.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "Aiuti.h"
#include "framework/Testing.h"
#include "framework/Window.h"

using namespace fw;
namespace seam = fw::testing;

namespace {

using prova::Aggiorna;

// Swaps the suite's handler for unexpected windows, to watch it being called.
class GestoreInatteso {
  public:
    GestoreInatteso() {
        seam::Enable([this](const String& what) { chiamate.push_back(what); });
    }
    ~GestoreInatteso() {
        seam::Enable([](const String& what) { ADD_FAILURE() << what; });
    }
    std::vector<String> chiamate;
};

class Principale : public Window {
  public:
    Principale() : Window(0) {
        SetSize(400, 300);
        Show();
    }
};

// Shaped like the program's dialogs: an implicit instance that closes itself
// from its own handler and is read after it has closed.
class wScelta : public Window {
  public:
    wScelta() : Window(8) {
        SetTitle("Nuovo/Apri");
        SetSize(420, 162);
        ++vive;
    }
    ~wScelta() override { --vive; }
    static inline int vive = 0;
    bool ok = false;
    bool rifiuta = false;
    bool CancelClose() override { return rifiuta; }
    bool Mostra(Window& sopra) {
        ShowModalWithin(sopra);
        return ok;
    }
};

}  // namespace

TEST(Modale, ShowModalTornaQuandoLaFinestraSiChiude) {
    Principale principale;
    Window dialogo(1);
    dialogo.SetSize(200, 100);
    bool visto = false;
    seam::QueueModal([&](Window& m) {
        visto = true;
        EXPECT_EQ(&m, &dialogo);
        EXPECT_TRUE(m.Visible());
        EXPECT_EQ(QApplication::activeModalWidget(), m.Widget());
        EXPECT_EQ(m.Widget()->windowModality(), Qt::ApplicationModal);
        QTest::keyClick(m.Widget(), Qt::Key_Escape);  // closes as the user does
    });
    dialogo.ShowModal();
    EXPECT_TRUE(visto);
    EXPECT_FALSE(dialogo.Visible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(Modale, ShowModalWithinFaUnFoglioSopraLaFinestraELoLasciaDopo) {
    Principale principale;
    wScelta& scelta = Implicit<wScelta>();
    seam::QueueModal([&](Window& m) {
        EXPECT_EQ(m.Widget()->windowModality(), Qt::WindowModal);
        EXPECT_EQ(m.Widget()->parentWidget(), principale.Widget());
        EXPECT_TRUE(m.Widget()->isWindow());
        static_cast<wScelta&>(m).ok = true;
        m.Close();
    });
    EXPECT_TRUE(scelta.Mostra(principale));  // read after it closed: not yet deleted
    EXPECT_FALSE(ImplicitExists<wScelta>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(wScelta::vive, 0);  // the parent no longer owns it

    // A fresh instance each time.
    seam::QueueModal([](Window& m) { QTest::keyClick(m.Widget(), Qt::Key_Escape); });
    EXPECT_FALSE(Implicit<wScelta>().Mostra(principale));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(wScelta::vive, 0);
}

TEST(Modale, UnaFinestraModaleInattesaORimastaApertaESegnalataEChiusa) {
    Principale principale;
    {
        GestoreInatteso inatteso;
        Window dialogo(1);
        dialogo.SetTitle("Preferenze");
        dialogo.ShowModal();  // nothing queued
        ASSERT_EQ(inatteso.chiamate.size(), 1u);
        EXPECT_NE(inatteso.chiamate[0].find("\"Preferenze\""), String::npos);
        EXPECT_FALSE(dialogo.Visible());
    }
    {
        GestoreInatteso inatteso;
        wScelta& scelta = Implicit<wScelta>();
        scelta.rifiuta = true;  // even a window that refuses to close lets the test go on
        seam::QueueModal([](Window&) {});
        scelta.Mostra(principale);
        ASSERT_EQ(inatteso.chiamate.size(), 1u);
        EXPECT_NE(inatteso.chiamate[0].find("left open"), String::npos);
        EXPECT_FALSE(scelta.Visible());
        scelta.rifiuta = false;
        scelta.Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Aggiorna();
    EXPECT_EQ(wScelta::vive, 0);
}

// A modal window hidden by its own code ends the modal loop too.
TEST(Modale, NascostaTornaAncheLei) {
    Window dialogo(1);
    seam::QueueModal([](Window& m) { m.Hide(); });
    dialogo.ShowModal();
    EXPECT_FALSE(dialogo.Visible());
    seam::QueueModal([](Window& m) { m.Close(); });
    dialogo.ShowModal();  // and may be shown again
    EXPECT_EQ(seam::PendingAnswers(), 0u);
}
