#pragma once
// Windowed controls. Each has a Win32 window, made when it first has a
// parent with a window (or, for a top-level form, when first needed). Our
// own controls share one window class, registered while a window of it
// exists and unregistered after the last one, at the latest when the last
// control object goes; system controls (EDIT, BUTTON) are subclassed. Every
// message goes through one procedure that hands it to the control's virtual
// WndProc and catches everything: an error is shown in the error box and the
// message counts as handled.
//
// Focus moves through the windows' z-order (the dialog manager's tab order),
// so the z-order of sibling windows follows TabOrder; the controls of one
// parent are not meant to overlap.

#include "runtime/vcl/Control.h"
#include "runtime/vcl/Graphics.h"
#include "runtime/win32/Handles.h"

#include <string>
#include <vector>

// The one window procedure of every control's window.
LRESULT CALLBACK ControlWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

struct TWMSize {
    WPARAM SizeType;
    int Width;
    int Height;
    LRESULT Result;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    // Destroys the window (children's first) and leaves children parentless.
    ~TWinControl() override;

    std::string_view ClassName() const override { return "TWinControl"; }

    // The window, made first when there is none. Raises EOSError when the
    // system refuses.
    HWND Handle();
    HWND WindowHandle() const { return FWindow.get(); }
    bool HandleAllocated() const { return static_cast<bool>(FWindow); }
    void HandleNeeded() { Handle(); }
    // The control whose window this is, or null for a window not ours.
    static TWinControl* FromHandle(HWND Window) noexcept;

    // Window text: the stored text until the window exists, then the window's.
    // A new window takes the stored text whole, whatever its length.
    std::string GetText() const;
    virtual void SetText(const std::string& Value);

    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    void SetFocus();

    // The control's own font; with ParentFont the parent's font is used.
    TFont& Font() { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    const TFont& EffectiveFont() const;

    int ClientWidth() const;
    int ClientHeight() const;
    const std::vector<TControl*>& Controls() const { return FControls; }
    // Puts alClient children over the whole client area.
    void Realign();

    // Whether Escape or Enter in the form presses this control.
    virtual bool IsCancel() const { return false; }
    virtual bool IsDefault() const { return false; }

    virtual LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
    void ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) override;

protected:
    struct TCreateParams {
        const char* WindowClass = nullptr; // null: our own class
        DWORD Style = 0;
        DWORD ExStyle = 0;
        int X = 0;
        int Y = 0;
        int Width = 0;
        int Height = 0;
        HWND Parent = nullptr;
    };
    virtual void CreateParams(TCreateParams& Params);
    // Runs once the window exists, before the children's windows are made.
    virtual void HandleCreated() {}
    // A notification (WM_COMMAND code) from this control's window.
    virtual void CommandNotify(WORD Code);
    // The background brush for a read-only or disabled text control, or null.
    virtual HBRUSH CtlColor(HDC DC);
    virtual void WMSize(TWMSize& Message);
    // The window class's own handling (DefWindowProc for our class).
    LRESULT DefaultHandler(UINT Msg, WPARAM WParam, LPARAM LParam);
    // True while the program itself writes the window text (SetText, or the
    // stored text given to a new window), so that the notifications this
    // causes can be told from the user's changes.
    bool SettingText() const { return FSettingText; }

    void BoundsChanged() override;
    void VisibleChanged() override;
    void ParentChanged() override;
    // Moves the windows of the children into TabOrder.
    void ApplyTabOrder();
    // The first visible, enabled tab stop among the children, or null.
    TWinControl* FirstTabStop() const;

private:
    friend class TControl;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);

    void CreateHandle();
    TCreateParams WindowParams();
    HWND CreateWindowFor(const TCreateParams& Params, bool OwnClass);
    void AdoptWindow(HWND Window, bool OwnClass);
    void DestroyHandle();
    void WriteWindowText();
    void Attach(HWND Window);
    void Detach() noexcept;
    void InsertControl(TControl* Control);
    void RemoveControl(TControl* Control);
    void FontChanged();
    int ChildId(const TControl* Control) const;

    TWindowHandle FWindow;
    WNDPROC FDefWindowProc = nullptr; // the system class's procedure we replaced
    bool FOwnClass = false;
    std::string FText;
    bool FSettingText = false;
    TFont FFont;
    bool FParentFont = true;
    int FTabOrder = 0;
    bool FTabStop = false;
    std::vector<TControl*> FControls;
};
