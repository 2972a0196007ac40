#pragma once
// Finds and opens the file that a path from the host means. The host lists
// favorites with the ANSI file functions, which stop at MAX_PATH bytes and
// replace each character of a name that code page 932 lacks (by its best
// fit, or by '?'). Here the file is opened by its wide name, through the
// "\\?\" form of its full path; when that names no file, or the path holds a
// '?', each name that is not there is matched against the wide names of its
// folder as the host's conversion shows them (see AnsiName).

#include "runtime/win32/Handles.h"

#include <string>

// The file, open for reading and sharing read, write and delete; no handle
// when the path has no file: nothing there and no match, a folder, a device
// name. Raises EIniFileException naming path: IniReadError for a file that
// exists but cannot be opened, PathLookupError when the path cannot be
// looked up (only "file not found" and "path not found" mean that nothing is
// there), AmbiguousNameError when several names of a folder match one.
TFileHandle OpenHostPath(const std::string& path);
