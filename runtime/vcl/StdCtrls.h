#pragma once
// Edit box, memo and push button over the system's EDIT and BUTTON classes.

#include "runtime/vcl/WinControl.h"

#include <string>
#include <vector>

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);

    // Called for every change made in the window (typing, pasting, a message
    // from outside). The program's own SetText, and the text a new window
    // starts with, do not report themselves, so a handler that sets the text
    // and then works on it does the work once.
    TNotifyEvent OnChange;

    void ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) override;

protected:
    virtual void Change();
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    void CommandNotify(WORD Code) override;
    // Read-only text keeps the window colour, as an editable box has.
    HBRUSH CtlColor(HDC DC) override;

private:
    bool FReadOnly = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner);
    std::string_view ClassName() const override { return "TEdit"; }

protected:
    void CreateParams(TCreateParams& Params) override;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* AOwner);
    std::string_view ClassName() const override { return "TMemo"; }

    // The lines, joined by CR LF without one after the last.
    void SetLines(const std::vector<std::string>& Value);
    // Takes effect when the window is created.
    void SetScrollBars(TScrollStyle Value);

    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) override;

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    TScrollStyle FScrollBars = TScrollStyle::ssNone;
};

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    std::string_view ClassName() const override { return "TButton"; }

    // Escape in the form presses the cancel button, Enter the default one.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value) { FDefault = Value; }
    bool IsCancel() const override { return FCancel; }
    bool IsDefault() const override { return FDefault; }

    void ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CommandNotify(WORD Code) override;

private:
    bool FCancel = false;
    bool FDefault = false;
};
