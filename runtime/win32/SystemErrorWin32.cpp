// Win32 error texts for the runtime's exception messages.

#include "runtime/SystemError.h"

#include <windows.h>

std::string SystemErrorMessage(unsigned long code) {
    char buffer[512];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    const std::string number = "error " + std::to_string(code);
    return text.empty() ? number : text + " (" + number + ")";
}
