#pragma once
// The text of an operating-system error code, for messages: the system's own
// description as one sentence (Messages::SystemErrorSentence), in the
// system's language (Japanese under a Japanese Windows); a sentence that
// gives the code as a number when the system has no text. A GetLastError or
// registry code on Win32, an errno value on posix.

#include <string>

std::string SystemErrorMessage(unsigned long code);
