#pragma once

#include <memory>

#include "framework/Drawing.h"
#include "framework/Types.h"

// One of the three horizontal section lines of a layout, with the tab by which
// the user drags it.
class Sezione {
  public:
    using Integer = fw::Integer;

    Sezione();

    Integer posizY = 0;
    std::shared_ptr<fw::RectShape> riquadro;
    std::shared_ptr<fw::CurveShape> linea;
    std::shared_ptr<fw::StringShape> etichetta;
    // Bounds of posizY for the drag in progress.
    Integer limiteSup = 0;
    Integer limiteInf = 0;

    // Whether (x, y) lies in the grab zone of the line.
    bool ClicSezione(Integer x, Integer y) const;
    void Disegna(fw::Graphics& g);
};
