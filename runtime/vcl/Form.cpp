#include "runtime/vcl/Form.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/SystemError.h"
#include "runtime/vcl/Application.h"
#include "runtime/vcl/FormBuilder.h"

#include <vector>

// Everything ShowModal changes around the loop, put back on every path: the
// thread's other windows enabled again, the form hidden, the previously
// active window active again.
class TForm::TModalScope {
public:
    explicit TModalScope(TForm& form) : FForm(form), FActive(::GetActiveWindow()) {
        FForm.FModal = true;
        FForm.FModalResult = mrNone;
        ::EnumThreadWindows(::GetCurrentThreadId(), &DisableWindow, reinterpret_cast<LPARAM>(this));
    }
    ~TModalScope() {
        for (HWND window : FDisabled) {
            if (::IsWindow(window))
                ::EnableWindow(window, TRUE);
        }
        FForm.FModal = false;
        FForm.SetVisible(false);
        if (FActive != nullptr && ::IsWindow(FActive))
            ::SetActiveWindow(FActive);
    }
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;

private:
    static BOOL CALLBACK DisableWindow(HWND window, LPARAM param) {
        auto* self = reinterpret_cast<TModalScope*>(param);
        if (window != self->FForm.WindowHandle() && ::IsWindowVisible(window) &&
            ::IsWindowEnabled(window)) {
            try {
                self->FDisabled.push_back(window);
            } catch (...) {
                return FALSE;
            }
            ::EnableWindow(window, FALSE);
        }
        return TRUE;
    }

    TForm& FForm;
    HWND FActive;
    std::vector<HWND> FDisabled;
};

namespace {

// The window Windows' own dialogs and message boxes take as their owner.
HWND ActiveRootOwner() {
    HWND active = ::GetActiveWindow();
    return active != nullptr ? ::GetAncestor(active, GA_ROOTOWNER) : nullptr;
}

} // namespace

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    SetVisible(false);
}

TForm::~TForm() = default;

DWORD TForm::Style() const {
    return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}

DWORD TForm::ExStyle() const {
    return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
}

void TForm::CreateParams(TCreateParams& Params) {
    Params.Style = Style();
    Params.ExStyle = ExStyle();
    // For a popup window the parent given to CreateWindowEx is its owner.
    Params.Parent = ActiveRootOwner();
}

HWND TForm::ErrorBoxOwner() const {
    if (!HandleAllocated())
        return ActiveRootOwner();
    if (::IsWindowVisible(WindowHandle()))
        return WindowHandle();
    return ::GetWindow(WindowHandle(), GW_OWNER);
}

void TForm::HandleCreated() {
    FitClientSize();
}

void TForm::FitClientSize() {
    // The frame the system actually draws may differ from what
    // AdjustWindowRectEx promised; the client area is what must be exact.
    RECT client{};
    if (FClientWidth > 0 && FClientHeight > 0 && ::GetClientRect(WindowHandle(), &client) &&
        (client.right != FClientWidth || client.bottom != FClientHeight)) {
        SetBounds(Left(), Top(), Width() + FClientWidth - client.right,
                  Height() + FClientHeight - client.bottom);
    }
}

void TForm::SetClientSize(int AWidth, int AHeight) {
    FClientWidth = AWidth;
    FClientHeight = AHeight;
    RECT rect{0, 0, AWidth, AHeight};
    ::AdjustWindowRectEx(&rect, Style(), FALSE, ExStyle());
    SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
    if (HandleAllocated())
        FitClientSize();
}

