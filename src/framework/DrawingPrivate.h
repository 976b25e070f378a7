#pragma once

// Shared by the layer's own files; application code does not include this.

#include <QFont>

#include "framework/Drawing.h"

namespace fw {

QFont MakeFont(const String& family, double size, bool bold, bool italic, bool underline);
// Device pixels per page pixel of the screen.
double ScreenPixelRatio();

}  // namespace fw
