#include "framework/Coverage.h"

#include <algorithm>
#include <bit>

namespace fw {

namespace {

// The bits of one 64-bit word from bit a to bit b, both included (0 <= a <= b < 64).
std::uint64_t Bits(long long a, long long b) {
    std::uint64_t high = b == 63 ? ~std::uint64_t{0} : (std::uint64_t{1} << (b + 1)) - 1;
    return high & (~std::uint64_t{0} << a);
}

}  // namespace

PixelBox PixelBox::Intersected(const PixelBox& o) const {
    PixelBox r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
    if (r.Empty()) return PixelBox{};
    return r;
}

void Coverage::Reset(const PixelBox& area) {
    area_ = area.Empty() ? PixelBox{} : area;
    words_ = (area_.Width() + 63) / 64;
    bits_.assign(static_cast<std::size_t>(words_ * area_.Height()), 0);
    columns_.assign(static_cast<std::size_t>(words_), 0);
}

void Coverage::Cover(const PixelBox& b) {
    PixelBox r = b.Intersected(area_);
    if (r.Empty()) return;
    long long x0 = r.left - area_.left, x1 = r.right - 1 - area_.left;
    long long w0 = x0 / 64, w1 = x1 / 64;
    std::uint64_t head = Bits(x0 % 64, w0 == w1 ? x1 % 64 : 63), tail = Bits(0, x1 % 64);
    std::uint64_t* row = bits_.data() + (r.top - area_.top) * words_;
    for (long long y = r.top; y < r.bottom; ++y, row += words_) {
        row[w0] |= head;
        for (long long w = w0 + 1; w < w1; ++w) row[w] = ~std::uint64_t{0};
        if (w1 > w0) row[w1] |= tail;
    }
}

PixelBox Coverage::Uncovered(const PixelBox& b) const {
    PixelBox r = b.Intersected(area_);
    if (r.Empty()) return PixelBox{};
    long long x0 = r.left - area_.left, x1 = r.right - 1 - area_.left;
    long long w0 = x0 / 64, w1 = x1 / 64;
    std::uint64_t head = Bits(x0 % 64, w0 == w1 ? x1 % 64 : 63), tail = Bits(0, x1 % 64);
    std::uint64_t* columns = columns_.data();
    for (long long w = w0; w <= w1; ++w) columns[w] = 0;
    long long top = -1, bottom = -1;
    const std::uint64_t* row = bits_.data() + (r.top - area_.top) * words_;
    for (long long y = r.top; y < r.bottom; ++y, row += words_) {
        std::uint64_t any = ~row[w0] & head;
        columns[w0] |= any;
        for (long long w = w0 + 1; w < w1; ++w) {
            std::uint64_t open = ~row[w];
            columns[w] |= open;
            any |= open;
        }
        if (w1 > w0) {
            std::uint64_t open = ~row[w1] & tail;
            columns[w1] |= open;
            any |= open;
        }
        if (any) {
            if (top < 0) top = y;
            bottom = y;
        }
    }
    if (top < 0) return PixelBox{};
    long long first = w0, last = w1;
    while (!columns[first]) ++first;
    while (!columns[last]) --last;
    long long left = first * 64 + std::countr_zero(columns[first]);
    long long right = last * 64 + 63 - std::countl_zero(columns[last]);
    return PixelBox{area_.left + left, top, area_.left + right + 1, bottom + 1};
}

bool Coverage::AnyUncovered(const PixelBox& b) const {
    PixelBox r = b.Intersected(area_);
    if (r.Empty()) return false;
    long long x0 = r.left - area_.left, x1 = r.right - 1 - area_.left;
    long long w0 = x0 / 64, w1 = x1 / 64;
    std::uint64_t first = Bits(x0 % 64, w0 == w1 ? x1 % 64 : 63), last = Bits(0, x1 % 64);
    const std::uint64_t* row = bits_.data() + (r.top - area_.top) * words_;
    for (long long y = r.top; y < r.bottom; ++y, row += words_) {
        if (~row[w0] & first) return true;
        for (long long w = w0 + 1; w < w1; ++w) {
            if (~row[w]) return true;
        }
        if (w1 > w0 && (~row[w1] & last)) return true;
    }
    return false;
}

}  // namespace fw
