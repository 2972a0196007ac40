// TBoxLabel's values, change events and renaming.

#include "runtime/Exception.h"
#include "tests/setting/BoxLabelHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Counts the paints of its window.
class TCountingBoxLabel : public TBoxLabel {
public:
    using TBoxLabel::TBoxLabel;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        TBoxLabel::Paint();
    }
};

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        std::max(::GetWindowTextA(window, text.data(), static_cast<int>(text.size())), 0)));
    return text;
}

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
    EXPECT_TRUE(label.GetFrameVisible());
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
    Host.Label->SetFrameVisible(false);
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

TEST_F(BoxLabelStateTest, TheWindowTextFollowsTheCaptionWithoutAnExtraPaint) {
    // Set before the window exists, and longer than a new window's name can
    // carry whole.
    const std::string longCaption = std::string(70000, 'L') + "\x82\xa0";
    TForm form(nullptr);
    form.SetBounds(40, 200, 0, 0);
    form.SetClientSize(320, 60);
    auto* label = new TCountingBoxLabel(&form);
    label->SetParent(&form);
    label->SetBounds(10, 10, 121, 17);
    label->SetCaption(longCaption);
    form.HandleNeeded();
    form.SetVisible(true);
    const HWND window = label->WindowHandle();
    std::string text = WindowText(window);
    EXPECT_EQ(text.size(), longCaption.size());
    EXPECT_TRUE(text == longCaption);

    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const int paints = label->Paints;
    ASSERT_GT(paints, 0);
    for (const std::string& caption : {std::string("Mirror\r\nline"), longCaption, std::string()}) {
        label->SetCaption(caption);
        text = WindowText(window);
        EXPECT_EQ(text.size(), caption.size());
        EXPECT_TRUE(text == caption);
        // Drawn at once by the caption write; nothing left for a paint.
        EXPECT_FALSE(::GetUpdateRect(window, nullptr, FALSE));
    }
    EXPECT_EQ(label->Paints, paints);
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
