#pragma once
// TIniFile's errors, the same on every backend (texts in Messages.cpp). Each
// names the file and says what the user can do about it.

#include "runtime/Exception.h"
#include "runtime/Messages.h"

#include <string>

// A file that cannot be written; reason is one sentence (the system's text).
inline EIniFileException IniWriteError(const std::string& fileName, const std::string& reason) {
    return EIniFileException(Messages::FileWriteFailed(fileName, reason));
}

// A name or value that an INI file cannot hold (TIniText::WriteProblem).
inline EIniFileException IniWriteRefused(const std::string& fileName, const std::string& problem) {
    return EIniFileException(Messages::FileWriteRefused(fileName, problem));
}

// An existing file that cannot be opened for reading.
inline EIniFileException IniReadError(const std::string& fileName, const std::string& system) {
    return EIniFileException(Messages::FileReadFailed(fileName, system));
}

// A path that cannot be looked up for another reason than that nothing is
// there: a drive or network folder that does not answer, a folder that may
// not be opened, a name the system refuses.
inline EIniFileException PathLookupError(const std::string& fileName, const std::string& system) {
    return EIniFileException(Messages::FileLookupFailed(fileName, system));
}

// More than one name in a folder reads as the name the host passed, once the
// characters that code page 932 lacks are replaced as the host replaces them.
inline EIniFileException AmbiguousNameError(const std::string& entry) {
    return EIniFileException(Messages::AmbiguousFileName(entry));
}
