// What the user types into a box reaches the program before anything else the
// user does: a press anywhere (in another window too), a menu command by click
// or shortcut, a close or quit. The box's LostFocus comes first, and once.

#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Aiuti.h"
#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Menus.h"
#include "framework/Testing.h"
#include "framework/Window.h"

using namespace fw;

namespace {

using prova::Aggiorna;

using prova::Voce;

class Barra : public MenuBar {
  public:
    Barra() {
        auto archivio = Voce(std::make_shared<MenuItem>(), "UntitledMenu4", "Archivio");
        archivio->Append(
            Voce(std::make_shared<MenuItem>(), "ArchivioRegistra", "Registra", "Cmd+S"));
        archivio->Append(Voce(std::make_shared<QuitMenuItem>(), "ArchivioEsci", "Esci", "Cmd+Q"));
        Append(archivio);
    }
};

class Principale : public Window {
  public:
    explicit Principale(std::vector<String>& diario) : Window(0), diario_(diario) {}
    bool CancelClose() override {
        diario_.push_back("CancelClose");
        return true;
    }

  private:
    std::vector<String>& diario_;
};

// A main window with a page and a menu bar, and a floating window with two
// boxes and a toggle, as the program has them. Every event goes into diario.
class ModificaInSospeso : public ::testing::Test {
  public:
    ModificaInSospeso() {
        principale.SetMenuBar(&barra);
        principale.SetSize(300, 200);
        principale.AddMenuHandler("ArchivioRegistra", [this] {
            diario.push_back("Registra");
            return false;
        });
        pagina.onMouseDown = [this](Integer, Integer) {
            diario.push_back("MouseDown");
            // As the page does: a new selection's values go into the box.
            x.SetText("7");
            return false;
        };
        tavolozza.SetSize(200, 100);
        x.onLostFocus = [this] { diario.push_back("LostFocus " + x.Text()); };
        grassetto.SetButtonType(1);
        grassetto.onAction = [this] { diario.push_back("Action"); };
        principale.Show();
        tavolozza.Show();
        Attiva(tavolozza);
        x.SetFocus();
        Aggiorna();
    }
    ~ModificaInSospeso() override { principale.SetMenuBar(nullptr); }

    static void Attiva(Window& w) {
        w.Widget()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.Widget()));
        Aggiorna();
    }
    void Scrivi(const char* testo) {
        auto* w = static_cast<QLineEdit*>(x.Widget());
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w, testo);
    }
    static void Clic(Control& c) {
        QTest::mouseClick(c.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        Aggiorna();
    }
    // The keyboard goes to the main window, as the window manager does after a
    // press there: the box loses the focus for real.
    void LaTastieraVaAllaPagina() {
        Attiva(principale);
        pagina.Widget()->setFocus();
        Aggiorna();
    }

    std::vector<String> diario;
    Barra barra;
    Principale principale{diario};
    Canvas pagina{principale, "pagina", 0, 0, 300, 200};
    Window tavolozza{3};
    EditField x{tavolozza, "efX", 10, 10, 60, 20};
    EditField y{tavolozza, "efY", 10, 40, 60, 20};
    BevelButton grassetto{tavolozza, "bbGrassetto", 100, 10, 18, 18};
};

using V = std::vector<String>;

}  // namespace

// Each act comes after the LostFocus of what was typed, and the box losing the
// keyboard afterwards does not raise it again: by then the box may hold what
// the act put there, which is not the user's.
TEST_F(ModificaInSospeso, IlTestoScrittoArrivaPrimaDiOgniAltraAzione) {
    struct Caso {
        const char* nome;
        std::function<void(ModificaInSospeso&)> agisci;
        V atteso;
    };
    const Caso casi[] = {
        {"a press on the page, in the other window",
         [](ModificaInSospeso& t) { Clic(t.pagina); },
         {"LostFocus 250", "MouseDown"}},
        {"a press on a toggle that takes no focus",
         [](ModificaInSospeso& t) { Clic(t.grassetto); },
         {"LostFocus 250", "Action"}},
        {"the menu command's shortcut",
         [](ModificaInSospeso& t) {
             QTest::keyClick(t.x.Widget(), Qt::Key_S, Qt::ControlModifier);
             Aggiorna();
         },
         {"LostFocus 250", "Registra"}},
        {"the menu command chosen",
         [](ModificaInSospeso& t) { FindMenuItem(t.barra, "ArchivioRegistra")->Choose(); },
         {"LostFocus 250", "Registra"}},
        {"a close asked by the window manager",
         [](ModificaInSospeso& t) {
             t.principale.SetCloseButton(true);
             QCloseEvent chiudi;
             QSpontaneKeyEvent::setSpontaneous(&chiudi);
             qApp->notify(t.principale.Widget(), &chiudi);
         },
         {"LostFocus 250", "CancelClose"}},
        {"the quit command",
         [](ModificaInSospeso&) { QuitApplication(); },
         {"LostFocus 250", "CancelClose"}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Attiva(tavolozza);
        x.SetFocus();
        Aggiorna();
        diario.clear();
        Scrivi("250");
        c.agisci(*this);
        EXPECT_EQ(diario, c.atteso);
        LaTastieraVaAllaPagina();
        EXPECT_EQ(diario, c.atteso);
    }
}

// Typing after the act is a new edit: the box's next loss of the keyboard
// raises LostFocus for it, as usual.
TEST_F(ModificaInSospeso, UnaNuovaModificaDopoLAzioneArrivaAncora) {
    Scrivi("31");
    QTest::keyClick(x.Widget(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClicks(x.Widget(), "5");
    QTest::keyClick(x.Widget(), Qt::Key_Tab);
    Aggiorna();
    EXPECT_TRUE(y.Widget()->hasFocus());
    EXPECT_EQ(diario, (V{"LostFocus 31", "Registra", "LostFocus 315"}));
}

// Nothing is pending without a user's edit: a text set in code, or a press in
// the box itself, hands nothing on early; the box leaving the keyboard raises
// LostFocus as it always does.
TEST_F(ModificaInSospeso, SenzaModificheDellUtenteNienteInAnticipo) {
    x.SetText("12");
    Clic(pagina);
    EXPECT_EQ(diario, (V{"MouseDown"}));
    Attiva(tavolozza);
    x.SetFocus();
    Scrivi("4");
    Clic(x);
    EXPECT_EQ(diario, (V{"MouseDown"}));
    QTest::keyClick(x.Widget(), Qt::Key_Tab);
    EXPECT_EQ(diario, (V{"MouseDown", "LostFocus 4"}));
}
