#include "framework/Types.h"

#include <cmath>
#include <limits>

namespace fw {

Integer ToInteger(double v) {
    if (std::isnan(v)) return 0;
    constexpr double lo = std::numeric_limits<Integer>::min();
    constexpr double hi = std::numeric_limits<Integer>::max();
    if (v <= lo) return std::numeric_limits<Integer>::min();
    if (v >= hi) return std::numeric_limits<Integer>::max();
    return static_cast<Integer>(std::trunc(v));
}

double Min(double a, double b) {
    return b < a ? b : a;
}
double Max(double a, double b) {
    return b > a ? b : a;
}
double Abs(double v) {
    return std::fabs(v);
}

}  // namespace fw
