// The menu bar of a document window: what it shows, and which handler a
// command reaches, by real shortcut keys and by Choose.

#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

#include "Aiuti.h"
#include "framework/Application.h"
#include "framework/Menus.h"
#include "framework/Testing.h"
#include "framework/Window.h"

using namespace fw;
namespace seam = fw::testing;

namespace {

using prova::Aggiorna;

using prova::Voce;

// A small bar shaped like the program's: items with and without shortcuts,
// separators, and the three special kinds last in their menus.
class Barra : public MenuBar {
  public:
    Barra() {
        auto archivio = Voce("UntitledMenu4", "Archivio");
        archivio->AutoEnable = false;
        archivio->Append(Voce("ArchivioNuovo", "Nuovo"));
        archivio->Append(Voce("ArchivioApri", "Apri...", "Cmd+O"));
        archivio->Append(Voce("UntitledMenu7", "-"));
        archivio->Append(Voce(std::make_shared<QuitMenuItem>(), "ArchivioEsci", "Esci", "Cmd+Q"));
        Append(archivio);
        auto composizione = Voce("UntitledMenu0", "Composizione");
        auto copia = Voce("EditCopy", "Copia", "Cmd+C");
        copia->AutoEnable = false;
        composizione->Append(copia);
        composizione->Append(Voce("Sposta1PxSu", "Un pixel in su", "Cmd+8"));
        composizione->Append(
            Voce(std::make_shared<PrefsMenuItem>(), "AppPreferenze", "Preferenze..."));
        Append(composizione);
        auto spostamento = Voce("SpostamentoMenu", "Spostamento");
        spostamento->Append(
            Voce(std::make_shared<AppleMenuItem>(), "AppleInfo", "Info su Velarix..."));
        Append(spostamento);
    }
};

class MenuFinestra : public ::testing::Test {
  protected:
    MenuFinestra() {
        finestra.SetMenuBar(&barra);
        finestra.SetSize(300, 200);
        finestra.Show();
        finestra.Widget()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(finestra.Widget()));
        Aggiorna();
    }
    QMenuBar* BarraQt() { return static_cast<QMainWindow*>(finestra.Widget())->menuBar(); }
    QAction* Azione(const String& testo) {
        for (QAction* m : BarraQt()->actions()) {
            for (QAction* a : m->menu()->actions()) {
                if (a->text().toStdString() == testo) return a;
            }
        }
        return nullptr;
    }
    std::function<bool()> Conta(int& n) {
        return [&n] {
            ++n;
            return false;
        };
    }
    // A close asked by the window manager, not by the program.
    static bool Chiudi(Window& w) {
        QCloseEvent chiudi;
        QSpontaneKeyEvent::setSpontaneous(&chiudi);
        qApp->notify(w.Widget(), &chiudi);
        return chiudi.isAccepted();
    }
    void Premi(Qt::Key tasto, QWidget* dove = nullptr) {
        QTest::keyClick(dove ? dove : finestra.Widget(), tasto, Qt::ControlModifier);
        Aggiorna();
    }

    Barra barra;  // outlives the window that shows it
    Window finestra{0};
};

}  // namespace

TEST_F(MenuFinestra, LaBarraMostraTitoliVociSeparatoriRuoliEScorciatoie) {
    EXPECT_EQ(finestra.GetMenuBar(), &barra);
    QList<QAction*> titoli = BarraQt()->actions();
    ASSERT_EQ(titoli.size(), 3);
    EXPECT_EQ(titoli[0]->text(), "Archivio");
    EXPECT_EQ(titoli[2]->text(), "Spostamento");
    for (QAction* t : titoli) EXPECT_TRUE(t->isEnabled());  // titles stay enabled

    QList<QAction*> archivio = titoli[0]->menu()->actions();
    ASSERT_EQ(archivio.size(), 4);
    EXPECT_TRUE(archivio[2]->isSeparator());
    struct Caso {
        const char* testo;
        QKeySequence tasto;
        QAction::MenuRole ruolo;
    };
    const Caso casi[] = {
        {"Nuovo", QKeySequence(), QAction::NoRole},
        {"Apri...", QKeySequence(Qt::CTRL | Qt::Key_O), QAction::NoRole},
        {"Esci", QKeySequence(Qt::CTRL | Qt::Key_Q), QAction::QuitRole},
        {"Un pixel in su", QKeySequence(Qt::CTRL | Qt::Key_8), QAction::NoRole},
        {"Preferenze...", QKeySequence(), QAction::PreferencesRole},
        {"Info su Velarix...", QKeySequence(), QAction::AboutRole},
    };
    for (const Caso& c : casi) {
        QAction* a = Azione(c.testo);
        ASSERT_NE(a, nullptr) << c.testo;
        EXPECT_EQ(a->shortcut(), c.tasto) << c.testo;
        EXPECT_EQ(a->menuRole(), c.ruolo) << c.testo;
    }
    // Only the quit item works without a handler.
    EXPECT_TRUE(Azione("Esci")->isEnabled());
    EXPECT_FALSE(Azione("Apri...")->isEnabled());

    EXPECT_EQ(barra.Child("UntitledMenu0"), barra.Item(1));
    EXPECT_EQ(barra.Child("ArchivioApri"), nullptr);  // a child, not a grandchild
    EXPECT_EQ(FindMenuItem(barra, "AppleInfo"), barra.Item(2)->Item(0));
    EXPECT_EQ(FindMenuItem(barra, "appleinfo"), nullptr);
    EXPECT_EQ(barra.Item(3), nullptr);
}

