#pragma once
// Conversion between the system's ANSI code page (932) and UTF-16, as the
// Windows "A" routines convert: a character that has no equivalent becomes
// '?' (a byte sequence that is not code page 932 text becomes U+FFFD), so
// neither direction ever fails on bad input. EOSError when the system has no
// such conversion; EConvertError for text beyond the system routines' sizes.

#include <string>
#include <string_view>

std::string Utf16ToAnsi(std::u16string_view text);
std::u16string AnsiToUtf16(std::string_view text);
