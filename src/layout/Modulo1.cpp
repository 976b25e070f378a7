#include "layout/Modulo1.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Fonts.h"
#include "framework/Text.h"

namespace Modulo1 {

bool PuntoNelRettangolo(Integer x, Integer y, Integer left, Integer top, Integer width,
                        Integer height) {
    // The sums are taken wide, so that a rectangle near the integer bounds does
    // not wrap around into a false hit.
    long long right = static_cast<long long>(left) + width;
    long long bottom = static_cast<long long>(top) + height;
    return left < x && x < right && top < y && y < bottom;
}

Integer CercaFont(const String& nome) {
    Integer n = fw::FontCount();
    for (Integer i = 0; i < n; ++i) {
        if (fw::TextEquals(fw::Font(i), nome)) return i;
    }
    return 0;
}

String StrZeroVuoto(Integer n) {
    return n == 0 ? String() : fw::Str(n);
}

double Min3(double a, double b, double c) {
    return fw::Min(fw::Min(a, b), c);
}
double Max3(double a, double b, double c) {
    return fw::Max(fw::Max(a, b), c);
}

void MemoriaEsaurita() {
    fw::MsgBox("Memoria esaurita.");
    fw::QuitNow(0);
}

void AvvisaLimiteTestiFissi(Integer presenti) {
    if (presenti < kMassimoTestiFissi) return;
    fw::MsgBox("Attenzione: stai superando il limite massimo di " + fw::Str(kMassimoTestiFissi) +
               " testi fissi per modulo.");
}

bool Conferma(const String& messaggio, const String& azione, const String& annulla) {
    fw::MessageDialog d;
    d.Icon = 1;
    d.ActionButton.Caption = azione;
    d.CancelButton.Caption = annulla;
    d.CancelButton.Visible = true;
    d.Message = messaggio;
    return d.ShowModal() == &d.ActionButton;
}

String Abbrevia(const String& s, std::size_t massimo) {
    // A character starts at every byte that is not a UTF-8 continuation byte;
    // in text that is no UTF-8, a run of continuation bytes is cut into
    // characters of at most four bytes, so that the counting below stops after
    // massimo characters from either end, whatever the length of s.
    auto seguito = [&s](std::size_t i) {
        return (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80;
    };
    auto inizio = [&](std::size_t i) {
        return !seguito(i) || (i >= 3 && seguito(i - 1) && seguito(i - 2) && seguito(i - 3));
    };
    const std::size_t testa = massimo / 2, coda = massimo > testa ? massimo - testa - 1 : 0;
    // The byte after the first testa characters.
    std::size_t fineTesta = 0;
    for (std::size_t contati = 0; fineTesta < s.size(); ++fineTesta) {
        if (inizio(fineTesta) && contati++ == testa) break;
    }
    // The first byte of the last coda characters.
    std::size_t inizioCoda = s.size();
    for (std::size_t contati = 0; contati < coda && inizioCoda > fineTesta;) {
        if (inizio(--inizioCoda)) ++contati;
    }
    // "…" stands for the characters in between: a cut is made only when they
    // are two or more, so the result is never longer than s.
    std::size_t inMezzo = 0;
    for (std::size_t i = fineTesta; i < inizioCoda && inMezzo < 2; ++i) inMezzo += inizio(i);
    if (inMezzo < 2) return s;
    return s.substr(0, fineTesta) + "…" + s.substr(inizioCoda);
}

String CausaErrore(fw::FileError errore) {
    using E = fw::FileError;
    switch (errore) {
        case E::NoSpace:
            return "il disco è pieno";
        case E::NoInodes:
            return "sul disco non c'è posto per altri file (gli inode sono esauriti)";
        case E::NoPermission:
            return "mancano i permessi per scrivere nella cartella";
        case E::Locked:
            return "il file è protetto da scrittura";
        case E::ReadOnlyDisk:
            return "il disco è in sola lettura";
        case E::FolderInTheWay:
            return "al suo posto c'è una cartella";
        case E::NotAFile:
            return "al suo posto c'è un file speciale (un dispositivo o una coda), che non viene "
                   "sostituito";
        case E::NoFolder:
            return "la cartella che lo contiene non esiste";
        case E::None:
        case E::Other:
            break;
    }
    return String();
}

String SuUnaRiga(String s) {
    for (char& ch : s) {
        if (ch == '\t' || ch == '\r' || ch == '\n') ch = ' ';
    }
    return s;
}

}  // namespace Modulo1
