#include <QComboBox>
#include <QRadioButton>

#include "Principale.h"

namespace {

namespace seam = fw::testing;
using prova::Principale;

void Clic(fw::Control& c) {
    QTest::mouseClick(c.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(8, c.Height() / 2));
}

// What the dialog offered when it came up, read inside its modal loop.
struct Offerta {
    bool nuovo, apri, nuovoAttivo, apriAttivo;
    int riga;
    std::string testoRiga;
};

Offerta Leggi(vx::wNuovoApri& d) {
    return {d.rbNuovo->Value(),  d.rbApri->Value(),      d.rbNuovo->Enabled(),
            d.rbApri->Enabled(), d.pmDocum->ListIndex(), d.pmDocum->List(d.pmDocum->ListIndex())};
}

TEST_F(Principale, IlDialogoOffreCioCheChiedeLaFinestra) {
    struct Caso {
        int oper;
        Offerta attesa;
    };
    const Caso casi[] = {
        {0, {true, false, true, true, 0, "Fattura"}},
        {1, {true, false, true, false, 0, "Fattura"}},
        {2, {false, true, false, true, 0, "Fattura"}},
    };
    vx::wMain& w = Mostrata();
    for (const Caso& c : casi) {
        SCOPED_TRACE("oper " + std::to_string(c.oper));
        w.oper = c.oper;
        w.nomeFileConfig = "PRp.txt";
        std::optional<Offerta> vista;
        std::string titolo;
        std::vector<std::string> righe;
        seam::QueueModal([&](fw::Window& f) {
            auto& d = static_cast<vx::wNuovoApri&>(f);
            vista = Leggi(d);
            titolo = d.Title();
            for (int i = 0; i < d.pmDocum->ListCount(); ++i) righe.push_back(d.pmDocum->List(i));
            QTest::keyClick(d.Widget(), Qt::Key_Escape);
        });
        EXPECT_FALSE(::wNuovoApri().Mostra());
        ASSERT_TRUE(vista.has_value());
        EXPECT_EQ(vista->nuovo, c.attesa.nuovo);
        EXPECT_EQ(vista->apri, c.attesa.apri);
        EXPECT_EQ(vista->nuovoAttivo, c.attesa.nuovoAttivo);
        EXPECT_EQ(vista->apriAttivo, c.attesa.apriAttivo);
        EXPECT_EQ(vista->riga, 0);
        EXPECT_EQ(vista->testoRiga, "Fattura");
        EXPECT_EQ(titolo, "Nuovo/Apri");
        EXPECT_EQ(righe, (std::vector<std::string>{"Fattura", "Nota di accredito", "DDT",
                                                   "Avviso di Parcella", "Preventivo"}));
        // Escape is "Annulla": the main window keeps what it had.
        EXPECT_EQ(w.oper, c.oper);
        EXPECT_EQ(w.nomeFileConfig, "PRp.txt");
    }
}

TEST_F(Principale, ContinuaScriveTipoEOperazione) {
    struct Caso {
        int righeGiu;  // Down keys in the popup
        bool cliccaApri;
        int oper;
        const char* file;
    };
    const Caso casi[] = {
        {0, false, 1, "FIp.txt"}, {1, true, 2, "NAp.txt"},  {2, false, 1, "DTp.txt"},
        {3, true, 2, "APp.txt"},  {4, false, 1, "PRp.txt"},
    };
    vx::wMain& w = Mostrata();
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.file);
        w.oper = 0;
        w.modulo = 7;
        seam::QueueModal([&](fw::Window& f) {
            auto& d = static_cast<vx::wNuovoApri&>(f);
            if (c.cliccaApri) Clic(*d.rbApri);
            EXPECT_EQ(d.rbApri->Value(), c.cliccaApri);
            EXPECT_EQ(d.rbNuovo->Value(), !c.cliccaApri);
            QWidget* popup = d.pmDocum->Widget();
            popup->setFocus();
            for (int i = 0; i < c.righeGiu; ++i) QTest::keyClick(popup, Qt::Key_Down);
            EXPECT_EQ(d.pmDocum->ListIndex(), c.righeGiu);
            // Return is the default button, "Continua", on the even rows; a
            // click on it on the others.
            if (c.righeGiu % 2 == 0) {
                QTest::keyClick(d.pbContinua->Widget(), Qt::Key_Return);
            } else {
                Clic(*d.pbContinua);
            }
        });
        EXPECT_TRUE(::wNuovoApri().Mostra());
        EXPECT_EQ(w.oper, c.oper);
        EXPECT_EQ(w.nomeFileConfig, c.file);
        EXPECT_EQ(w.modulo, 0);
    }
}

TEST_F(Principale, AnnullaCliccatoNonCambiaNulla) {
    vx::wMain& w = Mostrata();
    w.oper = 1;
    w.nomeFileConfig = "DTp.txt";
    seam::QueueModal([](fw::Window& f) {
        auto& d = static_cast<vx::wNuovoApri&>(f);
        QTest::keyClick(d.pmDocum->Widget(), Qt::Key_Down);
        Clic(*d.pbAnnulla);
    });
    EXPECT_FALSE(::wNuovoApri().Mostra());
    EXPECT_EQ(w.oper, 1);
    EXPECT_EQ(w.nomeFileConfig, "DTp.txt");
    // Every showing is a new dialog, back at the first type.
    seam::QueueModal([](fw::Window& f) {
        auto& d = static_cast<vx::wNuovoApri&>(f);
        EXPECT_EQ(d.pmDocum->ListIndex(), 0);
        Clic(*d.pbContinua);
    });
    EXPECT_TRUE(::wNuovoApri().Mostra());
    EXPECT_EQ(w.nomeFileConfig, "FIp.txt");
}

}  // namespace
