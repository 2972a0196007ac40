#pragma once
// Drives the settings dialog of the real PellmarkSetting.dll from a second
// thread while the test's own thread runs ExecutePlugin, as a host would.
// Every wait is bounded: when a script fails or the dialog does not end,
// the driver dismisses error boxes and closes the dialog, and at last asks
// the thread to quit, so a broken dialog fails the test instead of hanging.

#include "tests/common/MessageBoxes.h"
#include "tests/common/TestThread.h"

#include <windows.h>

#include <functional>
#include <list>
#include <string>
#include <vector>

class TDialogDriver {
public:
    explicit TDialogDriver(DWORD uiThread) : FUiThread(uiThread) {}

    // The visible dialog window, once it is there (null after the timeout).
    HWND WaitForDialog(int timeoutMs = 10000) const;
    // A visible message box of the dialog's thread, once it is there (the
    // box's text, icon and dismissal: tests/common/MessageBoxes.h).
    HWND WaitForMessageBox(int timeoutMs = 10000) const {
        return ::WaitForMessageBox(FUiThread, timeoutMs);
    }
    HWND FindDialog() const;
    HWND FindMessageBox() const { return ::FindMessageBox(FUiThread); }

    // The dialog's child window at that place in its client area.
    HWND ChildAt(HWND dialog, int left, int top) const;
    std::string Text(HWND window) const;
    // Sets the text as a message from outside the dialog (WM_SETTEXT) and
    // returns when the dialog has handled it.
    bool SetText(HWND window, const std::string& text) const;
    // The same, from a thread of its own, for a text whose handling shows a
    // message box; Join waits for it.
    void SetTextAsync(HWND window, const std::string& text);
    void Join();
    void Type(HWND window, const std::string& chars) const;
    void PressKey(HWND window, WPARAM key) const;
    void Click(HWND button) const;
    HWND Focus() const;

    DWORD UiThread() const { return FUiThread; }

private:
    DWORD FUiThread;
    std::vector<TTestThread> FSenders;
    std::list<std::string> FTexts; // stable addresses for the senders
};

// Runs ExecutePlugin(null, 0) of the module on this thread with script
// running on a driver thread; returns ExecutePlugin's result.
int RunDialog(HMODULE plugin, const std::function<void(TDialogDriver&)>& script);
