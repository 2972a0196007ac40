#pragma once
// Message boxes of a thread under test: finding, reading and dismissing
// them, so that a box never hangs a test and its text can be checked. Every
// wait is bounded.

#ifndef _WIN32
#error "MessageBoxes.h is for the Win32 build"
#endif

#include "tests/common/TestThread.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// Waits until pred holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 10000);

// A visible message box (a dialog of class "#32770") of the thread, or null.
HWND FindMessageBox(DWORD thread);
// The same, waited for; null after the timeout.
HWND WaitForMessageBox(DWORD thread, int timeoutMs = 10000);
// The box's message, the text of its message control.
std::string MessageBoxText(HWND box);
// The icons the box shows.
std::vector<HICON> MessageBoxIcons(HWND box);
// Whether the box shows the system's error icon and no other.
bool MessageBoxHasErrorIcon(HWND box);
// Presses the box's OK and waits until it is gone.
void DismissMessageBox(HWND box);

// Presses OK on any message box of the creating thread until it goes out of
// scope, so that a call that fails makes the test fail instead of hang.
class TBoxDismisser {
public:
    TBoxDismisser();
    ~TBoxDismisser();
    TBoxDismisser(const TBoxDismisser&) = delete;
    TBoxDismisser& operator=(const TBoxDismisser&) = delete;

private:
    std::atomic<bool> FStop = false;
    TTestThread FThread;
};
