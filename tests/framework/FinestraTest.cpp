// Windows, edit fields and the implicit window instances, driven by real key
// events and real closes.

#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <string>
#include <vector>

#include "Aiuti.h"
#include "framework/Controls.h"
#include "framework/Text.h"
#include "framework/Window.h"

using namespace fw;

namespace {

using prova::Aggiorna;

class Campi : public ::testing::Test {
  protected:
    Campi() {
        finestra.SetSize(300, 200);
        primo = std::make_unique<EditField>(finestra, "efPrimo", 10, 10, 100, 20);
        secondo = std::make_unique<EditField>(finestra, "efSecondo", 10, 40, 100, 20);
        primo->onKeyDown = [this](const String& k) {
            tasti.push_back(k);
            return k == ingoia;
        };
        primo->onTextChange = [this] { ++cambi; };
        primo->onLostFocus = [this] { ++persi; };
        finestra.Show();
        finestra.Widget()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(finestra.Widget()));
        primo->SetFocus();
        Aggiorna();
    }
    ~Campi() override {
        primo.reset();
        secondo.reset();
    }

    Window finestra{0};
    std::unique_ptr<EditField> primo, secondo;
    std::vector<String> tasti;
    String ingoia = "x";
    int cambi = 0, persi = 0;
};

}  // namespace

TEST_F(Campi, KeyDownRiceveIlTastoComeUnCarattere) {
    struct Caso {
        Qt::Key tasto;
        Qt::KeyboardModifiers mod;
        String atteso;
    };
    const Caso casi[] = {
        {Qt::Key_Left, {}, Chr(28)},
        {Qt::Key_Right, {}, Chr(29)},
        {Qt::Key_Up, {}, Chr(30)},
        {Qt::Key_Down, {}, Chr(31)},
        {Qt::Key_Backspace, {}, Chr(8)},
        {Qt::Key_Return, {}, Chr(13)},
        {Qt::Key_Enter, Qt::KeypadModifier, Chr(3)},
        {Qt::Key_Escape, {}, Chr(27)},
        {Qt::Key_Delete, {}, Chr(127)},
        {Qt::Key_A, {}, "a"},
        {Qt::Key_5, {}, "5"},
    };
    for (const Caso& c : casi) {
        tasti.clear();
        QTest::keyClick(primo->Widget(), c.tasto, c.mod);
        ASSERT_EQ(tasti.size(), 1u) << c.atteso;
        EXPECT_EQ(tasti[0], c.atteso);
    }
    tasti.clear();
    QTest::keyClicks(primo->Widget(), "A");
    EXPECT_EQ(tasti, std::vector<String>{"A"});
    tasti.clear();
    QTest::sendKeyEvent(QTest::Click, primo->Widget(), Qt::Key_unknown, QString::fromUtf8("€"),
                        Qt::NoModifier);
    EXPECT_EQ(tasti, std::vector<String>{"€"});
    EXPECT_NE(primo->Text().find("€"), String::npos);
}

TEST_F(Campi, TrueIngoiaIlTasto) {
    QTest::keyClicks(primo->Widget(), "axb");
    EXPECT_EQ(primo->Text(), "ab");
    EXPECT_EQ(cambi, 2);
    EXPECT_EQ(tasti, (std::vector<String>{"a", "x", "b"}));
    ingoia = Chr(8);
    QTest::keyClick(primo->Widget(), Qt::Key_Backspace);
    EXPECT_EQ(primo->Text(), "ab");
}

TEST_F(Campi, TabNonIngoiatoPassaAlControlloSeguenteEPerdeIlFuoco) {
    ingoia = Chr(9);
    QTest::keyClick(primo->Widget(), Qt::Key_Tab);
    Aggiorna();
    EXPECT_TRUE(primo->Widget()->hasFocus());
    EXPECT_EQ(persi, 0);

    ingoia = "";
    QTest::keyClick(primo->Widget(), Qt::Key_Tab);
    Aggiorna();
    EXPECT_TRUE(secondo->Widget()->hasFocus());
    EXPECT_EQ(persi, 1);
    EXPECT_EQ(tasti, (std::vector<String>{Chr(9), Chr(9)}));
}

TEST_F(Campi, SetTextInCodiceSollevaTextChangeAncheSeUguale) {
    primo->SetText("12");
    EXPECT_EQ(cambi, 1);
    EXPECT_EQ(primo->Text(), "12");
    primo->SetText("12");
    EXPECT_EQ(cambi, 2);
    primo->SetText("Più € così");
    EXPECT_EQ(primo->Text(), "Più € così");
    primo->SetText("");
    EXPECT_EQ(cambi, 4);
    EXPECT_TRUE(tasti.empty());
}

namespace {

class FinestraProva : public Window {
  public:
    explicit FinestraProva(Integer frame = 0) : Window(frame) {}
    bool rifiuta = false;
    int chiusure = 0;
    std::vector<std::string> resized;
    Control* seguito = nullptr;

