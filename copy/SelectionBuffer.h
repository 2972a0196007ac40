#pragma once
// The selection buffer the host passes to ExecutePlugin: each path followed
// by a NUL, then one more NUL. Built by the stand-in host, the benchmark and
// the tests.

#include <string>
#include <vector>

inline std::string SelectionBuffer(const std::vector<std::string>& paths) {
    std::string buffer;
    for (const std::string& path : paths) {
        buffer += path;
        buffer += '\0';
    }
    buffer += '\0';
    return buffer;
}
