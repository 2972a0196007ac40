// TBoxLabel's values, change events and renaming.

#include "runtime/Exception.h"
#include "tests/setting/BoxLabelHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class BoxLabelStateTest : public testing::Test {
protected:
    void SetUp() override {
        Host.Label->SetOnChange([this](TObject* sender) {
            Senders.push_back(sender);
            Captions.push_back(Host.Label->GetCaption());
        });
    }

    TBoxLabelHost Host;
    std::vector<TObject*> Senders;
    std::vector<std::string> Captions;
};

TEST_F(BoxLabelStateTest, StartsWithItsConstructionValues) {
    TBoxLabel label(nullptr);
    EXPECT_EQ(label.Width(), 121);
    EXPECT_EQ(label.Height(), 17);
    EXPECT_EQ(label.GetAlignment(), taCenter);
    EXPECT_EQ(label.GetBackColor(), static_cast<TColor>(0x8000000F));
    EXPECT_EQ(label.Canvas().Pen.Mode, R2_NOP);
    EXPECT_EQ(label.GetCaption(), "");
    EXPECT_TRUE(label.GetVisible());
    EXPECT_FALSE(label.TabStop());
    EXPECT_FALSE(label.GetOnChange());
}

TEST_F(BoxLabelStateTest, WithoutAParentThereIsNoWindowToMakeOrDrawOn) {
    TBoxLabel label(nullptr);
    EXPECT_THROW(label.Handle(), EOSError);
    EXPECT_THROW(label.Canvas().TextExtent("x"), EOSError);
    EXPECT_FALSE(label.HandleAllocated());
}

TEST_F(BoxLabelStateTest, EveryCaptionWriteReportsAChangeWithTheLabelAsSender) {
    Host.Label->SetCaption("same");
    Host.Label->SetCaption("same");
    ASSERT_EQ(Senders.size(), 2u);
    EXPECT_EQ(Senders[0], Host.Label);
    EXPECT_EQ(Captions[1], "same");
}

TEST_F(BoxLabelStateTest, CaptionWritesAreSilentWhileLoading) {
    Host.Label->SetLoading(true);
    Host.Label->SetCaption("loading");
    Host.Label->SetLoading(false);
    EXPECT_TRUE(Senders.empty());
    EXPECT_EQ(Host.Label->GetCaption(), "loading");
}

TEST_F(BoxLabelStateTest, CaptionWritesStillCountWhileInvisible) {
    Host.Label->SetVisible(false);
    Host.Label->SetCaption("hidden");
    EXPECT_EQ(Senders.size(), 1u);
    EXPECT_EQ(Host.Label->GetCaption(), "hidden");
}

TEST_F(BoxLabelStateTest, ACaptionEqualToTheNameFollowsARename) {
    Host.Label->SetName("First");
    EXPECT_EQ(Host.Label->GetCaption(), "First");
    Host.Label->SetName("Second");
    EXPECT_EQ(Host.Label->GetCaption(), "Second");
    EXPECT_EQ(Host.Label->Name(), "Second");
    EXPECT_EQ(Captions, (std::vector<std::string>{"First", "Second"}));
}

TEST_F(BoxLabelStateTest, AnyOtherCaptionStaysOnRename) {
    Host.Label->SetName("First");
    Host.Label->SetCaption("Own text");
    Senders.clear();
    Host.Label->SetName("Second");
    EXPECT_EQ(Host.Label->GetCaption(), "Own text");
    EXPECT_TRUE(Senders.empty());
}

TEST_F(BoxLabelStateTest, TheWindowTextFollowsTheCaption) {
    Host.Label->SetCaption("Mirror\r\nline");
    char text[64] = {};
    ::GetWindowTextA(Host.Label->WindowHandle(), text, sizeof text);
    EXPECT_STREQ(text, "Mirror\r\nline");
}

TEST_F(BoxLabelStateTest, FontWritesCopyIntoTheCanvasFont) {
    TFont font;
    font.SetName("Courier New");
    font.SetHeight(-20);
    font.SetStyle(fsBold);
    Host.Label->SetFont(font);
    EXPECT_EQ(Host.Label->GetFont().Name(), "Courier New");
    EXPECT_EQ(Host.Label->GetFont().Height(), -20);
    EXPECT_EQ(Host.Label->GetFont().Style(), static_cast<TFontStyles>(fsBold));
    EXPECT_EQ(&Host.Label->GetFont(), &Host.Label->Canvas().Font);
    EXPECT_TRUE(Senders.empty());
}

TEST_F(BoxLabelStateTest, ReleasingTheFormReleasesTheLabelAndItsFrame) {
    const HWND window = Host.Label->WindowHandle();
    ASSERT_TRUE(::IsWindow(window));
    Host.Form.reset();
    EXPECT_FALSE(::IsWindow(window));
}

} // namespace
