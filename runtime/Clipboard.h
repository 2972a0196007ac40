#pragma once
// The process's clipboard, as text in the ANSI code page (932).

#include <string>

// Another program may hold the clipboard for a moment: opening it is tried
// this many times, ClipboardRetryMilliseconds apart, before it fails. The
// posix stand-in counts its tries the same way.
inline constexpr int ClipboardOpenAttempts = 5;
inline constexpr int ClipboardRetryMilliseconds = 20;

class TClipboard {
public:
    // Replaces the clipboard's contents with the text up to its first NUL, in
    // one session: as CF_TEXT (those bytes and one NUL), as CF_UNICODETEXT (the
    // same text converted from the ANSI code page) and with CF_LOCALE (the
    // system's default locale), so that every program pastes the same
    // characters whatever keyboard language is active. The clipboard is opened
    // for a hidden window made for the call and destroyed before it returns.
    // Raises EClipboardException, or EOutOfMemory when the memory for the
    // text cannot be had; each message says what to do. When the memory
    // cannot be had or the clipboard cannot be opened (another program holds
    // it) or emptied, the clipboard keeps what it held. When the system
    // refuses one of the formats after emptying it, the clipboard is left
    // empty.
    void SetAsText(const std::string& text);
    // The clipboard's CF_TEXT, empty when it holds no text.
    std::string AsText();
};

TClipboard& Clipboard();