    int chiesta = 0;
    bool CancelClose() override {
        ++chiesta;
        return rifiuta;
    }
    void Resized() override {
        std::string r = std::to_string(Width()) + "x" + std::to_string(Height());
        if (seguito) r += " @" + std::to_string(seguito->Left());
        resized.push_back(r);
    }
};

}  // namespace

TEST(Finestra, CorniciEAreaDelContenuto) {
    for (Integer frame : {0, 1, 3, 8}) {
        FinestraProva f(frame);
        if (frame == 0) static_cast<QMainWindow*>(f.Widget())->menuBar()->addMenu("File");
        f.SetSize(320, 240);
        EXPECT_EQ(f.Width(), 320) << frame;
        EXPECT_EQ(f.Height(), 240) << frame;
        f.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Widget())) << frame;
        Aggiorna();
        EXPECT_EQ(f.Frame(), frame);
        EXPECT_EQ(f.Width(), 320) << frame;
        EXPECT_EQ(f.Height(), 240) << frame;
        EXPECT_EQ(f.Widget()->isModal(), frame == 1 || frame == 8) << frame;
        EXPECT_EQ(f.Widget()->windowType() == Qt::Tool, frame == 3) << frame;
        f.SetSize(400, 300);
        Aggiorna();
        EXPECT_EQ(f.Width(), 400) << frame;
        EXPECT_EQ(f.Height(), 300) << frame;
        f.Hide();
    }
}

// Controls sit at absolute content coordinates, may start left of or above the
// window and be larger than it; the locks move them before Resized is raised.
TEST(Finestra, ControlliAssolutiEBlocchiPrimaDiResized) {
    FinestraProva f(0);
    f.SetSize(400, 300);
    Canvas fisso(f, "fisso", -10, -5, 900, 800);
    Canvas destra(f, "destra", 300, 10, 50, 20);
    Canvas largo(f, "largo", 10, 200, 380, 40);
    Canvas basso(f, "basso", 10, 250, 30, 30);
    destra.LockLeft = false;
    destra.LockRight = true;
    largo.LockRight = true;
    largo.LockBottom = true;
    basso.LockTop = false;
    basso.LockBottom = true;
    f.seguito = &destra;
    EXPECT_EQ(fisso.Widget()->geometry(), QRect(-10, -5, 900, 800));
    EXPECT_EQ(fisso.Widget()->parentWidget(), f.Content());

    f.SetSize(420, 330);  // before the window is shown: no Resized before Open
    EXPECT_EQ(destra.Widget()->geometry(), QRect(320, 10, 50, 20));
    EXPECT_EQ(largo.Widget()->geometry(), QRect(10, 200, 400, 70));
    EXPECT_EQ(basso.Widget()->geometry(), QRect(10, 280, 30, 30));
    EXPECT_EQ(fisso.Widget()->geometry(), QRect(-10, -5, 900, 800));
    EXPECT_TRUE(f.resized.empty());

    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Widget()));
    Aggiorna();
    EXPECT_TRUE(f.resized.empty());  // showing at the size set is no resize
    f.SetSize(420, 330);
    EXPECT_TRUE(f.resized.empty());
    // As the user drags the window's corner.
    f.Widget()->resize(f.Widget()->width() - 100, f.Widget()->height() + 10);
    Aggiorna();
    EXPECT_EQ(destra.Left(), 220);
    EXPECT_EQ(largo.Width(), 300);
    EXPECT_EQ(largo.Height(), 80);
    EXPECT_EQ(basso.Top(), 290);
    EXPECT_EQ(f.resized.back(), "320x340 @220");
    // Shrunk past a control: its size stops at 0.
    f.SetSize(0, 0);
    EXPECT_EQ(largo.Width(), 0);
    EXPECT_EQ(largo.Height(), 0);
    f.Hide();
}

// The limits are on the content area, below the menu bar, whether the size comes
// from code or from the user dragging the frame.
TEST(Finestra, LimitiDelContenutoEDimensioneFissa) {
    FinestraProva f(0);
    static_cast<QMainWindow*>(f.Widget())->menuBar()->addMenu("File");
    f.SetMinimumSize(64, 64);
    f.SetMaximumSize(2000, 2000);
    f.SetSize(10, 5000);
    EXPECT_EQ(f.Width(), 64);
    EXPECT_EQ(f.Height(), 2000);
    f.SetSize(584, 612);
    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Widget()));
    Aggiorna();
    EXPECT_EQ(f.Width(), 584);
    EXPECT_EQ(f.Height(), 612);
    f.Widget()->resize(3000, 3000);
    Aggiorna();
    EXPECT_EQ(f.Width(), 2000);
    EXPECT_EQ(f.Height(), 2000);
    EXPECT_EQ(f.Widget()->width(), 2000);  // the frame stops there too
    f.Widget()->resize(10, 10);
    Aggiorna();
    EXPECT_EQ(f.Width(), 64);
    EXPECT_EQ(f.Height(), 64);

    f.SetSize(300, 200);
    f.SetResizeable(false);
    f.Widget()->resize(500, 500);
    Aggiorna();
    EXPECT_EQ(f.Width(), 300);
    EXPECT_EQ(f.Height(), 200);
    EXPECT_EQ(f.Widget()->minimumSize(), f.Widget()->maximumSize());
    f.SetSize(320, 210);  // code still sets the size
    Aggiorna();
    EXPECT_EQ(f.Width(), 320);
    EXPECT_EQ(f.Height(), 210);
    f.Hide();
}

