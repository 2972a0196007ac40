#include "runtime/vcl/WinControl.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/SystemError.h"
#include "runtime/vcl/Application.h"
#include "runtime/vcl/FormBuilder.h"
#include "runtime/win32/Handles.h"

#include <algorithm>

namespace {

constexpr const char* ControlClassName = "PellmarkControl";
// Child window ids start above IDOK and IDCANCEL, which the dialog manager
// sends for Enter and Escape.
constexpr int FirstChildId = 100;

// The class is registered while any window of it exists and unregistered
// once the last one is gone, so that it never outlives the DLL with a window
// procedure into the unloaded image. The system refuses to unregister while a
// window of the class exists, even inside that window's own WM_NCDESTROY, so
// the attempt is made after DestroyWindow has returned, and again when a
// control object goes (for windows that someone else destroyed).
int ClassWindowCount = 0;
bool ClassRegistered = false;

WNDCLASSEXA ControlClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = RuntimeModule();
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = ControlClassName;
    return wc;
}

// A class of this name and module that is already there was left by an
// earlier image of this DLL loaded at the same address: its procedure may
// point into code that is gone. Only our own procedure is taken as it is.
bool TakeOverExistingClass(const WNDCLASSEXA& wc) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExA(wc.hInstance, ControlClassName, &existing) &&
        existing.lpfnWndProc == ControlWindowProc)
        return true;
    return ::UnregisterClassA(ControlClassName, wc.hInstance) && ::RegisterClassExA(&wc) != 0;
}

void AcquireControlClass() {
    if (!ClassRegistered) {
        const WNDCLASSEXA wc = ControlClass();
        if (::RegisterClassExA(&wc) == 0 &&
            (::GetLastError() != ERROR_CLASS_ALREADY_EXISTS || !TakeOverExistingClass(wc)))
            throw EOSError(Messages::DialogWindowFailed(SystemErrorMessage(::GetLastError())));
        ClassRegistered = true;
    }
    ++ClassWindowCount;
}

// A window of the class has received its last message.
void ReleaseControlClass() noexcept {
    if (ClassWindowCount > 0)
        --ClassWindowCount;
}

// Outside the destruction of any window of the class.
void UnregisterUnusedControlClass() noexcept {
    if (ClassRegistered && ClassWindowCount == 0 &&
        ::UnregisterClassA(ControlClassName, RuntimeModule()))
        ClassRegistered = false;
}

} // namespace

LRESULT CALLBACK ControlWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TWinControl* control = TWinControl::FromHandle(Window);
    if (control == nullptr && Msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(LParam);
        control = static_cast<TWinControl*>(create->lpCreateParams);
        if (control != nullptr)
            control->Attach(Window);
    }
    if (control == nullptr)
        return ::DefWindowProcA(Window, Msg, WParam, LParam);
    LRESULT result = 0;
    try {
        result = control->WndProc(Msg, WParam, LParam);
    } catch (...) {
        HandleException(::GetAncestor(Window, GA_ROOT));
    }
    if (Msg == WM_NCDESTROY)
        control->Detach();
    return result;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    FFont.OnChange = [this] { FontChanged(); };
}

TWinControl::~TWinControl() {
    DestroyHandle();
    for (TControl* control : FControls)
        control->FParent = nullptr;
    FControls.clear();
    UnregisterUnusedControlClass();
}

TWinControl* TWinControl::FromHandle(HWND Window) noexcept {
    if (Window == nullptr)
        return nullptr;
    // Only our procedure's windows carry a control in their user data.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(Window, GWLP_WNDPROC)) != ControlWindowProc)
        return nullptr;
    return reinterpret_cast<TWinControl*>(::GetWindowLongPtrA(Window, GWLP_USERDATA));
}

HWND TWinControl::Handle() {
    CreateHandle();
    return FWindow.get();
}

void TWinControl::CreateHandle() {
    if (FWindow)
        return;
    const TCreateParams params = WindowParams();
    const bool ownClass = params.WindowClass == nullptr;
    const HWND window = CreateWindowFor(params, ownClass);
    AdoptWindow(window, ownClass);
    for (TControl* control : FControls) {
        if (auto* child = dynamic_cast<TWinControl*>(control))
            child->CreateHandle();
    }
    ApplyTabOrder();
}

// The window this control asks for: a child window where and as it stands,
// then what the control's class adds.
TWinControl::TCreateParams TWinControl::WindowParams() {
    TCreateParams params;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (FTabStop)
        params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    if (Parent() != nullptr)
        params.Parent = Parent()->Handle();
    CreateParams(params);
    if ((params.Style & WS_CHILD) != 0 && Parent() == nullptr)
        throw EOSError(Messages::DialogControlWithoutParent());
    return params;
}

