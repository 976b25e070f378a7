#pragma once

#include <limits>

#include "framework/Types.h"

class Campo;
class DragCanvas;

// The union of the page rectangles a change touched. Its bounds are kept in
// 64-bit integers, so that positions and sizes read from a hand-edited file
// cannot overflow, and it is cut to the canvas only when it is repainted. It
// starts empty: a change that touched nothing repaints nothing.
class AreaRidisegno {
  public:
    using Wide = long long;

    // Grows by the rectangle of w x h pixels from (x, y); a negative size adds
    // nothing.
    void Aggiungi(Wide x, Wide y, Wide w, Wide h);
    // Grows by the area a draw of the field may touch.
    void Aggiungi(const Campo& c);
    bool Vuota() const { return right < left || bottom < top; }

    // Repaints the part of the area that lies on the canvas. Cutting to the
    // canvas first keeps a far-off corner from saturating the size, which would
    // leave the visible part unrepainted.
    void Ridisegna(DragCanvas& canvas) const;

  private:
    Wide left = std::numeric_limits<Wide>::max();
    Wide top = std::numeric_limits<Wide>::max();
    Wide right = std::numeric_limits<Wide>::min();
    Wide bottom = std::numeric_limits<Wide>::min();
};
