#include "setting/BoxLabels.h"

#include "lib/BoxLabelLayout.h"
#include "runtime/vcl/FormBuilder.h"

TCustomBoxLabel::TCustomBoxLabel(TComponent* AOwner)
    : TCustomControl(AOwner), FBevel(nullptr /* no owner component */), FAlignment(taCenter),
      FPaintPending(true) {
    SetWidth(121);
    SetHeight(17);
    FBevel.SetParent(this);
    FBevel.SetVisible(true);
    FBevel.SetAlign(TAlign::alClient);
    FAlignment = taCenter;
    FPaintPending = true;
    Canvas().Brush.Color = clBtnFace;
    // The pen leaves every pixel as it is: the outline drawn by Rectangle is
    // where the frame lies.
    Canvas().Pen.Mode = R2_NOP;
}

void TCustomBoxLabel::SetName(const std::string& NewName) {
    if (FCaption == Name())
        SetCaption(NewName);
    TCustomControl::SetName(NewName);
}

void TCustomBoxLabel::DrawLabel() {
    if (!GetFrameVisible() || FPaintPending)
        return;
    Canvas().Rectangle(0, 0, Width(), Height());
    const TBoxLabelRect r = BoxLabelTextRect(Width(), Height());
    const SIZE extent = Canvas().TextExtent(FCaption);
    const int y = BoxLabelTextY(Height(), extent.cy);
    const int x = BoxLabelTextX(FAlignment, Width(), extent.cx);
    Canvas().TextRect(RECT{r.Left, r.Top, r.Right, r.Bottom}, x, y, FCaption);
}

void TCustomBoxLabel::Paint() {
    FPaintPending = false;
    DrawLabel();
    TCustomControl::Paint();
}

void TCustomBoxLabel::WMSize(TWMSize& Message) {
    DrawLabel();
    TCustomControl::WMSize(Message);
    Message.Result = 0;
}

void TCustomBoxLabel::Change(TObject* Sender) {
    if (Loading())
        return;
    if (FOnChange)
        FOnChange(Sender);
}

void TCustomBoxLabel::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    DrawLabel();
}

void TCustomBoxLabel::SetBackColor(TColor Value) {
    Canvas().Brush.Color = Value;
    DrawLabel();
}

void TCustomBoxLabel::SetCaption(const std::string& Value) {
    FCaption = Value;
    SetText(Value);
    DrawLabel();
    Change(this);
}

bool TCustomBoxLabel::GetFrameVisible() const {
    return FBevel.Visible();
}

void TCustomBoxLabel::SetFrameVisible(bool Value) {
    FBevel.SetVisible(Value);
}

void TCustomBoxLabel::SetFont(const TFont& Value) {
    Canvas().SetFont(Value);
}

void TBoxLabel::ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) {
    const std::string& name = Property.Name;
    if (name == "Alignment") {
        SetAlignment(static_cast<TAlignment>(
            Builder.IntegerOrIdent(Property, {{"taLeftJustify", taLeftJustify},
                                              {"taRightJustify", taRightJustify},
                                              {"taCenter", taCenter}})));
    } else if (name == "BackColor") {
        SetBackColor(Builder.Color(Property));
    } else if (name == "Caption") {
        SetCaption(Builder.String(Property));
    } else if (name == "Visible") {
        SetFrameVisible(Builder.Boolean(Property));
    } else if (name == "OnChange") {
        SetOnChange(Builder.Event(Property));
    } else if (!ReadFontProperty(Builder, Property, GetFont())) {
        TCustomBoxLabel::ReadProperty(Builder, Property);
    }
}
