#pragma once
// File-name routines on code page 932 byte strings. The delimiters are '\'
// and ':'; a 0x5C byte that is the trail byte of a double-byte character is
// not a delimiter.

#include <string>

// True for a code page 932 lead byte (0x81-0x9F, 0xE0-0xFC). Inline: every
// byte-wise scan of a name or a file asks it.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The part after the last delimiter; all of fileName when it has none.
std::string ExtractFileName(const std::string& fileName);
// The part up to and including the last delimiter; empty when it has none.
std::string ExtractFilePath(const std::string& fileName);
// Replaces the extension (from the last '.' after the last delimiter) with ext.
std::string ChangeFileExt(const std::string& fileName, const std::string& ext);
// Lower-cases A-Z, leaving double-byte characters intact.
std::string AnsiLowerCase(const std::string& text);
