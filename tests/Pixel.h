#pragma once

// Reading drawn pixels in tests.

#include <QImage>
#include <QRect>
#include <cmath>
#include <string>

#include "framework/Drawing.h"
#include "framework/DrawingPrivate.h"

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

// Page pixels and device pixels, by the rule the layer draws with: page pixel
// x covers the device pixels from Dispositivo(x) up to Dispositivo(x + 1).
inline int Dispositivo(double x, double dpr) {
    return fw::DeviceEdge(x, dpr);
}
inline QRect Dispositivo(const QRect& pagina, double dpr) {
    return fw::DeviceRect(QRectF(pagina), dpr);
}
// The page pixel that device pixel d belongs to.
inline int PaginaDi(int d, double dpr) {
    int x = static_cast<int>(std::floor(d / dpr));
    while (Dispositivo(x + 1, dpr) <= d) ++x;
    while (Dispositivo(x, dpr) > d) --x;
    return x;
}
// The colour of page pixel (x, y) of an image at its own density: its first
// device pixel, which it shares with no neighbour.
inline fw::Color Colore(const QImage& i, int x, int y) {
    double dpr = i.devicePixelRatio();
    QRgb v = i.pixel(Dispositivo(x, dpr), Dispositivo(y, dpr));
    return fw::RGB(qRed(v), qGreen(v), qBlue(v));
}

inline std::string Esadecimale(fw::Color c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "&h%06X", c);
    return buf;
}

}  // namespace prova
