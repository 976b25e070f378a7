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

bool Conferma(const String& messaggio, const String& azione, const String& annulla) {
    fw::MessageDialog d;
    d.Icon = 1;
    d.ActionButton.Caption = azione;
    d.CancelButton.Caption = annulla;
    d.CancelButton.Visible = true;
    d.Message = messaggio;
    return d.ShowModal() == &d.ActionButton;
}

String SuUnaRiga(String s) {
    for (char& ch : s) {
        if (ch == '\t' || ch == '\r' || ch == '\n') ch = ' ';
    }
    return s;
}

}  // namespace Modulo1
