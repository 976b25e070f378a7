#include "layout/Campo.h"

#include <algorithm>
#include <cmath>

#include "framework/Fonts.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"

using fw::Integer;
using fw::String;
using fw::ToInteger;

Campo::Campo() {
    riquadro = fw::New<fw::RectShape>();
    if (!riquadro) Modulo1::MemoriaEsaurita();
    testoFisso = "Non definito";
    tx = 100;
    ty = 100;
    riquadro->Width = 100;
    riquadro->Height = 14;
    etichetta = testoFisso;
    coloreEtich = fw::RGB(0, 0, 0);
    maniglia = fw::New<fw::RectShape>();
    if (!maniglia) Modulo1::MemoriaEsaurita();
    maniglia->Width = 6;
    maniglia->Height = 6;
    maniglia->Border = 100;
    maniglia->BorderColor = 0x000000;
    maniglia->FillColor = 0x000000;
    maniglia->BorderWidth = 0;
}

void Campo::ClicManiglia(Integer x, Integer y) {
    ridimensiona = Modulo1::PuntoNelRettangolo(x, y, ToInteger(tx + riquadro->Width - 5),
                                               ToInteger(ty + riquadro->Height - 5), 5, 5);
}

bool Campo::ClicCampo(Integer x, Integer y) const {
    return Modulo1::PuntoNelRettangolo(x, y, tx, ty, ToInteger(riquadro->Width),
                                       ToInteger(riquadro->Height));
}

void Campo::ImpostaTesto(fw::Graphics& g, bool conSottolineato) const {
    g.TextFont = fw::Font(iFont);
    g.TextSize = dimFont;
    g.Bold = stileG;
    g.Italic = stileC;
    if (conSottolineato) g.Underline = stileS;
}

void Campo::Disegna(fw::Graphics& g) {
    fw::RectShape& r = *riquadro;
    r.Border = 100;
    r.FillColor = iCampo > 0 ? 0xFFFE95 : 0xCED1D1;
    switch (AllType) {
        case kNessuno:
            r.BorderColor = kBordoNessuno;
            break;
        case kSinistra:
            r.BorderColor = kBordoSinistra;
            break;
        case kCentro:
            r.BorderColor = kBordoCentro;
            break;
        case kDestra:
            r.BorderColor = kBordoDestra;
            break;
        default:
            break;  // a value from a hand-edited file keeps the colour it had
    }
    r.BorderWidth = AllType > 0 ? 2 : 1;
    // The centre, with the sizes truncated and halved toward zero, in reals so
    // that no sum can overflow.
    g.DrawObject(r, static_cast<double>(tx) + ToInteger(r.Width) / 2,
                 static_cast<double>(ty) + ToInteger(r.Height) / 2);

    ImpostaTesto(g, true);
    g.ForeColor = coloreEtich;
    MisuraEtichetta(g);
    g.DrawString(etichetta, static_cast<double>(tx) + 2, static_cast<double>(ty) + dimFont);

    if (selezionato) {
        g.DrawObject(*maniglia, ToInteger(tx + r.Width - 3), ToInteger(ty + r.Height - 3));
    }
}

void Campo::DimensEtichetta() {
    auto pic = fw::NewPicture(800, 50, 32);
    if (!pic) Modulo1::MemoriaEsaurita();
    fw::Graphics& g = pic->Graphics();
    ImpostaTesto(g, true);
    MisuraEtichetta(g);
}

void Campo::MisuraEtichetta(fw::Graphics& g) {
    wEtich = ToInteger(static_cast<double>(g.StringWidth(etichetta)) + 5);
    hEtich = ToInteger(static_cast<double>(g.StringHeight(etichetta, 800)) + 5);
    // The label is drawn from (tx + 2, ty + dimFont).
    using Wide = long long;
    auto oltre = [](Wide v) { return v > 0 ? ToInteger(static_cast<double>(v)) : 0; };
    fw::TextBounds b = g.StringBounds(etichetta);
    sbordoEtichetta_ = {};
    if (b.right <= b.left) return;
    sbordoEtichetta_.sinistra = oltre(-(2 + Wide{b.left}));
    sbordoEtichetta_.sopra = oltre(-(Wide{dimFont} + b.top));
    sbordoEtichetta_.destra = oltre(2 + Wide{b.right} - wEtich);
    sbordoEtichetta_.sotto = oltre(Wide{dimFont} + b.bottom - hEtich);
}

Campo::Sbordo Campo::Sbordi() const {
    Sbordo s = sbordoEtichetta_;
    // The handle spans the 6 pixels left of and above the frame's far corner.
    double w = riquadro->Width, h = riquadro->Height;
    if (w < 6) s.sinistra = std::max(s.sinistra, ToInteger(6 - std::floor(w)));
    if (h < 6) s.sopra = std::max(s.sopra, ToInteger(6 - std::floor(h)));
    return s;
}

String Campo::LarghezzeCaratteri() const {
    auto pic = fw::NewPicture(100, 100, 32);
    if (!pic) Modulo1::MemoriaEsaurita();
    fw::Graphics& g = pic->Graphics();
    // Underline does not change an advance, so it is left out.
    ImpostaTesto(g, false);
    String risultato;
    risultato.reserve(255 * 3);
    for (Integer i = 1; i <= 255; ++i) {
        Integer w = 0;
        if (i >= 32) {
            String c = fw::Chr(i);
            w = g.StringWidth(c + c) - g.StringWidth(c);
        }
        risultato += fw::Str(w);
        risultato += "/";
    }
    return risultato;
}

Integer Campo::Larghezza() const {
    return ToInteger(fw::Max(riquadro->Width + 1, wEtich));
}

Integer Campo::Altezza() const {
    return ToInteger(fw::Max(riquadro->Height + 1, hEtich));
}
