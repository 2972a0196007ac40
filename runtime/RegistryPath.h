#pragma once
// How both registry backends read a key path or a section name: without the
// delimiters at its start and end, so "\Software\X\" and "Software\X" name
// the same key, and a section of delimiters alone is the key itself.

#include "runtime/FileNames.h"

#include <string>

inline std::string NormaliseKeyPath(std::string path) {
    while (!path.empty() && path.front() == '\\')
        path.erase(0, 1);
    // A trailing 0x5C that is the trail byte of a double-byte character stays.
    while (!path.empty() && path.back() == '\\' && ExtractFilePath(path) == path)
        path.pop_back();
    return path;
}