TEST(Finestra, PulsantiDelTitolo) {
    FinestraProva principale(0);
    principale.SetCloseButton(false);
    principale.SetMinimizeButton(false);
    principale.SetMaximizeButton(false);
    Qt::WindowFlags flags = principale.Widget()->windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(principale.Widget()->windowType(), Qt::Window);

    FinestraProva foglio(8);
    Qt::WindowFlags prima = foglio.Widget()->windowFlags();
    foglio.SetCloseButton(true);
    foglio.SetMinimizeButton(true);
    foglio.SetMaximizeButton(true);
    EXPECT_EQ(foglio.Widget()->windowFlags(), prima);

    // Without a close box the window system cannot close it (what it asks for
    // instead is the quit command, in MenuTest); the program can.
    principale.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(principale.Widget()));
    principale.rifiuta = true;
    QCloseEvent chiudi;
    QSpontaneKeyEvent::setSpontaneous(&chiudi);
    qApp->notify(principale.Widget(), &chiudi);  // as QTest does: sendEvent would clear the flag
    EXPECT_FALSE(chiudi.isAccepted());
    EXPECT_EQ(principale.chiesta, 0);  // not asked inside the close event
    Aggiorna();
    EXPECT_EQ(principale.chiesta, 1);  // by the quit, which it refused
    EXPECT_TRUE(principale.Visible());
    principale.rifiuta = false;
    EXPECT_TRUE(principale.Close());
}

TEST(Finestra, CancelCloseTieneAperta) {
    FinestraProva f(3);
    int chiusa = 0;
    f.onClosed = [&] { ++chiusa; };
    f.Show();
    Aggiorna();
    f.rifiuta = true;
    EXPECT_FALSE(f.Close());
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(chiusa, 0);
    f.rifiuta = false;
    EXPECT_TRUE(f.Close());
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(chiusa, 1);
}

TEST(Finestra, ControlNamedPerNomeEIndice) {
    FinestraProva f(0);
    Canvas a(f, "DragCanvas1", 0, 0, 10, 10);
    EditField e0(f, "efX", 0, 0, 10, 10);
    struct Membro : Control {
        Membro(Window& w, Integer i) : Control(w, "pmCampi", 0, 0, 10, 10, i) {}
    };
    Membro m0(f, 0), m1(f, 1);
    EXPECT_EQ(f.ControlNamed("DragCanvas1"), &a);
    EXPECT_EQ(f.ControlNamed("efX"), &e0);
    EXPECT_EQ(f.ControlNamed("pmCampi", 1), &m1);
    EXPECT_EQ(f.ControlNamed("pmCampi", 0), &m0);
    EXPECT_EQ(f.ControlNamed("pmCampi", 2), nullptr);
    EXPECT_EQ(f.ControlNamed("dragcanvas1"), nullptr);
    EXPECT_EQ(f.ControlNamed(""), nullptr);
}

namespace {

class wProva : public Window {
  public:
    wProva() : Window(3) { ++vive; }
    ~wProva() override { --vive; }
    static inline int vive = 0;
    int dopo = 0;
    // Closes itself from its own handler and goes on using itself.
    void ChiudiDaSola() {
        Close();
        dopo = 1;
    }
};

}  // namespace

TEST(Finestra, IstanzaImplicitaCreataAlPrimoUsoELasciataAllaChiusura) {
    EXPECT_FALSE(ImplicitExists<wProva>());
    wProva& a = Implicit<wProva>();
    EXPECT_TRUE(ImplicitExists<wProva>());
    EXPECT_EQ(&Implicit<wProva>(), &a);
    EXPECT_EQ(wProva::vive, 1);
    a.Show();
    Aggiorna();

    a.ChiudiDaSola();  // would be a use after free if deleted at once
    EXPECT_EQ(a.dopo, 1);
    EXPECT_FALSE(ImplicitExists<wProva>());
    EXPECT_EQ(wProva::vive, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(wProva::vive, 0);

    wProva& b = Implicit<wProva>();  // a fresh one
    EXPECT_EQ(wProva::vive, 1);
    EXPECT_FALSE(b.Visible());
    EXPECT_TRUE(b.Close());  // closing one never shown drops it too
    EXPECT_FALSE(ImplicitExists<wProva>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(wProva::vive, 0);
}
