#pragma once
// The runtime's error message box: modal, with the error icon, showing a
// message exactly as it stands (code page 932 bytes).

#include <windows.h>

#include <string>

// Shows message in a modal box owned by owner (null: modal to the calling
// thread's windows) and returns when the user has dismissed it.
void ShowErrorBox(HWND owner, const std::string& message, const char* title) noexcept;

// For use inside a catch block: shows the exception being handled. The text
// is an Exception's Message, a fixed text saying that memory ran out for
// std::bad_alloc, or a fixed text for anything else.
void ShowCurrentExceptionBox(HWND owner, const char* title) noexcept;
