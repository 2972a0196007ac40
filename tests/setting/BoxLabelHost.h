#pragma once
// A shown form holding one TBoxLabel, and pixel reads from the label's
// window, for the tests of the framed caption control on a real display.

#include "runtime/vcl/Form.h"
#include "setting/BoxLabels.h"

#include <windows.h>

#include <memory>

class TBoxLabelHost {
public:
    TBoxLabelHost() : Form(std::make_unique<TForm>(nullptr)) {
        Form->SetBounds(40, 40, 0, 0);
        Form->SetClientSize(320, 120);
        Label = new TBoxLabel(Form.get());
        Label->SetParent(Form.get());
        Label->SetBounds(10, 10, 121, 17);
        Form->HandleNeeded();
        Form->SetVisible(true);
    }

    // Erases the label's window to its background without painting it.
    void EraseWithoutPaint() {
        ::RedrawWindow(Label->WindowHandle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
        ::ValidateRect(Label->WindowHandle(), nullptr);
    }
    // Repaints the label's window at once (erase, Paint, then the frame).
    void Repaint() {
        ::RedrawWindow(Label->WindowHandle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

    COLORREF Pixel(int x, int y) const {
        HDC dc = ::GetDC(Label->WindowHandle());
        const COLORREF color = ::GetPixel(dc, x, y);
        ::ReleaseDC(Label->WindowHandle(), dc);
        return color;
    }

    std::unique_ptr<TForm> Form;
    TBoxLabel* Label;
};

inline COLORREF SysColor(int index) {
    return ::GetSysColor(index);
}
