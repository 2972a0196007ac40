#pragma once
// Small helpers on Windows paths (code page 932 byte strings). The trailing
// backslash tests look at the last byte alone, as stored paths expect.

#include <string>

std::string AddTrailingBackslash(std::string path);
std::string RemoveTrailingBackslash(std::string path);
// The user's temporary folder, ending in one backslash, followed directly by
// subFolder; created with its parents when create is true.
std::string GetTempFolder(const std::string& subFolder, bool create);
