// errno texts for the runtime's exception messages.

#include "runtime/SystemError.h"

#include <cstring>

std::string SystemErrorMessage(unsigned long code) {
    const std::string number = "error " + std::to_string(code);
    const char* text = std::strerror(static_cast<int>(code));
    return text == nullptr || *text == '\0' ? number : std::string(text) + " (" + number + ")";
}
