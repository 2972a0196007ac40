#include "runtime/vcl/CustomControl.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/win32/Handles.h"

HDC TControlCanvas::AcquireDC() {
    HWND window = FControl.WindowHandle();
    HDC dc = window != nullptr ? ::GetDC(window) : nullptr;
    if (dc == nullptr)
        throw EOSError(Messages::DialogDrawingFailed());
    return dc;
}

void TControlCanvas::ReleaseDC(HDC DC) {
    ::ReleaseDC(FControl.WindowHandle(), DC);
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(*this) {}

LRESULT TCustomControl::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_PAINT: {
        const TPaintDC dc(WindowHandle());
        if (!dc)
            return 0;
        // The paint DC is lent to the canvas and given back before EndPaint.
        FCanvas.SetHandle(dc.get());
        const TScopeExit giveBack([this] { FCanvas.SetHandle(nullptr); });
        Paint();
        PaintControls(dc.get());
        return 0;
    }
    case WM_LBUTTONUP: {
        POINT point{static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))};
        RECT client{};
        ::GetClientRect(WindowHandle(), &client);
        if (::PtInRect(&client, point))
            Click();
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        DblClick();
        return 0;
    default:
        return TWinControl::WndProc(Msg, WParam, LParam);
    }
}

void TCustomControl::PaintControls(HDC DC) {
    for (TControl* control : Controls()) {
        auto* graphic = dynamic_cast<TGraphicControl*>(control);
        if (graphic != nullptr && graphic->Visible())
            graphic->PaintOn(DC);
    }
}
