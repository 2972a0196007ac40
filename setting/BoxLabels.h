#pragma once
// TBoxLabel: one line of text in a filled box with a sunken frame. The text
// is placed left, right or centred and always centred vertically. Once the
// control has been painted, every write of the caption, alignment or colour
// draws at once, outside the paint cycle, so a live preview follows each
// keystroke. FrameVisible, published as the property Visible, shows or
// hides the frame and the drawing only; the window stays and still takes
// clicks. The window text follows the caption, so tools that read windows
// see what is shown.

#include "runtime/vcl/Bevel.h"
#include "runtime/vcl/CustomControl.h"

#include <cstdint>
#include <string>
#include <utility>

// One byte, as stored; values outside the three names place as left.
enum TAlignment : std::uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

class TCustomBoxLabel : public TCustomControl {
public:
    explicit TCustomBoxLabel(TComponent* AOwner);
    std::string_view ClassName() const override { return "TCustomBoxLabel"; }

    // A caption equal to the old name follows the new name.
    void SetName(const std::string& NewName) override;
    void DrawLabel();

protected:
    void Paint() override;
    void WMSize(TWMSize& Message) override;
    // Calls OnChange, except while the control is being loaded.
    virtual void Change(TObject* Sender);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TColor GetBackColor() const { return Canvas().Brush.Color; }
    void SetBackColor(TColor Value);
    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool GetFrameVisible() const;
    void SetFrameVisible(bool Value);
    TFont& GetFont() { return Canvas().Font; }
    void SetFont(const TFont& Value);
    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
    // The frame: a member, so it lives exactly as long as the label. It has
    // no owner component, which would release it a second time.
    TBevel FBevel;
    std::string FCaption;
    TAlignment FAlignment;
    bool FPaintPending;
    TNotifyEvent FOnChange;
};

class TBoxLabel : public TCustomBoxLabel {
public:
    using TCustomBoxLabel::TCustomBoxLabel;
    std::string_view ClassName() const override { return "TBoxLabel"; }

    using TCustomBoxLabel::GetAlignment;
    using TCustomBoxLabel::GetBackColor;
    using TCustomBoxLabel::GetCaption;
    using TCustomBoxLabel::GetFont;
    using TCustomBoxLabel::GetFrameVisible;
    using TCustomBoxLabel::GetOnChange;
    using TCustomBoxLabel::SetAlignment;
    using TCustomBoxLabel::SetBackColor;
    using TCustomBoxLabel::SetCaption;
    using TCustomBoxLabel::SetFont;
    using TCustomBoxLabel::SetFrameVisible;
    using TCustomBoxLabel::SetOnChange;

    // The published properties, as a form description sets them.
    void ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) override;
};
