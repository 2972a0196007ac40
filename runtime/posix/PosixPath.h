#pragma once
// The posix backend takes Windows-style paths: each '\' that is a real
// delimiter (not the trail byte of a double-byte character) becomes '/'
// before the operating system sees the path.

#include "runtime/AnsiText.h"

#include <string>

inline std::string ToPosixPath(const std::string& path) {
    std::string result = path;
    for (std::size_t i = 0; i < result.size(); ++i) {
        const auto c = static_cast<unsigned char>(result[i]);
        if (IsLeadByte(c) && i + 1 < result.size())
            ++i;
        else if (c == '\\')
            result[i] = '/';
    }
    return result;
}
