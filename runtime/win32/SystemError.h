#pragma once
// The text of a Win32 error code, for exception messages.

#include <windows.h>

#include <string>

// The system's description of code followed by the code itself, for example
// "Access is denied. (error 5)"; "error N" alone when the system has no text.
std::string SystemErrorMessage(DWORD code);
