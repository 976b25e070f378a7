#include <QtTest/qtestspontaneevent.h>
#include <QCloseEvent>
#include <QRadioButton>

#include "Principale.h"
#include "document/App.h"
#include "document/Menu.h"
#include "framework/Application.h"
#include "framework/Controls.h"

namespace {

namespace seam = fw::testing;
using B = seam::Answer::Button;
using prova::Principale;

TEST_F(Principale, NasceConLaTelaEDueBarre) {
    vx::wMain& w = ::wMain();
    EXPECT_EQ(w.Title(), "Velarix");
    EXPECT_EQ(w.Width(), 584);
    EXPECT_EQ(w.Height(), 612);
    ASSERT_EQ(w.ControlNamed("DragCanvas1"), w.DragCanvas1.get());
    ASSERT_EQ(w.ControlNamed("sbVert"), w.sbVert.get());
    ASSERT_EQ(w.ControlNamed("sbOrizz"), w.sbOrizz.get());

    struct Atteso {
        fw::Control* c;
        int l, t, wd, h;
        bool sx, su, dx, giu;
    };
    const Atteso attesi[] = {
        {w.DragCanvas1.get(), 0, 0, 568, 596, true, true, true, true},
        {w.sbVert.get(), 568, 0, 16, 600, false, true, true, true},
        {w.sbOrizz.get(), 0, 596, 569, 16, true, false, true, true},
    };
    for (const auto& a : attesi) {
        SCOPED_TRACE(a.c->Name());
        EXPECT_EQ(a.c->Left(), a.l);
        EXPECT_EQ(a.c->Top(), a.t);
        EXPECT_EQ(a.c->Width(), a.wd);
        EXPECT_EQ(a.c->Height(), a.h);
        EXPECT_EQ(a.c->LockLeft, a.sx);
        EXPECT_EQ(a.c->LockTop, a.su);
        EXPECT_EQ(a.c->LockRight, a.dx);
        EXPECT_EQ(a.c->LockBottom, a.giu);
    }
    for (auto* sb : {w.sbVert.get(), w.sbOrizz.get()}) {
        EXPECT_EQ(sb->Minimum(), 0);
        EXPECT_EQ(sb->Maximum(), 100);
        EXPECT_EQ(sb->Value(), 0);
        EXPECT_EQ(sb->LineStep(), 1);
        EXPECT_EQ(sb->PageStep(), 20);
    }
    EXPECT_FALSE(w.DragCanvas1->modificato);
    EXPECT_EQ(w.oper, 0);
    EXPECT_EQ(w.nomeFileConfig, "");
    EXPECT_EQ(w.GetMenuBar(), &::Menu());

    // Limits: never smaller than 64 x 64 nor larger than 2000 x 2000.
    w.Show();
    w.SetSize(10, 10);
    EXPECT_GE(w.Width(), 64);
    EXPECT_GE(w.Height(), 64);
}

// The canvas tells the palette through the main window, which makes it on first use.
TEST_F(Principale, LaTelaAvvisaLaPalette) {
    vx::wMain& w = ::wMain();
    ASSERT_NE(w.DragCanvas1->palette, nullptr);
    EXPECT_FALSE(fw::ImplicitExists<vx::wPalette>());
    w.DragCanvas1->palette->Reset();
    EXPECT_TRUE(fw::ImplicitExists<vx::wPalette>());
}

// Fields, a changed layout, and the file's name: what each question may lose.
class Ciclo : public Principale {
  protected:
    vx::wMain& Preparata(int testiFissi = 1) {
        vx::wMain& w = Mostrata();
        w.nomeFileConfig = "FIp.txt";
        w.NuovoConfig();
        for (int i = 0; i < testiFissi; ++i) {
            if (i >= 30) seam::AnswerMsgBox();  // the warning past 30 fixed texts
            w.DragCanvas1->AggiungiCampo();
        }
        EXPECT_TRUE(w.DragCanvas1->modificato);
        return w;
    }
    // The next new/open dialog: remembers that it came and leaves with "Annulla".
    void DialogoAnnullato() {
        seam::QueueModal([this](fw::Window& f) {
            dialogoMostrato = true;
            static_cast<vx::wNuovoApri&>(f).pbAnnulla->Push();
        });
    }
    bool dialogoMostrato = false;
    // The writer puts the version and the date into the header.
    vx::App app;
};

TEST_F(Ciclo, LaDomandaDiRegistrareNeiTreCasi) {
    enum Chiamante { Nuovo, Apri, Esci };
    enum Risposta { NonRegistrare, Annulla, Registra, RegistraRifiutato, Chiusa };
    struct Caso {
        Chiamante chi;
        Risposta risposta;
        bool prosegue;  // the dialog shows / the window closes
        bool scritto;   // FIp.txt written
    };
    const Caso casi[] = {
        {Nuovo, NonRegistrare, true, false},
        {Nuovo, Annulla, false, false},
        {Nuovo, Registra, true, true},
        {Nuovo, RegistraRifiutato, false, false},
        {Nuovo, Chiusa, false, false},
        {Apri, NonRegistrare, true, false},
        {Apri, Annulla, false, false},
        {Apri, Registra, true, true},
        {Apri, RegistraRifiutato, false, false},
        {Apri, Chiusa, false, false},
        {Esci, NonRegistrare, true, false},
        {Esci, Annulla, false, false},
        {Esci, Registra, true, true},
        {Esci, RegistraRifiutato, false, false},
        {Esci, Chiusa, false, false},
    };
    const char* nomi[] = {"Nuovo", "Apri", "Esci"};
    const char* risposte[] = {"Non registrare", "Annulla", "Registra", "Registra rifiutato",
                              "chiusa"};
    for (const Caso& c : casi) {
        SCOPED_TRACE(std::string(nomi[c.chi]) + " / " + risposte[c.risposta]);
        prova::Cartella cartella;
        seam::SetProgramFolder(cartella.Percorso());
        seam::ClearShown();
        dialogoMostrato = false;
        // More than 30 fixed texts make the save refuse.
        vx::wMain& w = Preparata(c.risposta == RegistraRifiutato ? 31 : 1);
        auto campi = w.DragCanvas1->vCampi;
        seam::ClearShown();

        B bottone[] = {B::Alternate, B::Cancel, B::Action, B::Action, B::None};
        seam::AnswerMessageDialog(bottone[c.risposta]);
        if (c.risposta == RegistraRifiutato) seam::AnswerMsgBox();
        bool chiusa = false;
        if (c.chi == Esci) {
            chiusa = w.Close();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else {
            DialogoAnnullato();
            (c.chi == Nuovo ? w._ArchivioNuovo_Action() : w._ArchivioApri_Action());
        }

        ASSERT_GE(seam::Shown().size(), 1u);
        const auto& domanda = seam::Shown()[0];
        EXPECT_EQ(domanda.kind, seam::DialogKind::MessageDialog);
        EXPECT_EQ(domanda.message, "Vuoi registrare le modifiche a questo configuratore?");
        EXPECT_EQ(domanda.icon, 1);
        EXPECT_EQ(domanda.buttons,
                  (std::vector<std::string>{"Registra", "Non registrare", "Annulla"}));
        EXPECT_EQ(seam::PendingAnswers(), 0u);
        EXPECT_EQ(cartella.Leggi("FIp.txt") != "<assente>", c.scritto);
        if (c.chi == Esci) {
            EXPECT_EQ(chiusa, c.prosegue);
            // A quit that did not happen keeps the changes.
            if (!chiusa) {
                EXPECT_TRUE(w.DragCanvas1->modificato);
            }
        } else {
            EXPECT_EQ(dialogoMostrato, c.prosegue);
            // The dialog was left with "Annulla": the layout stays as it was, and
            // the palette is back.
            EXPECT_EQ(w.DragCanvas1->vCampi, campi);
            EXPECT_EQ(w.DragCanvas1->modificato, !c.scritto);
            EXPECT_TRUE(::wPalette().Visible());
        }
        if (!chiusa) {
            w.DragCanvas1->modificato = false;
            w.Close();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        seam::SetProgramFolder(programma.Percorso());
    }
}

// The window has no close box, but a window manager may offer a close all the
// same (its own button, Alt+F4): that is the quit command, with its question.
TEST_F(Ciclo, LaChiusuraOffertaDalGestoreDelleFinestreEIlComandoEsci) {
    for (B risposta : {B::Cancel, B::Alternate}) {
        SCOPED_TRACE(risposta == B::Cancel ? "Annulla" : "Non registrare");
        vx::wMain& w = Preparata();
        seam::ClearShown();
        seam::AnswerMessageDialog(risposta);
        QCloseEvent chiudi;
        QSpontaneKeyEvent::setSpontaneous(&chiudi);
        qApp->notify(w.Widget(), &chiudi);
        EXPECT_FALSE(chiudi.isAccepted());
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        ASSERT_EQ(seam::Shown().size(), 1u);
        EXPECT_EQ(seam::Shown()[0].message, "Vuoi registrare le modifiche a questo configuratore?");
        if (risposta == B::Cancel) {
            EXPECT_FALSE(seam::QuitCode().has_value());
            EXPECT_TRUE(w.Visible());
            EXPECT_TRUE(w.DragCanvas1->modificato);
        } else {
            EXPECT_EQ(seam::QuitCode(), 0);
            EXPECT_FALSE(fw::ImplicitExists<vx::wMain>());
        }
    }
    EXPECT_EQ(programma.Leggi("FIp.txt"), "<assente>");
}

TEST_F(Ciclo, SenzaModificheNienteDomande) {
    vx::wMain& w = Mostrata();
    w.nomeFileConfig = "FIp.txt";
    w.NuovoConfig();
    DialogoAnnullato();
    w._ArchivioApri_Action();
    EXPECT_TRUE(dialogoMostrato);
    EXPECT_EQ(w.oper, 2);
    w._ArchivioRegistra_Action();
    EXPECT_EQ(programma.Leggi("FIp.txt"), "<assente>");
    EXPECT_TRUE(seam::Shown().empty());
    EXPECT_TRUE(w.Close());
}

TEST_F(Ciclo, NuovoSuUnFileEsistente) {
    const std::string domanda =
        "Esiste già un file di configurazione NAp.txt. Vuoi aprire quello esistente o crearne "
        "uno nuovo?";
    vx::wMain& w = Preparata();
    w.DragCanvas1->vSezioni[0]->posizY = 120;
    w.DragCanvas1->modificato = false;
    programma.Scrivi("NAp.txt", "qualcosa\r");
    w.nomeFileConfig = "NAp.txt";

    seam::AnswerMessageDialog(B::Cancel);  // "Nuovo"
    w.NuovoConfig();
    ASSERT_EQ(seam::Shown().size(), 1u);
    EXPECT_EQ(seam::Shown()[0].message, domanda);
    EXPECT_EQ(seam::Shown()[0].buttons, (std::vector<std::string>{"Apri", "Nuovo"}));
    EXPECT_EQ(w.Title(), "NAp.txt");
    EXPECT_TRUE(w.DragCanvas1->vCampi.empty());
    EXPECT_EQ(w.DragCanvas1->vSezioni[0]->posizY, 120);  // the lines stay
    EXPECT_FALSE(w.DragCanvas1->modificato);
    EXPECT_EQ(programma.Leggi("NAp.txt"), "qualcosa\r");  // nothing written
}

TEST_F(Ciclo, RegistraScriveSoloLeModifiche) {
    vx::wMain& w = Preparata();
    w._ArchivioRegistra_Action();
    EXPECT_NE(programma.Leggi("FIp.txt"), "<assente>");
    EXPECT_FALSE(w.DragCanvas1->modificato);
}

TEST_F(Ciclo, ImportaModuloGrafico) {
    vx::wMain& w = Preparata();
    w.DragCanvas1->modificato = false;
    seam::AnswerOpenFile("");  // cancelled: nothing changes
    w._ArchivioImportaModulo_Action();
    ASSERT_EQ(seam::Shown().size(), 1u);
    EXPECT_EQ(seam::Shown()[0].kind, seam::DialogKind::OpenFile);
    EXPECT_FALSE(w.DragCanvas1->modificato);
}

}  // namespace
