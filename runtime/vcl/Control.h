#pragma once
// Controls: components with a place (Left, Top, Width, Height) inside a
// parent window, a visibility, an alignment and click events. Graphic
// controls have no window of their own; their parent paints them.

#include "runtime/vcl/Component.h"

#include <windows.h>

class TWinControl;

enum class TAlign { alNone, alClient };

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    // Leaves the parent's list of controls.
    ~TControl() override;

    std::string_view ClassName() const override { return "TControl"; }

    TWinControl* Parent() const { return FParent; }
    void SetParent(TWinControl* AParent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Stores the new place first, then moves what shows it, so that size
    // handlers already see the new values.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    virtual void Click();
    virtual void DblClick();

    void ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) override;

protected:
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    virtual void ParentChanged() {}

private:
    friend class TWinControl;

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    TAlign FAlign = TAlign::alNone;
};

class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    std::string_view ClassName() const override { return "TGraphicControl"; }

    // Draws the control on its parent's DC, in the parent's coordinates.
    virtual void PaintOn(HDC DC) = 0;

protected:
    void BoundsChanged() override { Invalidate(); }
    void VisibleChanged() override { Invalidate(); }
    void ParentChanged() override { Invalidate(); }

private:
    void Invalidate();
};
