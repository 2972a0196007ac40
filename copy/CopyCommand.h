#pragma once
// The copy command: the host's selection of shortcut files, expanded through
// the user's stored format, lands on the clipboard as one text.

#include "copy/CopyMessages.h"
#include "runtime/StringList.h"

#include <cstdint>

// Appends the entries of a selection buffer to list: each entry is a path
// followed by a NUL; an empty entry ends the list. Only the first length
// bytes are read, and a path whose NUL lies beyond them is dropped. A null
// buffer selects nothing, whatever the length.
void ParsePathList(TStringList& list, const char* buffer, std::int32_t length);

// Expands the stored format against every selected shortcut, in order, and
// puts the joined text on the clipboard when it is not empty. The format is
// read from the registry on every call. Errors (an invalid format, an
// unreadable shortcut, a clipboard that cannot be opened) propagate with their
// class and leave the clipboard as it was; an error while reading a shortcut
// has CR LF and that shortcut's path added to its message. Running out of
// memory raises EOutOfMemory with TooMuchTextMessage.
void RunCopyCommand(const char* buffer, std::int32_t length);
