#pragma once
// The text of an operating-system error code, for exception messages, in one
// form on every backend: the system's description followed by the code, for
// example "Access is denied. (error 5)" on Win32 (a GetLastError or registry
// code) or "Permission denied (error 13)" on posix (an errno value); "error N"
// alone when the system has no text.

#include <string>

std::string SystemErrorMessage(unsigned long code);
