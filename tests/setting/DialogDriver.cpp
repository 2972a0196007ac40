#include "tests/setting/DialogDriver.h"

#include "plugin/OrrelPlugins.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

namespace {

struct TSearch {
    const char* ClassName;
    const char* Title; // null: any
    HWND Found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TSearch*>(param);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, search->ClassName) != 0 || !::IsWindowVisible(window))
        return TRUE;
    if (search->Title != nullptr) {
        char title[128] = {};
        ::GetWindowTextA(window, title, sizeof title);
        if (std::strcmp(title, search->Title) != 0)
            return TRUE;
    }
    search->Found = window;
    return FALSE;
}

struct TChildSearch {
    HWND Dialog;
    POINT At;
    HWND Found = nullptr;
};

BOOL CALLBACK FindChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TChildSearch*>(param);
    if (::GetParent(window) != search->Dialog)
        return TRUE;
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, search->Dialog, reinterpret_cast<POINT*>(&rect), 2);
    if (rect.left == search->At.x && rect.top == search->At.y) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND TDialogDriver::FindDialog() const {
    TSearch search{"PellmarkControl", "SetFormatForm"};
    ::EnumThreadWindows(FUiThread, FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND TDialogDriver::WaitForDialog(int timeoutMs) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialog()) != nullptr; }, timeoutMs);
    return found;
}

HWND TDialogDriver::ChildAt(HWND dialog, int left, int top) const {
    TChildSearch search{dialog, {left, top}};
    ::EnumChildWindows(dialog, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string TDialogDriver::Text(HWND window) const {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length))
        return "<no answer>";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, text.size(),
                               reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000, &copied))
        return "<no answer>";
    text.resize(copied);
    return text;
}

bool TDialogDriver::SetText(HWND window, const std::string& text) const {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                 SMTO_NORMAL, 5000, &result) != 0;
}

void TDialogDriver::SetTextAsync(HWND window, const std::string& text) {
    FTexts.push_back(text);
    const char* stored = FTexts.back().c_str();
    FSenders.emplace_back([window, stored] {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(stored), SMTO_NORMAL,
                              20000, &result);
    });
}

void TDialogDriver::Join() {
    for (TTestThread& sender : FSenders)
        sender.Join();
    FSenders.clear();
}

void TDialogDriver::Type(HWND window, const std::string& chars) const {
    for (char c : chars)
        ::PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void TDialogDriver::PressKey(HWND window, WPARAM key) const {
    ::PostMessageA(window, WM_KEYDOWN, key, 1);
    ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void TDialogDriver::Click(HWND button) const {
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

HWND TDialogDriver::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(FUiThread, &info))
        return nullptr;
    return info.hwndFocus;
}

int RunDialog(HMODULE plugin, const std::function<void(TDialogDriver&)>& script) {
    const auto execute = reinterpret_cast<TExecutePlugin>(
        reinterpret_cast<void*>(::GetProcAddress(plugin, "ExecutePlugin")));
    if (execute == nullptr) {
        ADD_FAILURE() << "ExecutePlugin not exported";
        return -1;
    }
    TDialogDriver driver(::GetCurrentThreadId());
    std::atomic<bool> returned{false};
    TTestThread thread([&] {
        try {
            script(driver);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "driver: " << e.what();
        }
        // A script that failed half-way leaves the dialog open: end it.
        if (!WaitUntil([&] { return returned.load(); }, 5000)) {
            ADD_FAILURE() << "the dialog was still open after the script";
            for (int attempt = 0; attempt < 50 && !returned; ++attempt) {
                if (HWND box = driver.FindMessageBox())
                    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                else if (HWND dialog = driver.FindDialog())
                    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
                ::Sleep(100);
            }
            if (!returned)
                ::PostThreadMessageA(driver.UiThread(), WM_QUIT, 0, 0);
        }
        driver.Join();
    });
    const int result = execute(nullptr, 0);
    returned = true;
    thread.Join();
    // Nothing of this run may reach the next one: what is queued is handled
    // (a stray quit request dropped). WM_PAINT stays queued until a window
    // is painted, so the number of rounds is bounded.
    MSG msg{};
    for (int round = 0; round < 1000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++round) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return result;
}
