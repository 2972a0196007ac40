// Where the framed caption puts its text, for every alignment and for text
// larger than the box.

#include "lib/BoxLabelLayout.h"

#include <gtest/gtest.h>

namespace {

struct TXCase {
    int Alignment;
    int Width;
    int TextWidth;
    int X;
};

TEST(BoxLabelLayoutTest, PlacesTextHorizontallyByAlignment) {
    const TXCase cases[] = {
        {0, 121, 30, 2},   // left
        {1, 121, 30, 89},  // right: ends two pixels before the edge
        {2, 121, 30, 45},  // centre, 91 halves down
        {2, 120, 30, 45},  // centre, even
        {0, 50, 80, 2},    // left, wider than the box
        {1, 50, 80, -32},  // right, wider than the box
        {2, 50, 55, -2},   // centre, -5 truncates toward zero
        {2, 50, 57, -3},   // centre, -7 truncates toward zero
        {2, 65, 65, 0},    // centre, exactly as wide
        {3, 121, 30, 2},   // out of range: left
        {255, 121, 30, 2}, // out of range: left
        {-1, 121, 30, 2},  // out of range: left
    };
    for (const TXCase& c : cases) {
        EXPECT_EQ(BoxLabelTextX(c.Alignment, c.Width, c.TextWidth), c.X)
            << "alignment " << c.Alignment << ", width " << c.Width << ", text " << c.TextWidth;
    }
}

TEST(BoxLabelLayoutTest, CentresTextVerticallyTruncatingTowardZero) {
    EXPECT_EQ(BoxLabelTextY(17, 12), 2);
    EXPECT_EQ(BoxLabelTextY(17, 13), 2);
    EXPECT_EQ(BoxLabelTextY(17, 17), 0);
    EXPECT_EQ(BoxLabelTextY(17, 20), -1);
    EXPECT_EQ(BoxLabelTextY(17, 22), -2);
}

TEST(BoxLabelLayoutTest, ClipsTextInsideTheFrameWithTwoPixelsEachSide) {
    const TBoxLabelRect r = BoxLabelTextRect(121, 17);
    EXPECT_EQ(r.Left, 2);
    EXPECT_EQ(r.Top, 1);
    EXPECT_EQ(r.Right, 119);
    EXPECT_EQ(r.Bottom, 16);
    const TBoxLabelRect small = BoxLabelTextRect(3, 1);
    EXPECT_EQ(small.Right, 1);
    EXPECT_EQ(small.Bottom, 0);
}

} // namespace
