#include "layout/Sezione.h"

#include "layout/Modulo1.h"

using fw::ToInteger;

namespace {
constexpr fw::Color kRosso = 0xFF443E;
}

Sezione::Sezione() {
    riquadro = fw::New<fw::RectShape>();
    if (!riquadro) Modulo1::MemoriaEsaurita();
    riquadro->Width = 10;
    riquadro->Height = 14;
    riquadro->Border = 100;
    riquadro->BorderColor = kRosso;
    riquadro->FillColor = kRosso;

    etichetta = fw::New<fw::StringShape>();
    if (!etichetta) Modulo1::MemoriaEsaurita();
    etichetta->TextSize = 10;

    linea = fw::New<fw::CurveShape>();
    if (!linea) Modulo1::MemoriaEsaurita();
    linea->Order = 0;
    linea->X = 0;
    linea->X2 = 10000;
    linea->BorderColor = kRosso;
}

bool Sezione::ClicSezione(Integer x, Integer y) const {
    // In reals: a position read from a file may lie near the integer bounds.
    return Modulo1::PuntoNelRettangolo(x, y, 0, ToInteger(static_cast<double>(posizY) - 10),
                                       ToInteger(riquadro->Width), ToInteger(riquadro->Height));
}

void Sezione::Disegna(fw::Graphics& g) {
    linea->Y = posizY;
    linea->Y2 = posizY;
    g.DrawObject(*linea, 0, 0);
    g.DrawObject(*riquadro, 5, ToInteger(static_cast<double>(posizY) - 7));
    g.DrawObject(*etichetta, 5, ToInteger(static_cast<double>(posizY) - 14 + etichetta->TextSize));
}
