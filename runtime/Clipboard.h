#pragma once
// The process's clipboard, as plain text (CF_TEXT: code page 932 bytes).

#include <string>

class TClipboard {
public:
    // Opens the clipboard, empties it, stores the text and closes it again.
    // Raises EClipboardException when it cannot; the clipboard then keeps
    // what it held.
    void SetAsText(const std::string& text);
    // The clipboard's text, empty when it holds none.
    std::string AsText();
};

TClipboard& Clipboard();
