#pragma once

// Text between the layer's UTF-8 strings and Qt's; for the layer's own files.

#include <QString>

#include "framework/Types.h"

namespace fw {

inline QString Q(const String& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline String S(const QString& s) {
    return s.toStdString();
}

}  // namespace fw
