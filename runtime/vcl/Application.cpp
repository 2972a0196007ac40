#include "runtime/vcl/Application.h"

#include "runtime/Messages.h"
#include "runtime/win32/ErrorBox.h"

#include <cstring>

HINSTANCE RuntimeModule() noexcept {
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&RuntimeModule), &module);
    return module;
}

void HandleException(HWND Owner) noexcept {
    // A fixed buffer: reporting must not allocate, since the error may be
    // that memory ran out.
    char title[MAX_PATH];
    std::strncpy(title, Messages::ErrorTitle, MAX_PATH - 1);
    title[MAX_PATH - 1] = '\0';
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(RuntimeModule(), path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        const char* name = path;
        for (const char* p = path; *p != '\0'; ++p) {
            if (::IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0')
                ++p;
            else if (*p == '\\' || *p == '/' || *p == ':')
                name = p + 1;
        }
        std::strncpy(title, name, MAX_PATH - 1);
        title[MAX_PATH - 1] = '\0';
        char* dot = std::strrchr(title, '.');
        if (dot != nullptr && dot != title)
            *dot = '\0';
    }
    ShowCurrentExceptionBox(Owner, title);
}
