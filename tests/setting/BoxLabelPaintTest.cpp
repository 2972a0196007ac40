// TBoxLabel drawn into a real window and read back pixel by pixel.

#include "tests/setting/BoxLabelHost.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Black = RGB(0, 0, 0);

class BoxLabelPaintTest : public testing::Test {
protected:
    void SetUp() override {
        Host.Label->SetBackColor(Red);
        Host.Label->GetFont().SetColor(Black);
        Host.Label->GetFont().SetName("Arial");
        Host.Label->GetFont().SetHeight(-12);
        Host.Label->GetFont().SetStyle(fsUnderline);
    }

    int Width() const { return Host.Label->Width(); }
    int Height() const { return Host.Label->Height(); }

    // Every interior pixel outside [textLeft, textRight) is the fill colour.
    void ExpectInteriorFill(COLORREF fill, int textLeft, int textRight) {
        for (int y = 1; y < Height() - 1; ++y) {
            for (int x = 1; x < Width() - 1; ++x) {
                if (x >= textLeft && x < textRight)
                    continue;
                ASSERT_EQ(Host.Pixel(x, y), fill) << "at " << x << "," << y;
            }
        }
    }

    void ExpectFrame() {
        const COLORREF shadow = SysColor(COLOR_BTNSHADOW);
        const COLORREF highlight = SysColor(COLOR_BTNHIGHLIGHT);
        for (int x = 0; x < Width() - 1; ++x)
            ASSERT_EQ(Host.Pixel(x, 0), shadow) << "top row at " << x;
        for (int y = 0; y < Height() - 1; ++y)
            ASSERT_EQ(Host.Pixel(0, y), shadow) << "left column at " << y;
        for (int y = 0; y < Height(); ++y)
            ASSERT_EQ(Host.Pixel(Width() - 1, y), highlight) << "right column at " << y;
        for (int x = 0; x < Width(); ++x)
            ASSERT_EQ(Host.Pixel(x, Height() - 1), highlight) << "bottom row at " << x;
    }

    // The columns that hold any text pixel: [first, last], or {-1, -1}.
    std::pair<int, int> TextColumns() {
        int first = -1;
        int last = -1;
        for (int x = 0; x < Width(); ++x) {
            for (int y = 1; y < Height() - 1; ++y) {
                if (Host.Pixel(x, y) == Black) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
            }
        }
        return {first, last};
    }

    bool AnyPixel(COLORREF color) {
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                if (Host.Pixel(x, y) == color)
                    return true;
            }
        }
        return false;
    }

    TBoxLabelHost Host;
};

TEST_F(BoxLabelPaintTest, PaintFillsTheInteriorAndLeavesTheOuterRingToTheFrame) {
    Host.Label->SetCaption("");
    Host.Repaint();
    ExpectInteriorFill(Red, 0, 0);
    ExpectFrame();
}

TEST_F(BoxLabelPaintTest, WritesAfterTheFirstPaintDrawAtOnceAndKeepTheFrame) {
    Host.Label->SetCaption("");
    Host.Repaint();
    Host.Label->SetBackColor(Green);
    ExpectInteriorFill(Green, 0, 0);
    ExpectFrame();
}

TEST_F(BoxLabelPaintTest, NothingIsDrawnBeforeTheFirstPaint) {
    Host.EraseWithoutPaint();
    Host.Label->SetCaption("HHHH");
    Host.Label->SetBackColor(Green);
    Host.Label->SetAlignment(taLeftJustify);
    EXPECT_FALSE(AnyPixel(Green));
    EXPECT_FALSE(AnyPixel(Black));
    Host.Repaint();
    EXPECT_EQ(Host.Pixel(Width() - 3, Height() / 2), Green);
    EXPECT_EQ(TextColumns().first, 2);
}

TEST_F(BoxLabelPaintTest, PlacesUnderlinedTextByAlignment) {
    Host.Repaint();
    const std::string caption = "HHHH";
    const int w = Host.Label->Canvas().TextExtent(caption).cx;
    ASSERT_GT(w, 4);
    struct TCase {
        TAlignment Alignment;
        int First;
    };
    const TCase cases[] = {
        {taLeftJustify, 2},
        {taRightJustify, Width() - w - 2},
        {taCenter, (Width() - w) / 2},
        {static_cast<TAlignment>(7), 2},
    };
    Host.Label->SetCaption(caption);
    for (const TCase& c : cases) {
        Host.Label->SetAlignment(c.Alignment);
        const auto [first, last] = TextColumns();
        EXPECT_EQ(first, c.First) << "alignment " << int(c.Alignment);
        EXPECT_EQ(last, c.First + w - 1) << "alignment " << int(c.Alignment);
        ExpectInteriorFill(Red, first, last + 1);
    }
}

TEST_F(BoxLabelPaintTest, ClipsAWideCaptionTwoPixelsFromEitherEdge) {
    Host.Repaint();
    Host.Label->SetAlignment(taCenter);
    Host.Label->SetCaption(std::string(60, 'H'));
    ASSERT_GT(Host.Label->Canvas().TextExtent(Host.Label->GetCaption()).cx, Width());
    const auto [first, last] = TextColumns();
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, Width() - 3);
    ExpectInteriorFill(Red, 2, Width() - 2);
    ExpectFrame();
}

TEST_F(BoxLabelPaintTest, DrawsCarriageReturnAndLineFeedOnOneLine) {
    Host.Repaint();
    const SIZE one = Host.Label->Canvas().TextExtent("H");
    const SIZE two = Host.Label->Canvas().TextExtent("H\r\nH");
    EXPECT_EQ(two.cy, one.cy);
    EXPECT_GT(two.cx, one.cx);
}

TEST_F(BoxLabelPaintTest, InvisibleDrawsNeitherFillTextNorFrame) {
    Host.Label->SetCaption("HHHH");
    Host.Repaint();
    Host.Label->SetFrameVisible(false);
    Host.Repaint();
    Host.Label->SetCaption("HHHHHH");
    Host.Label->SetBackColor(Green);
    const COLORREF face = SysColor(COLOR_BTNFACE);
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x)
            ASSERT_EQ(Host.Pixel(x, y), face) << "at " << x << "," << y;
    }
    Host.Label->SetFrameVisible(true);
    Host.Repaint();
    ExpectFrame();
    EXPECT_EQ(Host.Pixel(1, 1), Green);
}

TEST_F(BoxLabelPaintTest, ASizeChangeDrawsAtOnceAtTheNewSize) {
    Host.Repaint();
    Host.EraseWithoutPaint();
    Host.Label->SetWidth(200);
    ::ValidateRect(Host.Label->WindowHandle(), nullptr);
    EXPECT_EQ(Host.Pixel(190, Height() / 2), Red);
}

} // namespace
