#include <QKeySequence>

#include "Principale.h"
#include "document/App.h"
#include "document/Menu.h"
#include "framework/Application.h"
#include "framework/Menus.h"

namespace {

namespace seam = fw::testing;
using prova::Principale;
using B = seam::Answer::Button;

std::string Riga(const fw::MenuItem& m) {
    const char* tipi[] = {"", " quit", " prefs", " about"};
    return m.Name + "|" + m.Text + "|" + m.KeyboardShortcut + "|" + (m.AutoEnable ? "AE" : "-") +
           tipi[static_cast<int>(m.ItemKind())];
}

TEST(Menu, QuattroMenuETrentaVoci) {
    EXPECT_EQ(&::Menu(), &::Menu());
    const std::vector<std::vector<std::string>> attesi = {
        {"UntitledMenu4|Archivio||-", "ArchivioNuovo|Nuovo||AE", "ArchivioApri|Apri...|Cmd+O|AE",
         "UntitledMenu7|-||AE", "ArchivioImportaModulo|Importa modulo grafico...||AE",
         "UntitledMenu6|-||AE", "ArchivioRegistra|Registra|Cmd+S|AE", "UntitledMenu5|-||AE",
         "ArchivioEsci|Esci|Cmd+Q|AE quit"},
        {"UntitledMenu0|Composizione||-", "EditUndo|Annulla|Cmd+Z|-", "UntitledMenu3|-||-",
         "EditCut|Taglia|Cmd+X|-", "EditCopy|Copia|Cmd+C|-", "EditPaste|Incolla|Cmd+V|-",
         "EditClear|Cancella||-", "EditSelezionaTutto|Seleziona tutto|Cmd+A|AE",
         "UntitledMenu2|-||AE", "EditAggiungi|Aggiungi|Cmd+N|AE", "EditDuplica|Duplica|Cmd+D|AE",
         "EditElimina|Elimina|Cmd+E|AE", "UntitledMenu1|-||AE",
         "AppPreferenze|Preferenze...||AE prefs"},
        {"AllineamentoMenu|Allineamento||-", "AllineamSinistra|Sinistra|Cmd+L|AE",
         "AllineamDestra|Destra|Cmd+R|AE", "AllineamSuper|Superiore|Cmd+T|AE",
         "AllineamInfer|Inferiore|Cmd+B|AE"},
        {"SpostamentoMenu|Spostamento||AE", "Sposta1PxSu|Un pixel in su|Cmd+8|AE",
         "Sposta1PxGiu|Un pixel in giù|Cmd+2|AE", "Sposta1PxSx|Un pixel a sinistra|Cmd+4|AE",
         "Sposta1PxDx|Un pixel a destra|Cmd+6|AE", "AppleInfo|Info su Velarix...||AE about"},
    };
    const fw::MenuBar& barra = ::Menu();
    ASSERT_EQ(barra.Count(), 4);
    int voci = 0;
    for (int m = 0; m < 4; ++m) {
        const fw::MenuItem& titolo = *barra.Item(m);
        std::vector<std::string> trovati{Riga(titolo)};
        for (int i = 0; i < titolo.Count(); ++i) trovati.push_back(Riga(*titolo.Item(i)));
        EXPECT_EQ(trovati, attesi[static_cast<std::size_t>(m)]);
        voci += titolo.Count();
    }
    EXPECT_EQ(voci, 30);
}

// The main window of a running program: the application object with its two
// handlers, a layout of three fields, shown and active.
class Scorciatoie : public prova::Principale {
  protected:
    void SetUp() override {
        Principale::SetUp();
        app.Collega();
        app.pref = std::make_shared<Preferenze>();
        app.pref->Crea(false, "DejaVu Sans\r10\r");
        w = &Mostrata();
        w->nomeFileConfig = "FIp.txt";
        w->NuovoConfig();
        for (int i = 0; i < 3; ++i) {
            auto k = w->DragCanvas1->AggiungiCampo();
            k->tx = 50 + 30 * i;
            k->ty = 200 + 40 * i;
        }
        w->DragCanvas1->modificato = false;
        w->Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w->Widget()));
    }
    void Tasto(Qt::Key k) { QTest::keyClick(w->Widget(), k, Qt::ControlModifier); }
    std::vector<int> Xs() const {
        std::vector<int> v;
        for (auto& k : w->DragCanvas1->vCampi) v.push_back(k->tx);
        return v;
    }
    std::vector<int> Ys() const {
        std::vector<int> v;
        for (auto& k : w->DragCanvas1->vCampi) v.push_back(k->ty);
        return v;
    }

    vx::App app;
    vx::wMain* w = nullptr;
};

