#pragma once
// The runtime's reporting of errors that reach a window procedure or an
// event the runtime runs: the message in the error box, and the program
// carries on.

#include <windows.h>

// The module that holds the runtime's code (the plug-in DLL, or a program
// that links the runtime directly).
HINSTANCE RuntimeModule() noexcept;

// For use inside a catch block: shows the exception being handled in the
// error box owned by Owner, titled with the module's file name without its
// extension.
void HandleException(HWND Owner) noexcept;
