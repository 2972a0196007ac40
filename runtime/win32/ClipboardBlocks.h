#pragma once
// The memory blocks TClipboard::SetAsText places on the clipboard. They are
// made before the clipboard is opened, so that running out of memory leaves
// the clipboard as it was.

#include "runtime/win32/Handles.h"

#include <windows.h>

#include <string>
#include <vector>

struct TClipboardBlock {
    UINT Format;
    TGlobalMemory Memory;
};

// In the order they are placed: CF_TEXT (the text up to its first NUL, then
// one NUL), CF_UNICODETEXT (the same text converted from the ANSI code page,
// then one NUL) and CF_LOCALE (GetSystemDefaultLCID()). Placing the last two
// ourselves keeps the system from converting the text with the code page of
// the current keyboard language. Raises EClipboardException, or EOutOfMemory
// when the memory cannot be had.
std::vector<TClipboardBlock> PrepareClipboardBlocks(const std::string& text);
