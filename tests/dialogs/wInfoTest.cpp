#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "ApplicazioneProva.h"
#include "framework/Drawing.h"
#include "framework/Resources.h"

namespace {

class FinestraInfo : public ::testing::Test {
  protected:
    vx::wInfo& Apri() {
        EXPECT_TRUE(a.Scegli("AppleInfo"));
        vx::wInfo& w = ::wInfo();
        EXPECT_TRUE(w.Visible());
        return w;
    }
    // The top-level windows on screen with that title.
    static int Finestre(const QString& titolo) {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->windowTitle() == titolo) ++n;
        }
        return n;
    }

    prova::ApplicazioneProva a;
};

TEST_F(FinestraInfo, MostraIDatiDelProgramma) {
    vx::wInfo& w = Apri();
    EXPECT_EQ(w.Title(), "Info su Velarix");
    EXPECT_EQ(w.Width(), 432);
    EXPECT_EQ(w.Height(), 187);
    struct Testo {
        fw::StaticText* st;
        const char* atteso;
    };
    const Testo testi[] = {
        {w.VXBanner1.get(), "Velarix (F)"},
        {w.VXVer1.get(), "1.0.4"},
        {w.VXHead1.get(), "27-04-2017"},
        {w.VxCreator1.get(), "© Norvale 2026"},
        {w.StaticText3.get(), "Versione:"},
        {w.StaticText4.get(), "Del:"},
        {w.StaticText2.get(), "www.norvale.it\rinfo@norvale.it\r"},
        {w.StaticText1.get(), "Velarix 1.0.4\rNorvale\r\r\r27-04-2017"},
    };
    for (const Testo& t : testi) EXPECT_EQ(t.st->Text(), t.atteso) << t.st->Name();
    // This one lies below the window's bottom edge.
    EXPECT_GE(w.StaticText1->Top(), w.Height());
}

TEST_F(FinestraInfo, ImmaginiDalleRisorseUnaVoltaSola) {
    ASSERT_NE(fw::GetPicture(169), nullptr);
    auto logo = Logo();
    auto icona = vx_48x38x32();
    ASSERT_NE(logo, nullptr);
    ASSERT_NE(icona, nullptr);
    EXPECT_EQ(logo->Width(), 396);
    EXPECT_EQ(logo->Height(), 158);
    EXPECT_EQ(icona->Width(), 48);
    EXPECT_EQ(icona->Height(), 38);
    EXPECT_EQ(Logo(), logo);
    EXPECT_EQ(vx_48x38x32(), icona);

    vx::wInfo& w = Apri();
    EXPECT_EQ(w.Canvas1->Backdrop(), logo);
    EXPECT_EQ(w.Canvas2->Backdrop(), icona);
}

TEST_F(FinestraInfo, UnClicSulLogoLaNascondeERiappareUguale) {
    vx::wInfo& w = Apri();
    // The icon has no handler: a press on it leaves the window up.
    QTest::mouseClick(w.Canvas2->Widget(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(w.Visible());

    QTest::mouseClick(w.Canvas1->Widget(), Qt::LeftButton, {}, QPoint(100, 130));
    EXPECT_FALSE(w.Visible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(fw::ImplicitExists<vx::wInfo>()) << "hidden, not closed";

    w.VXVer1->SetText("segno");  // Open must not run again
    vx::wInfo& ancora = Apri();
    EXPECT_EQ(&ancora, &w);
    EXPECT_EQ(ancora.VXVer1->Text(), "segno");
    EXPECT_EQ(ancora.VXBanner1->Text(), "Velarix (F)");

    Apri();
    EXPECT_EQ(Finestre("Info su Velarix"), 1);
}

}  // namespace
