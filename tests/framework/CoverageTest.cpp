// Which pixels later opaque drawings cover, bit by bit across word boundaries.

#include <gtest/gtest.h>

#include "framework/Coverage.h"

using fw::Coverage;
using fw::PixelBox;

TEST(Coverage, ScopertoEAncoraLiberoAttraversoIConfiniDelleParole) {
    Coverage c;
    c.Reset(PixelBox{-10, 5, 190, 45});  // 200 pixels: four words a row
    EXPECT_EQ(c.Uncovered(PixelBox{0, 10, 100, 20}), (PixelBox{0, 10, 100, 20}));
    c.Cover(PixelBox{-20, 0, 54, 100});   // up to the end of the first word
    c.Cover(PixelBox{54, 10, 119, 20});   // the second word whole, into the third
    c.Cover(PixelBox{119, 10, 250, 19});  // the rest, one row short
    struct Caso {
        PixelBox dove, scoperto;
        bool libero;
    };
    const Caso casi[] = {
        {{-10, 5, 54, 45}, {}, false},                    // covered whole
        {{0, 10, 190, 19}, {}, false},                    // across all four words
        {{0, 10, 190, 20}, {119, 19, 190, 20}, true},     // the short row shows
        {{53, 10, 56, 25}, {54, 20, 56, 25}, true},       // below the second cover
        {{117, 19, 122, 21}, {117, 19, 122, 21}, true},   // short row and the one below
        {{-100, -100, -50, -50}, {}, false},              // outside the area
        {{189, 44, 300, 300}, {189, 44, 190, 45}, true},  // cut to the area
        {{60, 30, 60, 40}, {}, false},                    // empty
    };
    for (const Caso& k : casi) {
        PixelBox u = c.Uncovered(k.dove);
        EXPECT_EQ(u, k.scoperto) << k.dove.left << "," << k.dove.top << " " << u.left << ","
                                 << u.top << "," << u.right << "," << u.bottom;
        EXPECT_EQ(c.AnyUncovered(k.dove), k.libero) << k.dove.left << "," << k.dove.top;
    }
    c.Reset(PixelBox{0, 0, 64, 1});
    EXPECT_EQ(c.Uncovered(PixelBox{0, 0, 64, 1}), (PixelBox{0, 0, 64, 1}));
    c.Cover(PixelBox{0, 0, 63, 1});
    EXPECT_EQ(c.Uncovered(PixelBox{0, 0, 64, 1}), (PixelBox{63, 0, 64, 1}));
}
