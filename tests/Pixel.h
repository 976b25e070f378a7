#pragma once

// Reading drawn pixels in tests.

#include <string>

#include "framework/Drawing.h"

namespace prova {

inline int Luminosita(fw::Color c) {
    return (fw::Red(c) * 3 + fw::Green(c) * 6 + fw::Blue(c)) / 10;
}

// Bounding box of the pixels darker than soglia inside the area; empty (left >
// right) when there are none.
struct Riquadro {
    int left = 1, top = 1, right = 0, bottom = 0;
    bool Vuoto() const { return left > right; }
};

inline Riquadro Inchiostro(const fw::Graphics& g, int x0, int y0, int x1, int y1,
                           int soglia = 128) {
    Riquadro r{x1 + 1, y1 + 1, x0 - 1, y0 - 1};
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (Luminosita(g.Pixel(x, y)) < soglia) {
                r.left = std::min(r.left, x);
                r.right = std::max(r.right, x);
                r.top = std::min(r.top, y);
                r.bottom = std::max(r.bottom, y);
            }
        }
    }
    if (r.right < r.left) return Riquadro{};
    return r;
}

inline std::string Esadecimale(fw::Color c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "&h%06X", c);
    return buf;
}

}  // namespace prova
