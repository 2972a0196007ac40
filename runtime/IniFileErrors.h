#pragma once
// The messages of TIniFile's errors, the same on every backend. Each names the
// file and says what the user can do about it.

#include "runtime/Exception.h"

#include <string>

inline EIniFileException IniWriteError(const std::string& fileName, const std::string& reason) {
    return EIniFileException("Cannot write the INI file \"" + fileName + "\": " + reason);
}

// An existing file that cannot be opened for reading.
inline EIniFileException IniReadError(const std::string& fileName, const std::string& reason) {
    return EIniFileException("Cannot read the file \"" + fileName + "\": " + reason +
                             "\r\nClose any program that holds it open, check that you may read "
                             "it, and try again.");
}
