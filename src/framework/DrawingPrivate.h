#pragma once

// Shared by the layer's own files; application code does not include this.

#include <QFont>
#include <QRect>
#include <QRectF>
#include <cmath>

#include "framework/Drawing.h"

namespace fw {

QFont MakeFont(const String& family, double size, bool bold, bool italic, bool underline);
// Device pixels per page pixel of the screen.
double ScreenPixelRatio();

// The one rule from page pixels to device pixels, at any ratio: a page edge e
// lies on device edge round(e * ratio), a half going up. Every fill, frame,
// copy and damaged rectangle goes through it, so a rectangle painted again in
// part gets the very device pixels it got when the page was painted whole, and
// two rectangles that share an edge share no device pixel. It is the rule the
// toolkit uses for the window's own pixels, so the screen agrees with it too.
inline int DeviceEdge(double e, double ratio) {
    double d = std::floor(e * ratio + 0.5);
    // Far-off edges (every drawing is first cut to near its surface) stay in range.
    return static_cast<int>(d < -1e9 ? -1e9 : d > 1e9 ? 1e9 : d);
}
// The device pixels of a page rectangle by that rule.
inline QRect DeviceRect(const QRectF& page, double ratio) {
    int left = DeviceEdge(page.left(), ratio), top = DeviceEdge(page.top(), ratio);
    return QRect(left, top, DeviceEdge(page.right(), ratio) - left,
                 DeviceEdge(page.bottom(), ratio) - top);
}

}  // namespace fw
