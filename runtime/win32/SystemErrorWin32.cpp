// Win32 error texts for the runtime's messages.

#include "runtime/SystemError.h"

#include "runtime/Messages.h"

#include <windows.h>

std::string SystemErrorMessage(unsigned long code) {
    char buffer[512];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer, sizeof buffer, nullptr);
    return Messages::SystemErrorSentence(std::string_view(buffer, length), code);
}