// Each command's shortcut, typed on the main window, does that command's work.
TEST_F(Scorciatoie, OgniScorciatoiaRaggiungeIlSuoComando) {
    auto& campi = w->DragCanvas1->vCampi;
    Tasto(Qt::Key_A);
    for (auto& k : campi) EXPECT_TRUE(k->selezionato);

    struct Caso {
        Qt::Key tasto;
        std::vector<int> x, y;
    };
    // From x 50, 80, 110 and y 200, 240, 280, frames 100 x 14.
    const Caso casi[] = {
        {Qt::Key_8, {50, 80, 110}, {199, 239, 279}},
        {Qt::Key_2, {50, 80, 110}, {200, 240, 280}},
        {Qt::Key_4, {49, 79, 109}, {200, 240, 280}},
        {Qt::Key_6, {50, 80, 110}, {200, 240, 280}},
        {Qt::Key_R, {110, 110, 110}, {200, 240, 280}},
        {Qt::Key_L, {110, 110, 110}, {200, 240, 280}},
        {Qt::Key_B, {110, 110, 110}, {280, 280, 280}},
        {Qt::Key_T, {110, 110, 110}, {280, 280, 280}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(QKeySequence(c.tasto).toString().toStdString());
        Tasto(c.tasto);
        EXPECT_EQ(Xs(), c.x);
        EXPECT_EQ(Ys(), c.y);
    }
    // The alignments to the left and top take the smallest edge.
    campi[0]->tx = 10;
    campi[1]->ty = 20;
    Tasto(Qt::Key_L);
    Tasto(Qt::Key_T);
    EXPECT_EQ(Xs(), (std::vector<int>{10, 10, 10}));
    EXPECT_EQ(Ys(), (std::vector<int>{20, 20, 20}));

    Tasto(Qt::Key_D);
    EXPECT_EQ(campi.size(), 6u);
    Tasto(Qt::Key_N);
    EXPECT_EQ(campi.size(), 7u);
    seam::AnswerMessageDialog(B::Cancel);  // "No"
    Tasto(Qt::Key_E);
    ASSERT_EQ(seam::Shown().size(), 1u);
    EXPECT_EQ(seam::Shown()[0].message, "Vuoi eliminare gli oggetti selezionati?");
    EXPECT_EQ(campi.size(), 7u);

    Tasto(Qt::Key_S);
    EXPECT_NE(programma.Leggi("FIp.txt"), "<assente>");
    EXPECT_FALSE(w->DragCanvas1->modificato);

    int apri = -1;
    seam::QueueModal([&](fw::Window& f) {
        apri = w->oper;
        static_cast<vx::wNuovoApri&>(f).pbAnnulla->Push();
    });
    Tasto(Qt::Key_O);
    EXPECT_EQ(apri, 2);
}

TEST_F(Scorciatoie, EsciChiedeEPuoEssereAnnullato) {
    w->DragCanvas1->AggiungiCampo();
    seam::AnswerMessageDialog(B::Cancel);
    Tasto(Qt::Key_Q);
    ASSERT_EQ(seam::Shown().size(), 1u);
    EXPECT_EQ(seam::Shown()[0].message, "Vuoi registrare le modifiche a questo configuratore?");
    EXPECT_FALSE(seam::QuitCode().has_value());
    EXPECT_TRUE(w->Visible());
    EXPECT_TRUE(w->DragCanvas1->modificato);

    seam::AnswerMessageDialog(B::Alternate);
    Tasto(Qt::Key_Q);
    EXPECT_EQ(seam::QuitCode(), 0);
    EXPECT_FALSE(fw::ImplicitExists<vx::wMain>());
    EXPECT_EQ(programma.Leggi("FIp.txt"), "<assente>");
}

// The two application items work before any layout is open.
TEST_F(Principale, InfoEPreferenzeSenzaLayout) {
    vx::App app;
    app.Collega();
    app.pref = std::make_shared<Preferenze>();
    app.pref->Crea(false, "Arial\r10\r");
    Mostrata();
    const fw::MenuBar& barra = ::Menu();
    EXPECT_TRUE(fw::FindMenuItem(barra, "AppleInfo")->Choose());
    EXPECT_TRUE(::wInfo().Visible());
    EXPECT_TRUE(fw::FindMenuItem(barra, "AppPreferenze")->Choose());
    EXPECT_TRUE(::wPreferenze().Visible());
}

// The items without a shortcut, chosen from the menu; the five edit items of the
// text boxes have no handler and stay disabled.
TEST_F(Scorciatoie, VociSenzaScorciatoia) {
    const fw::MenuBar& barra = ::Menu();
    for (const char* nome : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear"}) {
        SCOPED_TRACE(nome);
        EXPECT_FALSE(fw::FindMenuItem(barra, nome)->Enabled());
    }
    for (const char* nome :
         {"ArchivioNuovo", "ArchivioImportaModulo", "AppPreferenze", "AppleInfo", "ArchivioEsci"}) {
        SCOPED_TRACE(nome);
        EXPECT_TRUE(fw::FindMenuItem(barra, nome)->Enabled());
    }
    int nuovo = -1;
    seam::QueueModal([&](fw::Window& f) {
        nuovo = w->oper;
        static_cast<vx::wNuovoApri&>(f).pbAnnulla->Push();
    });
    EXPECT_TRUE(fw::FindMenuItem(barra, "ArchivioNuovo")->Choose());
    EXPECT_EQ(nuovo, 1);
    seam::AnswerOpenFile("");
    EXPECT_TRUE(fw::FindMenuItem(barra, "ArchivioImportaModulo")->Choose());
    EXPECT_EQ(seam::Shown().back().kind, seam::DialogKind::OpenFile);
}

}  // namespace
