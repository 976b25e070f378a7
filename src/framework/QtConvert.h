#pragma once

// Values between the layer's types and Qt's; for the layer's own files.

#include <QColor>
#include <QString>
#include <algorithm>
#include <cmath>

#include "framework/Types.h"

namespace fw {

inline QString Q(const String& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline String S(const QString& s) {
    return s.toStdString();
}

// A caption or menu text as given: a "&" in it is no keyboard mnemonic.
inline QString Shown(const String& s) {
    return Q(s).replace(QLatin1Char('&'), QLatin1String("&&"));
}

// opacity is 0 to 100, as the shapes' Border and Fill; NaN is transparent.
inline QColor ToQColor(Color c, double opacity = 100) {
    double a = std::clamp(std::isnan(opacity) ? 0.0 : opacity, 0.0, 100.0);
    return QColor(Red(c), Green(c), Blue(c), static_cast<int>(std::lround(a * 2.55)));
}

// The largest text size drawn or shown; larger sizes are drawn at it.
inline constexpr int kLargestTextSize = 2000;
// The largest picture or canvas surface made: a side in device pixels, and its
// bytes. A larger one is refused rather than taking gigabytes.
inline constexpr int kLargestPictureSide = 32767;
inline constexpr long long kLargestPictureBytes = 1LL << 30;

}  // namespace fw
