#pragma once

// For the layer's own use: which pixels of an area later opaque drawings cover,
// one bit per page pixel, so that what they hide need not be drawn.

#include <cstdint>
#include <vector>

namespace fw {

// A rectangle of whole pixels: left and top included, right and bottom not.
struct PixelBox {
    long long left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    long long Width() const { return right - left; }
    long long Height() const { return bottom - top; }
    PixelBox Intersected(const PixelBox& o) const;
    bool operator==(const PixelBox&) const = default;
};

class Coverage {
  public:
    // Starts over on this area, nothing covered.
    void Reset(const PixelBox& area);
    const PixelBox& Area() const { return area_; }
    // Marks the pixels of b (cut to the area) as covered.
    void Cover(const PixelBox& b);
    // The bounding box of the pixels of b (cut to the area) not yet covered;
    // empty when every one is.
    PixelBox Uncovered(const PixelBox& b) const;
    // Whether any pixel of b (cut to the area) is not yet covered.
    bool AnyUncovered(const PixelBox& b) const;

  private:
    PixelBox area_;
    long long words_ = 0;  // per row
    std::vector<std::uint64_t> bits_;
    mutable std::vector<std::uint64_t> columns_;
};

}  // namespace fw
