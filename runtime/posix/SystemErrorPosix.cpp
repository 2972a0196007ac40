// errno texts for the runtime's messages.

#include "runtime/SystemError.h"

#include "runtime/Messages.h"

#include <cstring>

std::string SystemErrorMessage(unsigned long code) {
    const char* text = std::strerror(static_cast<int>(code));
    return Messages::SystemErrorSentence(text == nullptr ? "" : text, code);
}
