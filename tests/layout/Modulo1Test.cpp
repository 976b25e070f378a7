#include "layout/Modulo1.h"

#include <gtest/gtest.h>

#include <limits>

#include "framework/Fonts.h"
#include "framework/Testing.h"

using fw::testing::Answer;

TEST(Modulo1, PuntoNelRettangoloEStrettoSuiBordi) {
    constexpr fw::Integer kMax = std::numeric_limits<fw::Integer>::max();
    struct Caso {
        fw::Integer x, y, l, t, w, h;
        bool atteso;
    };
    const Caso casi[] = {
        {5, 5, 0, 0, 10, 10, true},
        {0, 5, 0, 0, 10, 10, false},
        {10, 5, 0, 0, 10, 10, false},
        {5, 0, 0, 0, 10, 10, false},
        {5, 10, 0, 0, 10, 10, false},
        {1, 1, 0, 0, 2, 2, true},
        {0, 0, 0, 0, 0, 0, false},
        {5, 5, 0, 0, -10, 10, false},
        {5, 5, 0, 0, 10, -10, false},
        // Sums past the integer bounds must not wrap around into a hit or a miss.
        {kMax, 5, kMax - 10, 0, 100, 10, true},
        {-5, 5, kMax - 10, 0, 100, 10, false},
    };
    for (const auto& c : casi) {
        EXPECT_EQ(Modulo1::PuntoNelRettangolo(c.x, c.y, c.l, c.t, c.w, c.h), c.atteso)
            << c.x << "," << c.y << " in " << c.l << "," << c.t << " " << c.w << "x" << c.h;
    }
}

TEST(Modulo1, CercaFontTrovaIlPrimoONessuno) {
    ASSERT_GT(fw::FontCount(), 0);
    fw::Integer dejavu = -1;
    for (fw::Integer i = 0; i < fw::FontCount(); ++i) {
        if (fw::Font(i) == "DejaVu Sans") {
            dejavu = i;
            break;
        }
    }
    ASSERT_GE(dejavu, 0) << "fonts-dejavu-core is not installed";
    EXPECT_EQ(Modulo1::CercaFont("DejaVu Sans"), dejavu);
    EXPECT_EQ(Modulo1::CercaFont(fw::Font(0)), 0);
    EXPECT_EQ(Modulo1::CercaFont("Nessun font ha questo nome"), 0);
    EXPECT_EQ(Modulo1::CercaFont(""), 0);
}

TEST(Modulo1, StrZeroVuotoMin3Max3) {
    EXPECT_EQ(Modulo1::StrZeroVuoto(0), "");
    EXPECT_EQ(Modulo1::StrZeroVuoto(7), "7");
    EXPECT_EQ(Modulo1::StrZeroVuoto(-3), "-3");
    EXPECT_EQ(Modulo1::Min3(3, 1, 2), 1);
    EXPECT_EQ(Modulo1::Max3(3, 1, 2), 3);
    EXPECT_EQ(Modulo1::Min3(4, 4, 4), 4);
    EXPECT_EQ(Modulo1::Max3(-1, -2, -3), -1);
}

TEST(Modulo1, MemoriaEsauritaAvvisaETerminaConCodiceZero) {
    fw::testing::AnswerMsgBox();
    try {
        Modulo1::MemoriaEsaurita();
        FAIL() << "MemoriaEsaurita returned";
    } catch (const fw::testing::ProgramEnded& e) {
        EXPECT_EQ(e.code, 0);
    }
    ASSERT_EQ(fw::testing::Shown().size(), 1u);
    EXPECT_EQ(fw::testing::Shown()[0].kind, fw::testing::DialogKind::MsgBox);
    EXPECT_EQ(fw::testing::Shown()[0].message, "Memoria esaurita.");
    EXPECT_EQ(fw::testing::QuitCode(), 0);
}

TEST(Modulo1, ConfermaVeroSoloPerIlPulsanteDiAzione) {
    struct Caso {
        Answer::Button risposta;
        bool atteso;
    };
    const Caso casi[] = {
        {Answer::Button::Action, true},
        {Answer::Button::Cancel, false},
        {Answer::Button::Alternate, false},  // hidden: the dialog ends another way
        {Answer::Button::None, false},
    };
    for (const auto& c : casi) {
        fw::testing::ClearShown();
        fw::testing::AnswerMessageDialog(c.risposta);
        EXPECT_EQ(Modulo1::Conferma("Vuoi eliminare gli oggetti selezionati?", "Si", "No"),
                  c.atteso);
        ASSERT_EQ(fw::testing::Shown().size(), 1u);
        const auto& d = fw::testing::Shown()[0];
        EXPECT_EQ(d.message, "Vuoi eliminare gli oggetti selezionati?");
        EXPECT_EQ(d.icon, 1);
        EXPECT_EQ(d.title, "");
        EXPECT_EQ(d.explanation, "");
        EXPECT_EQ(d.buttons, (std::vector<fw::String>{"Si", "No"}));
    }
}