// The content keeps the size it was given; the frame grows by the bar.
TEST_F(MenuFinestra, LaBarraNonTogliePostoAlContenuto) {
    EXPECT_EQ(finestra.Width(), 300);
    EXPECT_EQ(finestra.Height(), 200);
    EXPECT_GT(finestra.Widget()->height(), 200);
}

TEST_F(MenuFinestra, LaScorciatoiaRaggiungeIlGestoreDellaFinestraPoiQuelloDellApplicazione) {
    Application app;
    int finestraApri = 0, appApri = 0, appInfo = 0;
    Premi(Qt::Key_O);  // nothing bound yet
    EXPECT_FALSE(FindMenuItem(barra, "ArchivioApri")->Enabled());

    app.AddMenuHandler("ArchivioApri", Conta(appApri));
    app.AddMenuHandler("AppleInfo", Conta(appInfo));
    EXPECT_TRUE(Azione("Apri...")->isEnabled());
    Premi(Qt::Key_O);
    EXPECT_EQ(appApri, 1);

    finestra.AddMenuHandler("ArchivioApri", Conta(finestraApri));
    Premi(Qt::Key_O);
    EXPECT_EQ(finestraApri, 1);
    EXPECT_EQ(appApri, 1);

    // Chosen as from the menu: the application's handler where the window has none.
    EXPECT_TRUE(FindMenuItem(barra, "AppleInfo")->Choose());
    EXPECT_EQ(appInfo, 1);
    EXPECT_TRUE(FindMenuItem(barra, "ArchivioApri")->Choose());
    EXPECT_EQ(finestraApri, 2);
}

TEST_F(MenuFinestra, UnaVoceSenzaGestoreENonFaNulla) {
    Application app;
    int copie = 0;
    EXPECT_FALSE(Azione("Copia")->isEnabled());
    EXPECT_FALSE(FindMenuItem(barra, "EditCopy")->Choose());
    EXPECT_FALSE(FindMenuItem(barra, "UntitledMenu7")->Enabled());  // a separator

    // A handler bound on another window that is neither in front nor a document
    // window is not reachable.
    Window altra(1);
    altra.AddMenuHandler("EditCopy", Conta(copie));
    Premi(Qt::Key_C);
    EXPECT_FALSE(Azione("Copia")->isEnabled());
    EXPECT_EQ(copie, 0);

    app.AddMenuHandler("EditCopy", Conta(copie));
    EXPECT_TRUE(Azione("Copia")->isEnabled());
    Premi(Qt::Key_C);
    EXPECT_EQ(copie, 1);
    app.AddMenuHandler("EditCopy", nullptr);  // unbound: disabled again
    EXPECT_FALSE(Azione("Copia")->isEnabled());
    Premi(Qt::Key_C);
    EXPECT_EQ(copie, 1);
}

// From the palette (a floating window) the commands reach the document window.
TEST_F(MenuFinestra, LeScorciatoieFunzionanoAncheConLaPaletteDavanti) {
    int su = 0;
    finestra.AddMenuHandler("Sposta1PxSu", Conta(su));
    Window palette(3);
    palette.SetSize(100, 100);
    palette.Show();
    palette.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(palette.Widget()));
    Premi(Qt::Key_8, palette.Widget());
    EXPECT_EQ(su, 1);
    EXPECT_TRUE(FindMenuItem(barra, "Sposta1PxSu")->Choose());
    EXPECT_EQ(su, 2);
}

// While a modal window is up the menu bar's shortcuts do nothing.
TEST_F(MenuFinestra, NessunaScorciatoiaMentreUnaFinestraModaleEAperta) {
    int apri = 0;
    finestra.AddMenuHandler("ArchivioApri", Conta(apri));
    Window dialogo(1);
    dialogo.SetSize(200, 100);
    seam::QueueModal([&](Window& m) {
        Premi(Qt::Key_O, m.Widget());
        Premi(Qt::Key_O);
        m.Close();
    });
    dialogo.ShowModal();
    EXPECT_EQ(apri, 0);
    finestra.Widget()->activateWindow();  // as the platform does once the dialog is gone
    ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.Widget()));
    Premi(Qt::Key_O);
    EXPECT_EQ(apri, 1);
}

TEST_F(MenuFinestra, EsciSenzaGestoreChiudeLeFinestreEChiudeIlProgramma) {
    Premi(Qt::Key_Q);
    EXPECT_EQ(seam::QuitCode(), 0);
    EXPECT_FALSE(finestra.Visible());
}

// Without a close box the window manager may still offer a close (a button of
// its own, Alt+F4): on a document window that is the quit command, run as if
// chosen from the menu once the close event is over, once however often asked.
TEST_F(MenuFinestra, LaChiusuraDelGestoreDelleFinestreEIlComandoEsci) {
    finestra.SetCloseButton(false);
    int esci = 0;
    finestra.AddMenuHandler("ArchivioEsci", Conta(esci));
    EXPECT_FALSE(Chiudi(finestra));
    EXPECT_FALSE(Chiudi(finestra));
    EXPECT_EQ(esci, 0);
    Aggiorna();
    EXPECT_EQ(esci, 1);
    EXPECT_TRUE(finestra.Visible());

    // The palette closes with nothing: it has no quit of its own to run.
    Window palette(3);
    palette.SetCloseButton(false);
    palette.Show();
    EXPECT_FALSE(Chiudi(palette));
    Aggiorna();
    EXPECT_EQ(esci, 1);
    EXPECT_TRUE(palette.Visible());

    // Nothing bound to the item: the framework's quit, which asks every window.
    finestra.AddMenuHandler("ArchivioEsci", nullptr);
    EXPECT_FALSE(Chiudi(finestra));
    Aggiorna();
    EXPECT_EQ(seam::QuitCode(), 0);
    EXPECT_FALSE(finestra.Visible());
}
