#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <QToolButton>

#include "ApplicazioneProva.h"
#include "document/wMain.h"
#include "framework/Fonts.h"
#include "layout/Modulo1.h"

namespace {

class DialogoPreferenze : public ::testing::Test {
  protected:
    vx::wPreferenze& Apri() {
        EXPECT_TRUE(a.Scegli("AppPreferenze"));
        EXPECT_TRUE(fw::ImplicitExists<vx::wPreferenze>());
        vx::wPreferenze& d = ::wPreferenze();
        EXPECT_TRUE(d.Visible());
        d.Widget()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.Widget()));
        return d;
    }
    // A row of the font menu, chosen in the menu the button drops down.
    static void ScegliFont(vx::wPreferenze& d, fw::Integer riga) {
        auto* b = static_cast<QToolButton*>(d.bbFont->Widget());
        ASSERT_NE(b->menu(), nullptr);
        b->menu()->actions().at(riga)->trigger();
    }
    static void ScriviDimensione(vx::wPreferenze& d, const char* testo) {
        QWidget* box = d.efDimFont->Widget();
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, testo);
    }
    static void Premi(fw::PushButton& b) { QTest::mouseClick(b.Widget(), Qt::LeftButton); }
    static bool Chiuso() {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !fw::ImplicitExists<vx::wPreferenze>();
    }

    prova::ApplicazioneProva a;
};

TEST_F(DialogoPreferenze, MostraIlFileEScriveSuOKCiòCheSiÈScelto) {
    vx::wPreferenze& d = Apri();
    EXPECT_EQ(d.Title(), "Preferenze");
    EXPECT_EQ(d.Width(), 420);
    EXPECT_EQ(d.Height(), 162);
    EXPECT_EQ(d.GroupBox1->Caption(), "Default");
    ASSERT_EQ(d.bbFont->ListCount(), fw::FontCount());
    for (fw::Integer i = 0; i < fw::FontCount(); ++i) ASSERT_EQ(d.bbFont->List(i), fw::Font(i));
    EXPECT_EQ(d.bbFont->MenuValue(), Modulo1::CercaFont("DejaVu Sans"));
    EXPECT_EQ(d.bbFont->Caption(), "DejaVu Sans");
    EXPECT_EQ(d.efDimFont->Text(), "10");

    const fw::Integer mono = Modulo1::CercaFont("Liberation Mono");
    ASSERT_EQ(fw::Font(mono), "Liberation Mono");
    ScegliFont(d, mono);
    EXPECT_EQ(d.bbFont->Caption(), "Liberation Mono");
    ScriviDimensione(d, "1x4");  // the letter does not get into the box
    EXPECT_EQ(d.efDimFont->Text(), "14");
    EXPECT_EQ(a.FilePreferenze(), "DejaVu Sans\r10\r") << "nothing is written before OK";

    Premi(*d.pbOK);
    EXPECT_TRUE(Chiuso());
    EXPECT_EQ(a.FilePreferenze(), "Liberation Mono\r14\r");
    EXPECT_TRUE(fw::testing::Shown().empty());

    // The next field added takes the new defaults.
    vx::wMain& w = ::wMain();
    w.AggiungiCampo();
    ASSERT_FALSE(w.DragCanvas1->vCampi.empty());
    EXPECT_EQ(w.DragCanvas1->vCampi.back()->iFont, mono);
    EXPECT_EQ(w.DragCanvas1->vCampi.back()->dimFont, 14);
    w.DragCanvas1->modificato = false;
    w.Close();

    // Opened again, the dialog starts from what the file now holds.
    vx::wPreferenze& ancora = Apri();
    EXPECT_EQ(ancora.bbFont->Caption(), "Liberation Mono");
    EXPECT_EQ(ancora.efDimFont->Text(), "14");
}

