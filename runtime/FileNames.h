#pragma once
// File-name routines on code page 932 byte strings. The delimiters are '\'
// and ':'; a 0x5C byte that is the trail byte of a double-byte character is
// not a delimiter.

#include "runtime/AnsiText.h"

#include <string>

// The part after the last delimiter; all of fileName when it has none.
std::string ExtractFileName(const std::string& fileName);
// The part up to and including the last delimiter; empty when it has none.
std::string ExtractFilePath(const std::string& fileName);
// Replaces the extension (from the last '.' after the last delimiter) with ext.
std::string ChangeFileExt(const std::string& fileName, const std::string& ext);

// True when the last name of path is one that Windows opens as a device, not
// as a file: CON, PRN, AUX, NUL, COM1-COM9 or LPT1-LPT9 in any letter case,
// with or without an extension, and with blanks or dots after it. Such a
// path is never opened: a serial port can block the reader. '/' delimits
// names here as well, as it does for the system.
bool IsDeviceName(const std::string& path);
