#pragma once

// What the page canvas tells the palette about the selection. The palette window
// implements it; the canvas calls it only when one is attached.
class InterfacciaPalette {
  public:
    virtual ~InterfacciaPalette() = default;
    // Fill the palette from the selected fields.
    virtual void Popola() = 0;
    // Fill only the position and size boxes.
    virtual void PopolaDim() = 0;
    // Empty the palette.
    virtual void Reset() = 0;
};
