#pragma once
// Conversion between the system's ANSI code page (932) and UTF-16, as the
// Windows "A" routines convert: a character that has no equivalent becomes
// '?' (a byte sequence that is not code page 932 text becomes U+FFFD), so
// neither direction ever fails on bad input. EOSError when the system has no
// such conversion; EConvertError for text beyond the system routines' sizes.

#include <optional>
#include <string>
#include <string_view>

// With best fit where the system has it ("é" becomes "e" on Windows).
std::string Utf16ToAnsi(std::u16string_view text);
std::u16string AnsiToUtf16(std::string_view text);

// The text in the ANSI code page when the code page holds every character of
// it exactly: no best fit, no default character, and the bytes convert back
// to the same text. Nothing otherwise (a lone surrogate included).
std::optional<std::string> Utf16ToAnsiExactly(std::u16string_view text);

// UTF-7 text decoded by the system's own decoder, which reads what Windows'
// encoder writes (it also encodes ! " # $ % & * ; < = > @ [ \ ] ^ _ ` { | }
// and ~). Windows' decoder never fails: it may leave lone surrogates, passes
// bytes above 0x7F through as U+0080-U+00FF, and drops bits left over at
// the end of a run. A byte that the posix decoder rejects becomes U+FFFD.
std::u16string Utf7ToUtf16(std::string_view text);
