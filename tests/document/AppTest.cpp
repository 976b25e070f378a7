#include "Principale.h"
#include "document/App.h"
#include "framework/Application.h"
#include "framework/Text.h"

namespace {

namespace seam = fw::testing;
using prova::Principale;

// Answers the start-up dialog: "Apri" when asked, then "Continua" or "Annulla".
void Avvio(bool apri, bool continua, int* oper = nullptr) {
    seam::QueueModal([=](fw::Window& f) {
        auto& d = static_cast<vx::wNuovoApri&>(f);
        if (oper) *oper = ::wMain().oper;
        if (apri) d.rbApri->SetValue(true);
        (continua ? d.pbContinua : d.pbAnnulla)->Push();
    });
}

TEST_F(Principale, PrimoAvvioCreaLePreferenzeEApreLaFinestra) {
    vx::App app;
    EXPECT_EQ(&::App(), &app);
    int oper = -1;
    Avvio(false, true, &oper);
    app.Open();
    EXPECT_EQ(oper, 0);
    EXPECT_EQ(preferenze.Leggi("Velarix pref"), "Arial\r10\r");
    EXPECT_EQ(app.pref->NUM_CAMPI, 2);
    EXPECT_EQ(app.VXBanner, "Velarix (F)");
    EXPECT_EQ(app.VXVer, "1.0.4");
    EXPECT_EQ(app.VXHead, "27-04-2017");
    EXPECT_EQ(app.VxCreator, "© Norvale " + fw::Str(fw::Today().Year()));
    EXPECT_TRUE(::wMain().Visible());
    EXPECT_EQ(::wMain().Title(), "FIp.txt");
    EXPECT_EQ(::wMain().oper, 1);
    EXPECT_TRUE(::wPalette().Visible());
    EXPECT_FALSE(seam::QuitCode().has_value());
    EXPECT_TRUE(seam::Shown().empty());
}

TEST_F(Principale, LePreferenzeEsistentiRestanoComeSono) {
    preferenze.Scrivi("Velarix pref", "Courier\r12\rtre\r");
    vx::App app;
    Avvio(false, true);
    app.Open();
    EXPECT_EQ(preferenze.Leggi("Velarix pref"), "Courier\r12\rtre\r");
    EXPECT_EQ(app.pref->NUM_CAMPI, 2);  // the lines in use, no further
}

TEST_F(Principale, AnnullareAllAvvioEsce) {
    vx::App app;
    Avvio(false, false);
    app.Open();
    EXPECT_EQ(seam::QuitCode(), 0);
    EXPECT_EQ(::wMain().Title(), "Velarix");
    EXPECT_FALSE(fw::ImplicitExists<vx::wPalette>() && ::wPalette().Visible());
}

TEST_F(Principale, ApriAllAvvioLeggeIlFile) {
    vx::App app;
    Avvio(true, true);
    seam::AnswerMsgBox();  // no such file: a new one is started
    app.Open();
    ASSERT_EQ(seam::Shown().size(), 1u);
    EXPECT_EQ(seam::Shown()[0].message,
              "Il file di configurazione FIp.txt non è presente nella cartella del programma. "
              "Ne creo uno nuovo.");
    EXPECT_EQ(::wMain().oper, 2);
    EXPECT_EQ(::wMain().Title(), "FIp.txt");
    EXPECT_TRUE(::wPalette().Visible());
}

}  // namespace
