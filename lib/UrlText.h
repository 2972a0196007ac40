#pragma once
// The URL of a shortcut as code page 932 text that opens the same page.
//
// Windows keeps a URL with characters outside the ANSI code page twice: lossy
// in [InternetShortcut] (best fit or '?'), and whole, UTF-7 encoded, in
// [InternetShortcut.W]. Copying the lossy one would link to another page.

#include <optional>
#include <string>
#include <string_view>

// The URL in code page 932: every character the code page holds exactly
// stays as its bytes, every other becomes the percent-encoded bytes of its
// UTF-8 form (upper-case hex), in the host name too, as browsers that follow
// the WHATWG URL standard decode it there. Nothing when the text cannot be
// the URL it was meant to be: it holds a lone surrogate or U+FFFD (left by a
// broken conversion), or U+0000 (which would end the clipboard text).
//   AnsiUrl(u"http://例え.テスト/café") == "http://例え.テスト/caf%C3%A9"
std::optional<std::string> AnsiUrl(std::u16string_view url);

// The URL a shortcut stands for, given the URL of [InternetShortcut] and the
// URL of [InternetShortcut.W] (empty when there is none). The .W URL counts
// only when it differs from the ANSI one and the system's own lossy
// conversion of it gives the ANSI URL byte for byte: a tool that rewrote
// only the ANSI URL leaves a stale .W behind. Then AnsiUrl of it, and
// otherwise the ANSI URL as it is. A file of Unicode text holds the URL
// itself: given as unicodeUrl, it takes the place of the .W URL.
std::string ShortcutUrl(const std::string& ansiUrl, const std::string& utf7Url,
                        const std::optional<std::u16string>& unicodeUrl = std::nullopt);
