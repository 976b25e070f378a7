#include "layout/Modulo1.h"

#include <gtest/gtest.h>

#include <limits>

#include "framework/Fonts.h"
#include "framework/Testing.h"
#include "framework/Text.h"

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

// Names in messages: up to 80 characters as they are, longer ones as their
// first 40 and last 39 characters around "…", never cutting a character.
TEST(Modulo1, AbbreviaTieneLeDueEstremitaACaratteriInteri) {
    auto ripeti = [](const std::string& s, int n) {
        std::string r;
        for (int i = 0; i < n; ++i) r += s;
        return r;
    };
    const std::string a40(40, 'a'), z39(39, 'z');
    struct Caso {
        const char* nome;
        std::string testo, atteso;
    };
    const Caso casi[] = {
        {"vuoto", "", ""},
        {"corto", "modulo.png", "modulo.png"},
        {"ottanta", std::string(80, 'x'), std::string(80, 'x')},
        {"ottantuno", a40 + "m" + std::string(40, 'z'), a40 + "…" + z39},
        {"un megabyte", a40 + std::string(1 << 20, 'm') + z39, a40 + "…" + z39},
        // Two and three bytes a character: counted as characters, cut between them.
        {"accenti", std::string(20, 'x') + ripeti("è€", 100),
         std::string(20, 'x') + ripeti("è€", 10) + "…" + "€" + ripeti("è€", 19)},
        {"quattro byte", std::string(200, 'x') + "😀",
         std::string(40, 'x') + "…" + std::string(38, 'x') + "😀"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(Modulo1::Abbrevia(c.testo), c.atteso);
        EXPECT_LE(fw::Len(Modulo1::Abbrevia(c.testo)), 80);
    }
    // Bytes that are no UTF-8 at all: the cut still stops after a few of them.
    EXPECT_LE(Modulo1::Abbrevia(std::string(1 << 20, '\x80')).size(), 4u * 80 + 3);
    EXPECT_EQ(Modulo1::Abbrevia("abcdefgh", 5), "ab…gh");
}