// Creates the window, of the runtime's own class or of the system class the
// params name. A failure gives the class back when this control took it.
HWND TWinControl::CreateWindowFor(const TCreateParams& Params, bool OwnClass) {
    if (OwnClass)
        AcquireControlClass();
    const HMENU id = (Params.Style & WS_CHILD) != 0
                         ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(Parent()->ChildId(this)))
                         : nullptr;
    // The text follows once the window exists: the window name of a new
    // window may be cut (modulo 65,536 bytes under Wine), SetWindowTextA is not.
    HWND window =
        ::CreateWindowExA(Params.ExStyle, OwnClass ? ControlClassName : Params.WindowClass, "",
                          Params.Style, Params.X, Params.Y, Params.Width, Params.Height,
                          Params.Parent, id, RuntimeModule(), OwnClass ? this : nullptr);
    if (window == nullptr) {
        const std::string system = SystemErrorMessage(::GetLastError());
        FWindow.release();
        if (OwnClass && !FOwnClass) {
            ReleaseControlClass();
            UnregisterUnusedControlClass();
        }
        throw EOSError(Messages::DialogWindowFailed(system));
    }
    return window;
}

// Takes the new window over: a system class's window is subclassed (our own
// class's window attached itself while it was created), then it gets the
// stored text and the font.
void TWinControl::AdoptWindow(HWND Window, bool OwnClass) {
    FOwnClass = OwnClass;
    if (!OwnClass) {
        Attach(Window);
        FDefWindowProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWindowProc)));
    }
    if (!FText.empty())
        WriteWindowText();
    ::SendMessageA(Window, WM_SETFONT, reinterpret_cast<WPARAM>(EffectiveFont().Handle()), FALSE);
    HandleCreated();
}

void TWinControl::Attach(HWND Window) {
    FWindow.reset(Window);
    ::SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TWinControl::Detach() noexcept {
    HWND window = FWindow.release();
    if (window == nullptr)
        return;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (FDefWindowProc != nullptr) {
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWindowProc));
        FDefWindowProc = nullptr;
    }
    if (FOwnClass) {
        FOwnClass = false;
        ReleaseControlClass();
    }
}

void TWinControl::DestroyHandle() {
    for (TControl* control : FControls) {
        if (auto* child = dynamic_cast<TWinControl*>(control))
            child->DestroyHandle();
    }
    if (!FWindow)
        return;
    HWND window = FWindow.get();
    if (FDefWindowProc != nullptr) {
        // A system control goes back to its own procedure before it dies, so
        // that nothing reaches this object any more.
        Detach();
        ::DestroyWindow(window);
    } else {
        // Our own class detaches on WM_NCDESTROY.
        ::DestroyWindow(window);
        Detach();
        UnregisterUnusedControlClass();
    }
}

LRESULT TWinControl::DefaultHandler(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (FDefWindowProc != nullptr)
        return ::CallWindowProcA(FDefWindowProc, FWindow.get(), Msg, WParam, LParam);
    return ::DefWindowProcA(FWindow.get(), Msg, WParam, LParam);
}

LRESULT TWinControl::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_COMMAND:
        if (LParam != 0) {
            TWinControl* child = FromHandle(reinterpret_cast<HWND>(LParam));
            if (child != nullptr && child->Parent() == this) {
                child->CommandNotify(HIWORD(WParam));
                return 0;
            }
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
        TWinControl* child = FromHandle(reinterpret_cast<HWND>(LParam));
        if (child != nullptr && child->Parent() == this) {
            if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(WParam)))
                return reinterpret_cast<LRESULT>(brush);
        }
        break;
    }
    case WM_SIZE: {
        TWMSize message{WParam, LOWORD(LParam), HIWORD(LParam), 0};
        WMSize(message);
        return message.Result;
    }
    default:
        break;
    }
    return DefaultHandler(Msg, WParam, LParam);
}

void TWinControl::WMSize(TWMSize& Message) {
    Message.Result =
        DefaultHandler(WM_SIZE, Message.SizeType, MAKELPARAM(Message.Width, Message.Height));
    Realign();
}

void TWinControl::CreateParams(TCreateParams&) {}

void TWinControl::CommandNotify(WORD) {}

HBRUSH TWinControl::CtlColor(HDC) {
    return nullptr;
}

