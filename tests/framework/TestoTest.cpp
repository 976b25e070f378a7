#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <set>

#include "Aiuti.h"
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

// The configuration files hold numbers with "." as the decimal point, whatever
// the language of the desktop: the same texts give the same numbers and the
// same numbers the same texts in the C locale and in the Italian one.
TEST(Testo, NumeriUgualiInOgniLocale) {
    constexpr double kMax = std::numeric_limits<double>::max();
    struct Lettura {
        const char* s;
        double atteso;
    };
    const Lettura letture[] = {
        {"12.5", 12.5},
        {"2.25", 2.25},
        {"1.6e2", 160},
        {"-0.75x", -0.75},
        {"12,5", 12},  // a comma is not a decimal point
        {"  +1.5E+1", 15},
        {"1e999", kMax},
        {"-1e999", -kMax},
        {"1e99999999999999999999", kMax},
        {"123456789e301", kMax},
        {"1.797693134862316e308", kMax},  // just past the largest double
        {"1.7976931348623157e308", kMax},
        {"1e-400", 0},
        {"-1e-400", 0},
        {"0.0000001e-320", 0},
        {"4e-320", 4e-320},  // subnormal, as close as a double gets
        {"0e999999", 0},
        {"0x1A", 0},
        {"inf", 0},
        {"-INF", 0},
        {"nan", 0},
        {"1.5.5", 1.5},
        {"\n5", 0},  // only spaces and tabs are skipped
    };
    struct Scrittura {
        double v;
        const char* atteso;
    };
    const Scrittura scritture[] = {
        {12.5, "12.5"},
        {2.25, "2.25"},
        {160.0, "160"},
        {-12.5, "-12.5"},
        {0.1, "0.1"},
        {1.0 / 3, "0.3333333333333333"},
        {99999999992.5, "99999999992.5"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1e+15"},
        {1e20, "1e+20"},
        {1e-7, "1e-07"},
        {5e-324, "5e-324"},
        {-0.0, "0"},
        {kMax, "1.7976931348623157e+308"},
        {std::numeric_limits<double>::infinity(), "1.7976931348623157e+308"},
        {-std::numeric_limits<double>::infinity(), "-1.7976931348623157e+308"},
        {std::nan(""), "0"},
    };
    for (const char* nome : prova::kLocaliProvati) {
        SCOPED_TRACE(nome);
        prova::LocaleDiProcesso locale(nome);
        ASSERT_TRUE(locale.Ok()) << "locale " << nome << " missing: run scripts/setup";
        EXPECT_EQ(prova::LocaleDiProcesso::VirgolaDecimale(), std::strcmp(nome, "C") ? "," : ".");
        for (const auto& l : letture) EXPECT_EQ(Val(l.s), l.atteso) << l.s;
        EXPECT_TRUE(std::signbit(Val("-1e-400")));
        for (const auto& w : scritture) EXPECT_EQ(Str(w.v), w.atteso) << w.v;
        EXPECT_EQ(Str(-2147483647 - 1), "-2147483648");
        EXPECT_EQ(Str(1234567), "1234567");  // no grouping of thousands
        EXPECT_EQ(Str(1234567.0), "1234567");
    }
}

// Every finite double, written, reads back as the very same double, and the
// text is a plain number: no "INF", no "NaN", no comma.
TEST(Testo, OgniRealeScrittoSiRileggeUguale) {
    std::mt19937_64 caso(20170427);
    std::vector<double> valori = {0.5,
                                  12.5,
                                  2.25,
                                  1e15 - 0.5,
                                  1e15,
                                  1e-320,
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::max(),
                                  std::nextafter(1e15, 0.0)};
    while (valori.size() < 20000) {
        const std::uint64_t bit = caso();
        double v;
        std::memcpy(&v, &bit, sizeof v);
        if (std::isfinite(v)) valori.push_back(v);
        // Sizes of a page are small numbers with a few decimals.
        valori.push_back(static_cast<double>(caso() % 2000000) / 1000 - 1000);
    }
    for (const char* nome : prova::kLocaliProvati) {
        SCOPED_TRACE(nome);
        prova::LocaleDiProcesso locale(nome);
        ASSERT_TRUE(locale.Ok()) << "locale " << nome << " missing: run scripts/setup";
        int errori = 0;
        for (double v : valori) {
            const String testo = Str(v);
            const bool numero = testo.find_first_not_of("0123456789.e+-") == String::npos;
            if ((Val(testo) != v || !numero) && ++errori <= 10) {
                ADD_FAILURE() << std::hexfloat << v << " written " << testo << " reads "
                              << Val(testo);
            }
        }
        EXPECT_EQ(errori, 0);
    }
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
