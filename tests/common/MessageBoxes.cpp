#include "tests/common/MessageBoxes.h"

#include <cstring>

namespace {

// The id Windows gives the message control of a message box.
constexpr int MessageControl = 0xFFFF;

BOOL CALLBACK FindVisibleBox(HWND window, LPARAM found) {
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !::IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

BOOL CALLBACK CollectIcons(HWND window, LPARAM param) {
    auto* icons = reinterpret_cast<std::vector<HICON>*>(param);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (_stricmp(className, "Static") == 0 &&
        (::GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        DWORD_PTR icon = 0;
        if (::SendMessageTimeoutA(window, STM_GETICON, 0, 0, SMTO_NORMAL, 5000, &icon) && icon != 0)
            icons->push_back(reinterpret_cast<HICON>(icon));
    }
    return TRUE;
}

} // namespace

bool WaitUntil(const std::function<bool()>& pred, int timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!pred()) {
        if (::GetTickCount64() > end)
            return false;
        ::Sleep(20);
    }
    return true;
}

HWND FindMessageBox(DWORD thread) {
    HWND found = nullptr;
    ::EnumThreadWindows(thread, FindVisibleBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND WaitForMessageBox(DWORD thread, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindMessageBox(thread)) != nullptr; }, timeoutMs);
    return found;
}

std::string MessageBoxText(HWND box) {
    const HWND message = ::GetDlgItem(box, MessageControl);
    if (message == nullptr)
        return "";
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(message)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextA(message, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<HICON> MessageBoxIcons(HWND box) {
    std::vector<HICON> icons;
    ::EnumChildWindows(box, CollectIcons, reinterpret_cast<LPARAM>(&icons));
    return icons;
}

bool MessageBoxHasErrorIcon(HWND box) {
    const std::vector<HICON> icons = MessageBoxIcons(box);
    // The system's icons are shared: the box shows this very handle.
    const HICON error = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_ERROR));
    return icons.size() == 1 && icons.front() == error;
}

void DismissMessageBox(HWND box) {
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000);
}

TBoxDismisser::TBoxDismisser()
    : FThread([this, id = ::GetCurrentThreadId()] {
          while (!FStop) {
              if (HWND box = FindMessageBox(id))
                  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
              ::Sleep(25);
          }
      }) {}

TBoxDismisser::~TBoxDismisser() {
    FStop = true;
    FThread.Join();
}
