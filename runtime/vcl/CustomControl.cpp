#include "runtime/vcl/CustomControl.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/win32/Handles.h"

namespace {

// Lends a DC to a canvas for one scope; the canvas gives it back before the
// DC's owner ends it.
class TCanvasLoan {
public:
    TCanvasLoan(TCanvas& canvas, HDC dc) : FCanvas(canvas) { FCanvas.SetHandle(dc); }
    ~TCanvasLoan() { FCanvas.SetHandle(nullptr); }
    TCanvasLoan(const TCanvasLoan&) = delete;
    TCanvasLoan& operator=(const TCanvasLoan&) = delete;

private:
    TCanvas& FCanvas;
};

} // namespace

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
        const TCanvasLoan loan(FCanvas, dc.get());
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
