#include "layout/AreaRidisegno.h"

#include <algorithm>

#include "layout/Campo.h"
#include "layout/DragCanvas.h"

void AreaRidisegno::Aggiungi(Wide x, Wide y, Wide w, Wide h) {
    if (w < 0 || h < 0) return;
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x + w);
    bottom = std::max(bottom, y + h);
}

void AreaRidisegno::Aggiungi(const Campo& c) {
    Aggiungi(c.tx, c.ty, c.Larghezza(), c.Altezza());
}

void AreaRidisegno::Ridisegna(DragCanvas& canvas) const {
    if (Vuota()) return;
    Wide w = canvas.Width(), h = canvas.Height();
    Wide l = std::clamp<Wide>(left, 0, w), r = std::clamp<Wide>(right, 0, w);
    Wide t = std::clamp<Wide>(top, 0, h), b = std::clamp<Wide>(bottom, 0, h);
    if (r <= l || b <= t) return;
    canvas.RidisegnaArea(static_cast<fw::Integer>(l), static_cast<fw::Integer>(t),
                         static_cast<fw::Integer>(r - l), static_cast<fw::Integer>(b - t));
}
