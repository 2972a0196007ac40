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

// A path that cannot be looked up for another reason than that nothing is
// there: a drive or network folder that does not answer, a folder that may
// not be opened, a name the system refuses.
inline EIniFileException PathLookupError(const std::string& fileName, const std::string& reason) {
    return EIniFileException("Cannot look for the file \"" + fileName + "\": " + reason +
                             "\r\nCheck that its drive or network folder can be reached, that "
                             "you may open its folder and that its name is valid, and try again.");
}

// More than one name in a folder reads as the name the host passed, once the
// characters that code page 932 lacks are replaced as the host replaces them.
inline EIniFileException AmbiguousNameError(const std::string& entry) {
    return EIniFileException("Several files match \"" + entry +
                             "\": their names differ only in characters that Shift JIS (code "
                             "page 932) lacks.\r\nRename them so that their names differ in "
                             "other characters, and try again.");
}
