#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "framework/Fonts.h"
#include "framework/Text.h"

using namespace fw;

TEST(Conversioni, ToIntegerTroncaSaturaEGestisceNaN) {
    struct Caso {
        double v;
        Integer atteso;
    };
    const Caso casi[] = {
        {0.0, 0},
        {2.9, 2},
        {-2.9, -2},
        {2147483647.0, 2147483647},
        {2147483648.0, 2147483647},
        {1e300, 2147483647},
        {-2147483648.0, -2147483647 - 1},
        {-1e300, -2147483647 - 1},
        {std::numeric_limits<double>::infinity(), 2147483647},
        {-std::numeric_limits<double>::infinity(), -2147483647 - 1},
        {std::nan(""), 0},
    };
    for (const auto& c : casi) EXPECT_EQ(ToInteger(c.v), c.atteso) << c.v;
}

TEST(Conversioni, RGBImpacchettaEComponentiFuoriScalaNonSconfinano) {
    EXPECT_EQ(RGB(0x1F, 0x3A, 0x7C), 0x1F3A7Cu);
    EXPECT_EQ(RGB(300, -5, 255), 0xFF00FFu);
    EXPECT_EQ(Red(0x1F3A7C), 0x1F);
    EXPECT_EQ(Green(0x1F3A7C), 0x3A);
    EXPECT_EQ(Blue(0x1F3A7C), 0x7C);
}

TEST(Testo, StrDiInteriEReali) {
    EXPECT_EQ(Str(0), "0");
    EXPECT_EQ(Str(-3), "-3");
    EXPECT_EQ(Str(std::numeric_limits<Integer>::min()), "-2147483648");
    EXPECT_EQ(Str(100.0), "100");
    EXPECT_EQ(Str(-14.0), "-14");
    EXPECT_EQ(Str(12.5), "12.5");
}

TEST(Testo, ValLeggeIlNumeroIniziale) {
    struct Caso {
        const char* s;
        double atteso;
    };
    const Caso casi[] = {
        {"12abc", 12},   {"abc", 0},   {"", 0},   {"  -7", -7},     {"+3", 3},
        {"1.5e2x", 150}, {".5", 0.5},  {"1e", 1}, {"-", 0},         {"12 34", 12},
        {"\t9", 9},      {"0012", 12}, {"3.", 3}, {"-0.25", -0.25},
    };
    for (const auto& c : casi) EXPECT_DOUBLE_EQ(Val(c.s), c.atteso) << c.s;
    EXPECT_EQ(ToInteger(Val("1e400")), 2147483647);
}

TEST(Testo, ChrEAscSonoCodePointUnicode) {
    EXPECT_EQ(Chr(65), "A");
    EXPECT_EQ(Chr(13), "\r");
    EXPECT_EQ(Chr(0xE0), "\xC3\xA0");  // à
    EXPECT_EQ(Chr(0x20AC), "\xE2\x82\xAC");
    EXPECT_EQ(Chr(-1), "");
    EXPECT_EQ(Chr(0xD800), "");
    for (int i = 1; i <= 255; ++i) EXPECT_EQ(Asc(Chr(i)), i) << i;
    EXPECT_EQ(Asc(""), 0);
    EXPECT_EQ(Asc("\xE2\x82\xAC"
                  "x"),
              0x20AC);
    EXPECT_EQ(Asc("\xFF"), 0xFF);  // a stray byte gives its own value
}

TEST(Testo, LeftContaCaratteriNonByte) {
    EXPECT_EQ(Left("<FCS><F>", 5), "<FCS>");
    EXPECT_EQ(Left("città", 5), "città");
    EXPECT_EQ(Left("città", 4), "citt");
    EXPECT_EQ(Left("ab", 10), "ab");
    EXPECT_EQ(Left("ab", -1), "");
    EXPECT_EQ(Len("città"), 5);
}

TEST(Testo, NthFieldECountFields) {
    const String riga = "*\tD2\t\t40\t";
    EXPECT_EQ(NthField(riga, "\t", 1), "*");
    EXPECT_EQ(NthField(riga, "\t", 2), "D2");
    EXPECT_EQ(NthField(riga, "\t", 3), "");
    EXPECT_EQ(NthField(riga, "\t", 4), "40");
    EXPECT_EQ(NthField(riga, "\t", 5), "");
    EXPECT_EQ(NthField(riga, "\t", 17), "");
    EXPECT_EQ(NthField(riga, "\t", 0), "");
    EXPECT_EQ(CountFields(riga, "\t"), 5);  // the empty last field counts
    EXPECT_EQ(CountFields("Arial\r10\r", "\r"), 3);
    EXPECT_EQ(CountFields("Arial", "\r"), 1);
    EXPECT_EQ(CountFields("", "\r"), 0);
}

TEST(Testo, UguaglianzaEsatta) {
    EXPECT_TRUE(TextEquals("Arial", "Arial"));
    EXPECT_FALSE(TextEquals("Arial", "arial"));
    EXPECT_FALSE(TextEquals("24", "24 "));
}

// Font names go into the configuration files as they are: plain family names,
// each once.
TEST(Font, NomiDiFamigliaSenzaFonderiaEUnici) {
    ASSERT_GT(fw::FontCount(), 0);
    std::set<fw::String> visti;
    for (fw::Integer i = 0; i < fw::FontCount(); ++i) {
        const fw::String nome = fw::Font(i);
        SCOPED_TRACE(nome);
        EXPECT_EQ(nome.find(" ["), fw::String::npos);
        EXPECT_TRUE(visti.insert(nome).second);
    }
}