TEST_F(DialogoPreferenze, AnnullaEdEscNonScrivonoNulla) {
    for (bool conEsc : {false, true}) {
        SCOPED_TRACE(conEsc ? "Esc" : "Annulla");
        vx::wPreferenze& d = Apri();
        ScegliFont(d, Modulo1::CercaFont("Liberation Serif"));
        ScriviDimensione(d, "99");
        if (conEsc) {
            QTest::keyClick(d.Widget(), Qt::Key_Escape);
        } else {
            Premi(*d.pbAnnulla);
        }
        EXPECT_TRUE(Chiuso());
        EXPECT_EQ(a.FilePreferenze(), "DejaVu Sans\r10\r");
    }
}

// What the file holds is shown as it is; OK without touching anything writes
// what was shown.
TEST(DialogoPreferenzeFile, ValoriInsolitiMostratiERiscritti) {
    struct Caso {
        const char* file;
        bool primoFont;  // the name is no installed font: the menu shows row 0
        const char* dimensione;
    };
    const Caso casi[] = {
        {"Nessun font così\r10\r", true, "10"},
        {"DejaVu Sans\r\r", false, ""},
        {"DejaVu Sans\rdodici\r", false, "dodici"},
        {"DejaVu Sans\r99999999999\r", false, "99999999999"},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.file);
        prova::ApplicazioneProva a(k.file);
        ASSERT_TRUE(a.Scegli("AppPreferenze"));
        vx::wPreferenze& d = ::wPreferenze();
        const std::string font = k.primoFont ? fw::Font(0) : "DejaVu Sans";
        EXPECT_EQ(d.bbFont->MenuValue(), k.primoFont ? 0 : Modulo1::CercaFont(font));
        EXPECT_EQ(d.bbFont->Caption(), font);
        EXPECT_EQ(d.efDimFont->Text(), k.dimensione);
        QTest::mouseClick(d.pbOK->Widget(), Qt::LeftButton);
        EXPECT_EQ(a.FilePreferenze(), font + "\r" + k.dimensione + "\r");
        EXPECT_TRUE(fw::testing::Shown().empty());
    }
}

TEST(DialogoPreferenzeFile, FileAssenteAllApertura) {
    prova::ApplicazioneProva a(std::nullopt);
    for (int i = 0; i < 2; ++i) fw::testing::AnswerMsgBox();
    ASSERT_TRUE(a.Scegli("AppPreferenze"));
    vx::wPreferenze& d = ::wPreferenze();
    ASSERT_EQ(fw::testing::Shown().size(), 2u);
    for (const auto& m : fw::testing::Shown()) {
        EXPECT_EQ(m.message, "Il file delle preferenze non esiste.");
    }
    EXPECT_EQ(d.bbFont->MenuValue(), 0);
    EXPECT_EQ(d.bbFont->Caption(), fw::Font(0));
    EXPECT_EQ(d.efDimFont->Text(), "");
    QTest::mouseClick(d.pbAnnulla->Widget(), Qt::LeftButton);
    EXPECT_EQ(a.FilePreferenze(), "<assente>");
}

// A write that fails keeps the old file whole and is reported; the dialog
// still closes.
TEST(DialogoPreferenzeFile, ScritturaNonRiuscita) {
    prova::ApplicazioneProva a;
    ASSERT_TRUE(a.Scegli("AppPreferenze"));
    vx::wPreferenze& d = ::wPreferenze();
    d.efDimFont->SetText("12");
    fw::testing::FailNextWrite();
    fw::testing::AnswerMsgBox();
    QTest::mouseClick(d.pbOK->Widget(), Qt::LeftButton);
    ASSERT_EQ(fw::testing::Shown().size(), 1u);
    EXPECT_EQ(fw::testing::Shown()[0].message,
              "Errore nella creazione del file delle preferenze: il disco è pieno.");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(fw::ImplicitExists<vx::wPreferenze>());
    // The first line's write failed and the old one stayed; the second went
    // through.
    EXPECT_EQ(a.FilePreferenze(), "DejaVu Sans\r12\r");
}

}  // namespace
