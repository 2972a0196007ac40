#pragma once
// A windowed control that draws itself: a canvas on its own window and a
// virtual Paint, after which the parent-drawn graphic children (a bevel)
// are painted over it.

#include "runtime/vcl/Graphics.h"
#include "runtime/vcl/WinControl.h"

// Draws on the control's window: on the paint DC inside WM_PAINT, on a DC
// from GetDC for one operation at any other time.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TWinControl& Control) : FControl(Control) {}

protected:
    HDC AcquireDC() override;
    void ReleaseDC(HDC DC) override;

private:
    TWinControl& FControl;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    std::string_view ClassName() const override { return "TCustomControl"; }

    TCanvas& Canvas() { return FCanvas; }
    const TCanvas& Canvas() const { return FCanvas; }
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    virtual void Paint() {}

private:
    void PaintControls(HDC DC);

    TControlCanvas FCanvas;
};