std::string TWinControl::GetText() const {
    if (!FWindow)
        return FText;
    const int length = ::GetWindowTextLengthA(FWindow.get());
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(FWindow.get(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void TWinControl::SetText(const std::string& Value) {
    FText = Value;
    if (FWindow)
        WriteWindowText();
}

void TWinControl::WriteWindowText() {
    FSettingText = true;
    const TScopeExit reset([this] { FSettingText = false; });
    if (!::SetWindowTextA(FWindow.get(), FText.c_str()))
        throw EOSError(Messages::DialogTextFailed(SystemErrorMessage(::GetLastError())));
}

void TWinControl::SetTabOrder(int Value) {
    FTabOrder = Value;
    if (Parent() != nullptr)
        Parent()->ApplyTabOrder();
}

void TWinControl::SetTabStop(bool Value) {
    FTabStop = Value;
    if (FWindow) {
        LONG_PTR style = ::GetWindowLongPtrA(FWindow.get(), GWL_STYLE);
        style = Value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        ::SetWindowLongPtrA(FWindow.get(), GWL_STYLE, style);
    }
}

void TWinControl::SetFocus() {
    ::SetFocus(Handle());
}

void TWinControl::SetParentFont(bool Value) {
    FParentFont = Value;
    FontChanged();
}

const TFont& TWinControl::EffectiveFont() const {
    if (FParentFont && Parent() != nullptr)
        return Parent()->EffectiveFont();
    return FFont;
}

void TWinControl::FontChanged() {
    if (FWindow) {
        ::SendMessageA(FWindow.get(), WM_SETFONT,
                       reinterpret_cast<WPARAM>(EffectiveFont().Handle()), TRUE);
    }
    for (TControl* control : FControls) {
        auto* child = dynamic_cast<TWinControl*>(control);
        if (child != nullptr && child->FParentFont)
            child->FontChanged();
    }
}

int TWinControl::ClientWidth() const {
    RECT rect{};
    if (FWindow && ::GetClientRect(FWindow.get(), &rect))
        return rect.right;
    return Width();
}

int TWinControl::ClientHeight() const {
    RECT rect{};
    if (FWindow && ::GetClientRect(FWindow.get(), &rect))
        return rect.bottom;
    return Height();
}

void TWinControl::Realign() {
    for (TControl* control : FControls) {
        if (control->Align() == TAlign::alClient)
            control->SetBounds(0, 0, ClientWidth(), ClientHeight());
    }
}

void TWinControl::ApplyTabOrder() {
    if (!FWindow)
        return;
    std::vector<TWinControl*> windows;
    for (TControl* control : FControls) {
        auto* child = dynamic_cast<TWinControl*>(control);
        if (child != nullptr && child->HandleAllocated())
            windows.push_back(child);
    }
    std::stable_sort(
        windows.begin(), windows.end(),
        [](const TWinControl* a, const TWinControl* b) { return a->FTabOrder < b->FTabOrder; });
    HWND after = HWND_TOP;
    for (TWinControl* child : windows) {
        ::SetWindowPos(child->WindowHandle(), after, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = child->WindowHandle();
    }
}

TWinControl* TWinControl::FirstTabStop() const {
    TWinControl* first = nullptr;
    for (TControl* control : FControls) {
        auto* child = dynamic_cast<TWinControl*>(control);
        if (child == nullptr || !child->FTabStop || !child->Visible() ||
            !child->HandleAllocated() || !::IsWindowEnabled(child->WindowHandle()))
            continue;
        if (first == nullptr || child->FTabOrder < first->FTabOrder)
            first = child;
    }
    return first;
}

void TWinControl::BoundsChanged() {
    if (FWindow) {
        ::SetWindowPos(FWindow.get(), nullptr, Left(), Top(), Width(), Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TWinControl::VisibleChanged() {
    if (FWindow)
        ::ShowWindow(FWindow.get(), Visible() ? SW_SHOW : SW_HIDE);
}

void TWinControl::ParentChanged() {
    if (Parent() == nullptr)
        DestroyHandle();
    else if (Parent()->HandleAllocated())
        CreateHandle();
}

void TWinControl::InsertControl(TControl* Control) {
    Control->FParent = this;
    if (auto* child = dynamic_cast<TWinControl*>(Control)) {
        int windowed = 0;
        for (TControl* existing : FControls) {
            if (dynamic_cast<TWinControl*>(existing) != nullptr)
                ++windowed;
        }
        child->FTabOrder = windowed;
    }
    FControls.push_back(Control);
    if (Control->Align() == TAlign::alClient)
        Control->SetBounds(0, 0, ClientWidth(), ClientHeight());
}

void TWinControl::RemoveControl(TControl* Control) {
    const auto it = std::find(FControls.begin(), FControls.end(), Control);
    if (it != FControls.end())
        FControls.erase(it);
    Control->FParent = nullptr;
}

int TWinControl::ChildId(const TControl* Control) const {
    const auto it = std::find(FControls.begin(), FControls.end(), Control);
    return FirstChildId + static_cast<int>(it - FControls.begin());
}

void TWinControl::ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) {
    const std::string& name = Property.Name;
    if (name == "TabOrder") {
        SetTabOrder(Builder.Integer(Property));
    } else if (name == "TabStop") {
        SetTabStop(Builder.Boolean(Property));
    } else if (name == "ParentFont") {
        SetParentFont(Builder.Boolean(Property));
    } else if (ReadFontProperty(Builder, Property, FFont)) {
        FParentFont = false;
    } else {
        TControl::ReadProperty(Builder, Property);
    }
}
