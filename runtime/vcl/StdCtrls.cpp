#include "runtime/vcl/StdCtrls.h"

#include "runtime/vcl/FormBuilder.h"

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
}

void TCustomEdit::SetReadOnly(bool Value) {
    FReadOnly = Value;
    if (HandleAllocated())
        ::SendMessageA(WindowHandle(), EM_SETREADONLY, Value ? TRUE : FALSE, 0);
}

void TCustomEdit::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    Params.WindowClass = "EDIT";
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    if (FReadOnly)
        Params.Style |= ES_READONLY;
}

void TCustomEdit::HandleCreated() {
    // No limit beyond the system's own maximum.
    ::SendMessageA(WindowHandle(), EM_LIMITTEXT, 0, 0);
}

void TCustomEdit::CommandNotify(WORD Code) {
    if (Code == EN_CHANGE && !SettingText() && !Loading())
        Change();
}

HBRUSH TCustomEdit::CtlColor(HDC DC) {
    if (!FReadOnly)
        return nullptr;
    ::SetTextColor(DC, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(DC, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

void TCustomEdit::ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) {
    const std::string& name = Property.Name;
    if (name == "Text")
        SetText(Builder.String(Property));
    else if (name == "ReadOnly")
        SetReadOnly(Builder.Boolean(Property));
    else if (name == "OnChange")
        OnChange = Builder.Event(Property);
    else
        TWinControl::ReadProperty(Builder, Property);
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    SetBounds(0, 0, 121, 21);
}

void TEdit::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL;
}

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
    SetBounds(0, 0, 185, 89);
}

void TMemo::SetLines(const std::vector<std::string>& Value) {
    std::string text;
    for (std::size_t i = 0; i < Value.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += Value[i];
    }
    SetText(text);
}

void TMemo::SetScrollBars(TScrollStyle Value) {
    FScrollBars = Value;
}

void TMemo::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth)
        Params.Style |= WS_VSCROLL;
    if (FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth)
        Params.Style |= WS_HSCROLL | ES_AUTOHSCROLL;
}

LRESULT TMemo::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_GETDLGCODE) {
        // Tab, Enter and Escape belong to the form, not to the memo.
        return TCustomEdit::WndProc(Msg, WParam, LParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    }
    return TCustomEdit::WndProc(Msg, WParam, LParam);
}

void TMemo::ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) {
    const std::string& name = Property.Name;
    if (name == "Lines.Strings") {
        SetLines(Builder.List(Property));
    } else if (name == "ScrollBars") {
        SetScrollBars(Builder.Enumeration<TScrollStyle>(
            Property, {{"ssNone", TScrollStyle::ssNone},
                       {"ssHorizontal", TScrollStyle::ssHorizontal},
                       {"ssVertical", TScrollStyle::ssVertical},
                       {"ssBoth", TScrollStyle::ssBoth}}));
    } else {
        TCustomEdit::ReadProperty(Builder, Property);
    }
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& Params) {
    Params.WindowClass = "BUTTON";
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CommandNotify(WORD Code) {
    if (Code == BN_CLICKED)
        Click();
}

void TButton::ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) {
    const std::string& name = Property.Name;
    if (name == "Caption")
        SetText(Builder.String(Property));
    else if (name == "Cancel")
        SetCancel(Builder.Boolean(Property));
    else if (name == "Default")
        SetDefault(Builder.Boolean(Property));
    else
        TWinControl::ReadProperty(Builder, Property);
}
