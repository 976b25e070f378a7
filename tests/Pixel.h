#pragma once

// Reading drawn pixels in tests.

#include <QBackingStore>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QWidget>
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

// What the window of the widget shows, read from the platform's backing store.
// The offscreen platform keeps the window's pixels in an image; its own screen
// grab returns only a corner of it when scaled.
inline QImage Finestra(const QWidget* w) {
    QWidget* top = w->window();
    auto* img =
        top->backingStore() ? dynamic_cast<QImage*>(top->backingStore()->paintDevice()) : nullptr;
    if (!img) return QImage();
    QImage copia = img->convertToFormat(QImage::Format_RGB32);
    copia.setDevicePixelRatio(top->devicePixelRatioF());
    return copia;
}

// Where the canvas widget's corner lies in its window's device pixels, by the
// rule: its surface's device pixels follow one for one from there.
inline QPoint Angolo(const QWidget* tela, double dpr) {
    QPoint o = tela->mapTo(tela->window(), QPoint(0, 0));
    return QPoint(Dispositivo(o.x(), dpr), Dispositivo(o.y(), dpr));
}

// Every device pixel of the window where the canvas shows holds the canvas
// surface's device pixel there; the first difference, or "".
inline std::string FinestraDiversaDallaTela(QWidget* tela) {
    QImage s = Finestra(tela);
    if (s.isNull()) return "nessuna finestra";
    QImage superficie = tela->grab().toImage().convertToFormat(QImage::Format_RGB32);
    double dpr = s.devicePixelRatio();
    QPoint o = tela->mapTo(tela->window(), QPoint(0, 0)), angolo = Angolo(tela, dpr);
    QRect visibile =
        Dispositivo(tela->visibleRegion().boundingRect().translated(o), dpr).intersected(s.rect());
    for (int y = visibile.top(); y <= visibile.bottom(); ++y) {
        for (int x = visibile.left(); x <= visibile.right(); ++x) {
            QPoint d = QPoint(x, y) - angolo;
            if (!superficie.rect().contains(d)) continue;
            QRgb a = s.pixel(x, y) & 0xFFFFFF, b = superficie.pixel(d) & 0xFFFFFF;
            if (a != b) {
                return std::to_string(d.x()) + "," + std::to_string(d.y()) + ": " +
                       std::to_string(a) + " invece di " + std::to_string(b);
            }
        }
    }
    return "";
}

inline std::string Esadecimale(fw::Color c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "&h%06X", c);
    return buf;
}

}  // namespace prova
