#pragma once

#include "framework/Drawing.h"
#include "framework/Types.h"

class Campo;

// The selection band dragged open on empty page. Width and Height are measured
// from the anchor (tx, ty) and are negative while the band goes up or left.
class StrumSelez : public fw::RectShape {
  public:
    using Integer = fw::Integer;

    StrumSelez();

    Integer tx = -1;
    Integer ty = -1;

    void Disegna(fw::Graphics& g);
    // Whether the field's frame lies strictly inside the band.
    bool NelRettangolo(const Campo& c) const;
    // Turns a band dragged up or left into one of non-negative size.
    void Aggiusta();
    // Hides the band.
    void Reset();
};
