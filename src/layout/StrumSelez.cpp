#include "layout/StrumSelez.h"

#include "layout/Campo.h"

using fw::ToInteger;

StrumSelez::StrumSelez() {
    Reset();
}

void StrumSelez::Disegna(fw::Graphics& g) {
    // The exact middle: a centre truncated toward zero would put a band of odd
    // negative size one pixel past its anchor, where no repaint of the band
    // reaches once the pointer comes back to the anchor.
    g.DrawObject(*this, static_cast<double>(tx) + Width / 2, static_cast<double>(ty) + Height / 2);
}

bool StrumSelez::NelRettangolo(const Campo& c) const {
    return tx < c.tx && ty < c.ty && c.tx + c.riquadro->Width < tx + Width &&
           c.ty + c.riquadro->Height < ty + Height;
}

void StrumSelez::Aggiusta() {
    if (Width < 0) {
        tx = ToInteger(tx + Width);
        Width = -Width + 1;
    }
    if (Height < 0) {
        ty = ToInteger(ty + Height);
        Height = -Height + 1;
    }
}

void StrumSelez::Reset() {
    Border = 50;
    Fill = 0;
    tx = -1;
    ty = -1;
    Width = 0;
    Height = 0;
}
