#pragma once
// Byte images of INI files in each encoding, for the INI suites.

#include <string>
#include <string_view>

// "\xFF\xFE" and the text as UTF-16LE units (or big-endian, with "\xFE\xFF").
std::string Utf16LEFile(std::u16string_view text, bool bom = true);
std::string Utf16BEFile(std::u16string_view text);
// "\xEF\xBB\xBF" and the text.
std::string Utf8File(std::u8string_view text);
