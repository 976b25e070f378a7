#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <string>

namespace fw {

using Integer = std::int32_t;
using String = std::string;  // UTF-8 text

// A 24-bit colour, &hRRGGBB.
using Color = std::uint32_t;

// Each component is clamped to 0..255, so a value out of range never bleeds into
// the neighbouring component.
constexpr Color RGB(int r, int g, int b) {
    auto clamp = [](int v) { return static_cast<Color>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    return (clamp(r) << 16) | (clamp(g) << 8) | clamp(b);
}
constexpr int Red(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int Green(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int Blue(Color c) {
    return static_cast<int>(c & 0xFF);
}

// The program's one conversion from a real to an Integer: truncation toward zero,
// saturating at the 32-bit bounds; NaN gives 0.
Integer ToInteger(double v);

double Min(double a, double b);
double Max(double a, double b);
double Abs(double v);

// Creates a shared object; nullptr when memory is exhausted, so callers can take
// the program's out-of-memory path instead of unwinding.
template <class T, class... Args>
std::shared_ptr<T> New(Args&&... args) {
    try {
        return std::make_shared<T>(std::forward<Args>(args)...);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace fw