void TForm::BoundsChanged() {
    if (HandleAllocated()) {
        ::SetWindowPos(WindowHandle(), nullptr, Left(), Top(), Width(), Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TForm::VisibleChanged() {
    if (!HandleAllocated())
        return;
    if (Visible()) {
        ::ShowWindow(WindowHandle(), SW_SHOWNORMAL);
        ::SetActiveWindow(WindowHandle());
        if (TWinControl* first = FirstTabStop())
            FocusControl(first->WindowHandle());
    } else {
        ::ShowWindow(WindowHandle(), SW_HIDE);
    }
}

TModalResult TForm::ShowModal() {
    if (FModal || Visible())
        throw Exception(Messages::DialogAlreadyShown());
    Handle();
    TModalScope scope(*this);
    SetVisible(true);
    while (FModalResult == mrNone) {
        MSG msg{};
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Someone asked the thread to quit: leave the loop and pass the
            // request on to the loop outside.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            FModalResult = mrCancel;
            break;
        }
        if (got == -1)
            throw EOSError(Messages::DialogMessagesFailed(SystemErrorMessage(::GetLastError())));
        if (!::IsDialogMessageA(WindowHandle(), &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return FModalResult;
}

void TForm::Close() {
    if (FModal)
        FModalResult = mrCancel;
    else
        SetVisible(false);
}

TNotifyEvent TForm::FindMethod(std::string_view) {
    return {};
}

void TForm::DoCreate() {
    try {
        if (OnCreate)
            OnCreate(this);
    } catch (...) {
        HandleException(ErrorBoxOwner());
    }
}

void TForm::ClickButton(bool Cancel) {
    for (TControl* control : Controls()) {
        auto* child = dynamic_cast<TWinControl*>(control);
        if (child != nullptr && (Cancel ? child->IsCancel() : child->IsDefault()) &&
            child->Visible() && child->HandleAllocated() &&
            ::IsWindowEnabled(child->WindowHandle())) {
            child->Click();
            return;
        }
    }
}

// Enter clicks the focused push button, as in Windows' dialogs; with the
// focus elsewhere it presses the default button, if there is one.
void TForm::PressEnter() {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(WindowHandle(), focus) && ::IsWindowEnabled(focus) &&
        (::SendMessageA(focus, WM_GETDLGCODE, 0, 0) &
         (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
        if (TWinControl* button = FromHandle(focus)) {
            button->Click();
            return;
        }
    }
    ClickButton(false);
}

void TForm::FocusControl(HWND Control) {
    if (Control == nullptr)
        return;
    if ((::SendMessageA(Control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
        ::SendMessageA(Control, EM_SETSEL, 0, -1);
    ::SetFocus(Control);
}

// WM_NEXTDLGCTL: the control named in WParam, or the next or previous tab
// stop from the focus.
void TForm::NextDialogControl(WPARAM WParam, LPARAM LParam) {
    HWND target = nullptr;
    if (LOWORD(LParam) != 0)
        target = reinterpret_cast<HWND>(WParam);
    else
        target = ::GetNextDlgTabItem(WindowHandle(), ::GetFocus(), WParam != 0);
    FocusControl(target);
}

// The focus leaves with the form and comes back to the same control.
void TForm::ActivationChanged(bool Active) {
    if (!Active) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(WindowHandle(), focus))
            FFocused = focus;
    } else if (FFocused != nullptr && ::IsWindow(FFocused) && ::IsChild(WindowHandle(), FFocused)) {
        ::SetFocus(FFocused);
    } else if (TWinControl* first = FirstTabStop()) {
        FocusControl(first->WindowHandle());
    }
}

LRESULT TForm::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        // Destroyed from outside while modal, with the window that owns it:
        // the loop ends. The posted message wakes it, since a destruction
        // inside a sent message leaves GetMessage waiting.
        if (FModal && FModalResult == mrNone) {
            FModalResult = mrCancel;
            ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
        }
        break;
    case WM_COMMAND:
        // Escape and Enter, as the dialog manager reports them.
        if (LParam == 0 && LOWORD(WParam) == IDCANCEL) {
            ClickButton(true);
            return 0;
        }
        if (LParam == 0 && LOWORD(WParam) == IDOK) {
            PressEnter();
            return 0;
        }
        break;
    case WM_NEXTDLGCTL:
        NextDialogControl(WParam, LParam);
        return 0;
    case WM_ACTIVATE:
        ActivationChanged(LOWORD(WParam) != WA_INACTIVE);
        return 0;
    default:
        break;
    }
    return TWinControl::WndProc(Msg, WParam, LParam);
}

void TForm::ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) {
    const std::string& name = Property.Name;
    if (name == "Caption") {
        SetCaption(Builder.String(Property));
    } else if (name == "ClientWidth") {
        SetClientSize(Builder.Integer(Property), FClientHeight);
    } else if (name == "ClientHeight") {
        SetClientSize(FClientWidth, Builder.Integer(Property));
    } else if (name == "BorderStyle") {
        // The only border this runtime draws.
        Builder.Enumeration<int>(Property, {{"bsDialog", 0}});
    } else if (name == "PixelsPerInch" || name == "TextHeight") {
        // The layout is used in pixels as stored; forms are not rescaled.
        Builder.Integer(Property);
    } else if (name == "OnCreate") {
        OnCreate = Builder.Event(Property);
    } else {
        TWinControl::ReadProperty(Builder, Property);
    }
}
