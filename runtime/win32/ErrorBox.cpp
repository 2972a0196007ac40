#include "runtime/win32/ErrorBox.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"

#include <exception>
#include <new>

namespace {

void ShowErrorText(HWND owner, const char* text, const char* title) noexcept {
    UINT style = MB_OK | MB_ICONERROR;
    if (owner == nullptr)
        style |= MB_TASKMODAL;
    ::MessageBoxA(owner, text, title, style);
}

} // namespace

void ShowErrorBox(HWND owner, const std::string& message, const char* title) noexcept {
    ShowErrorText(owner, message.c_str(), title);
}

void ShowCurrentExceptionBox(HWND owner, const char* title) noexcept {
    // The message is shown from the caught object itself, so no copy (and no
    // allocation that could fail) stands between the error and the box.
    try {
        throw;
    } catch (const Exception& e) {
        ShowErrorBox(owner, e.Message, title);
    } catch (const std::bad_alloc&) {
        // In place of the C++ library's own words for it.
        ShowErrorText(owner, Messages::OutOfMemory, title);
    } catch (...) {
        // The C++ library's words (a class or function name) would tell the
        // user nothing.
        ShowErrorText(owner, Messages::UnexpectedError, title);
    }
}
