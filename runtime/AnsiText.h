#pragma once
// Byte-wise rules of code page 932 text, shared by every scan of names,
// paths and INI files.

#include <string>
#include <string_view>

// True for a lead byte (0x81-0x9F, 0xE0-0xFC). Inline: every byte-wise scan
// of a name or a file asks it.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// True for a byte that may follow a lead byte (0x40-0x7E, 0x80-0xFC).
constexpr bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Lower-cases A-Z, leaving double-byte characters intact: the trail byte of
// a double-byte character is no letter.
std::string AnsiLowerCase(std::string_view text);
