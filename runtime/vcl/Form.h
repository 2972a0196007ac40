#pragma once
// A top-level form with the dialog border: fixed size, a close box and no
// minimize or maximize box. ShowModal disables the thread's other windows,
// runs the message loop (with the dialog manager's keys: Tab, Escape, Enter,
// access keys) until Close or a modal result, then re-enables them.
//
// The form's window is owned, as Windows' own dialogs are, by the root owner
// of the thread's active window when the window is made (none when no window
// is active), so that it stays above that window and has no taskbar button of
// its own. This is the window's owner only: the component owner is apart.

#include "runtime/vcl/WinControl.h"

#include <string_view>

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;
    std::string_view ClassName() const override { return "TForm"; }

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& Value) { SetText(Value); }

    // The size of the client area; the window's size follows from it.
    void SetClientSize(int AWidth, int AHeight);

    // Shows the form and returns its modal result once it has been closed.
    TModalResult ShowModal();
    // Ends the modal loop (modal result mrCancel), or hides a modeless form.
    void Close();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

    // The form's handler of that name, bound by the form description; empty
    // when there is none.
    virtual TNotifyEvent FindMethod(std::string_view Name);
    TNotifyEvent OnCreate;

    // The owner for an error box of this form: the form while it is shown;
    // before that, the window that owns (or will own) the form.
    HWND ErrorBoxOwner() const;

    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) override;

protected:
    // Runs OnCreate; an error in it is shown in the error box and the form
    // goes on to open.
    void DoCreate();
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    void BoundsChanged() override;
    void VisibleChanged() override;

private:
    class TModalScope;

    void FitClientSize();
    void ClickButton(bool Cancel);
    void PressEnter();
    void FocusControl(HWND Control);
    void NextDialogControl(WPARAM WParam, LPARAM LParam);
    void ActivationChanged(bool Active);
    DWORD Style() const;
    DWORD ExStyle() const;

    int FClientWidth = 0;
    int FClientHeight = 0;
    bool FModal = false;
    TModalResult FModalResult = mrNone;
    HWND FFocused = nullptr;
};
