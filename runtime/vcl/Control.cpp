#include "runtime/vcl/Control.h"

#include "runtime/vcl/FormBuilder.h"
#include "runtime/vcl/WinControl.h"

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

TControl::~TControl() {
    if (FParent != nullptr)
        FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == FParent)
        return;
    if (FParent != nullptr)
        FParent->RemoveControl(this);
    FParent = nullptr;
    if (AParent != nullptr)
        AParent->InsertControl(this);
    ParentChanged();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    BoundsChanged();
}

void TControl::SetVisible(bool Value) {
    if (Value == FVisible)
        return;
    FVisible = Value;
    VisibleChanged();
}

void TControl::SetAlign(TAlign Value) {
    FAlign = Value;
    if (FParent != nullptr)
        FParent->Realign();
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) {
    const std::string& name = Property.Name;
    if (name == "Left")
        SetLeft(Builder.Integer(Property));
    else if (name == "Top")
        SetTop(Builder.Integer(Property));
    else if (name == "Width")
        SetWidth(Builder.Integer(Property));
    else if (name == "Height")
        SetHeight(Builder.Integer(Property));
    else if (name == "Visible")
        SetVisible(Builder.Boolean(Property));
    else if (name == "Align")
        SetAlign(Builder.Enumeration<TAlign>(
            Property, {{"alNone", TAlign::alNone}, {"alClient", TAlign::alClient}}));
    else if (name == "OnClick")
        OnClick = Builder.Event(Property);
    else if (name == "OnDblClick")
        OnDblClick = Builder.Event(Property);
    else
        TComponent::ReadProperty(Builder, Property);
}

void TGraphicControl::Invalidate() {
    TWinControl* parent = Parent();
    if (parent != nullptr && parent->HandleAllocated()) {
        const RECT bounds = BoundsRect();
        ::InvalidateRect(parent->WindowHandle(), &bounds, TRUE);
    }
}
