#pragma once

#include "framework/Types.h"

namespace fw {

// The installed font families, in the toolkit's order.
Integer FontCount();
// Font i; "" for an index outside 0 to FontCount() - 1.
String Font(Integer i);

}  // namespace fw
