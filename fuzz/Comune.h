#pragma once

// What the fuzzers share: the toolkit and the seams started once, files read and
// written as bytes, the lines and columns of a file as the program's reader
// takes them, and the report of a broken rule.

#include <QApplication>
#include <QFile>
#include <QString>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "framework/Testing.h"

namespace fuzz {

// The toolkit on the offscreen platform and the seams on: every dialog is
// answered with its cancel button (or OK) at once and nothing waits.
inline void Avvia(const char* nome) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static std::string programma = nome;
    static char* argv[] = {programma.data(), nullptr};
    new QApplication(argc, argv);
    // Names with a NUL byte make the toolkit warn on every input.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    fw::testing::Enable([](const fw::String&) {});
}

inline std::string Leggi(const QString& percorso) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) return "<assente>";
    QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

inline void Scrivi(const QString& percorso, const std::string& byte) {
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    if (f.write(byte.data(), static_cast<qint64>(byte.size())) !=
        static_cast<qint64>(byte.size())) {
        std::abort();
    }
}

// The lines of a file as a text stream reads them: each ended by CR, LF or CRLF,
// the last one also without an end; nothing after the last end.
// The first n bytes of a line, without a UTF-8 character cut short at its end.
inline std::string TroncaUtf8(const std::string& riga, std::size_t n) {
    if (riga.size() <= n) return riga;
    std::string t = riga.substr(0, n);
    std::size_t inizio = t.size();
    while (inizio > 0 && t.size() - inizio < 3 &&
           (static_cast<unsigned char>(t[inizio - 1]) & 0xC0) == 0x80) {
        --inizio;
    }
    if (inizio == 0) return t;
    const auto guida = static_cast<unsigned char>(t[inizio - 1]);
    const std::size_t attesi = guida >= 0xF0 ? 4 : guida >= 0xE0 ? 3 : guida >= 0xC0 ? 2 : 1;
    if (t.size() - (inizio - 1) < attesi) t.resize(inizio - 1);
    return t;
}

inline std::vector<std::string> Righe(const std::string& b) {
    std::vector<std::string> righe;
    std::size_t i = 0;
    while (i < b.size()) {
        std::size_t fine = b.find_first_of("\r\n", i);
        if (fine == std::string::npos) {
            righe.push_back(b.substr(i));
            break;
        }
        righe.push_back(b.substr(i, fine - i));
        i = fine + 1;
        if (b[fine] == '\r' && i < b.size() && b[i] == '\n') ++i;
    }
    return righe;
}

// Column k (from 1) of a line, TAB-separated; "" for one the line lacks.
inline std::string Colonna(const std::string& riga, std::size_t k) {
    std::size_t inizio = 0;
    for (std::size_t i = 1; i < k; ++i) {
        std::size_t tab = riga.find('\t', inizio);
        if (tab == std::string::npos) return std::string();
        inizio = tab + 1;
    }
    std::size_t tab = riga.find('\t', inizio);
    return riga.substr(inizio, tab == std::string::npos ? std::string::npos : tab - inizio);
}

// Columns 1 to n of a line, as Colonna gives each, split in one pass.
inline std::vector<std::string> Colonne(const std::string& riga, std::size_t n) {
    std::vector<std::string> colonne(n);
    std::size_t inizio = 0;
    for (std::size_t k = 0; k < n && inizio != std::string::npos; ++k) {
        const std::size_t tab = riga.find('\t', inizio);
        colonne[k] =
            riga.substr(inizio, tab == std::string::npos ? std::string::npos : tab - inizio);
        inizio = tab == std::string::npos ? tab : tab + 1;
    }
    return colonne;
}

// The number a text starts with, as the file format defines it (blanks,
// sign, digits, fraction, exponent; 0 when there is none; beyond the range of
// a double the largest one), read by the C library in the C locale: a second
// reading, by other means than the program's own, whatever the process locale.
inline double NumeroDiRiferimento(const std::string& s) {
    static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    auto cifre = [&s](std::size_t i) {
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i;
    };
    std::size_t i = s.find_first_not_of(" \t");
    if (i == std::string::npos) return 0;
    const std::size_t inizio = i;
    if (s[i] == '+' || s[i] == '-') ++i;
    std::size_t fine = cifre(i);
    bool numero = fine > i;
    if (fine < s.size() && s[fine] == '.') {
        const std::size_t frazione = cifre(fine + 1);
        numero = numero || frazione > fine + 1;
        fine = frazione;
    }
    if (!numero) return 0;
    if (fine < s.size() && (s[fine] == 'e' || s[fine] == 'E')) {
        std::size_t e = fine + 1;
        if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
        if (cifre(e) > e) fine = cifre(e);
    }
    const double v = strtod_l(s.substr(inizio, fine - inizio).c_str(), nullptr, c);
    if (std::isinf(v)) return std::copysign(std::numeric_limits<double>::max(), v);
    return v;
}

// A broken rule: what was expected and what came, then the input is kept as a
// crash by libFuzzer.
[[noreturn]] inline void Violazione(const char* programma, const std::string& regola,
                                    const std::string& atteso, const std::string& ottenuto) {
    // Control bytes and bytes above ASCII escaped, long texts cut.
    auto corto = [](const std::string& s) {
        std::string out;
        for (std::size_t i = 0; i < s.size() && i < 300; ++i) {
            auto c = static_cast<unsigned char>(s[i]);
            if (c == '\r') {
                out += "\\r";
            } else if (c == '\t') {
                out += "\\t";
            } else if (c < 0x20 || c >= 0x7F || c == '\\') {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\x%02X", c);
                out += esc;
            } else {
                out += static_cast<char>(c);
            }
        }
        if (s.size() > 300) out += "... (" + std::to_string(s.size()) + " bytes)";
        return out;
    };
    std::fprintf(stderr, "%s: %s\n  expected: \"%s\"\n  got:      \"%s\"\n", programma,
                 regola.c_str(), corto(atteso).c_str(), corto(ottenuto).c_str());
    std::abort();
}

}  // namespace fuzz
