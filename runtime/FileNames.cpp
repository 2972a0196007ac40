// File-name splitting on code page 932 strings: the search walks characters,
// not bytes, so a trail byte that happens to be '\' (0x5C) never splits a name.

#include "runtime/FileNames.h"

#include <string_view>

namespace {

// A plain loop: the names of every copied shortcut pass through here byte by
// byte, and a library search per byte costs more than the comparisons.
bool IsOneOf(char c, std::string_view set) {
    for (const char d : set)
        if (c == d)
            return true;
    return false;
}

// Position of the last byte in delimiters that starts a character, or npos.
std::size_t LastDelimiter(const std::string& text, std::string_view delimiters) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < text.size())
            ++i;
        else if (IsOneOf(static_cast<char>(c), delimiters))
            last = i;
    }
    return last;
}

// Device names are ASCII: a lead byte never matches one, so folding every
// byte is safe.
std::string AnsiUpperAscii(std::string_view name) {
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

} // namespace

std::string ExtractFileName(const std::string& fileName) {
    const std::size_t last = LastDelimiter(fileName, "\\:");
    return last == std::string::npos ? fileName : fileName.substr(last + 1);
}

std::string ExtractFilePath(const std::string& fileName) {
    const std::size_t last = LastDelimiter(fileName, "\\:");
    return last == std::string::npos ? std::string() : fileName.substr(0, last + 1);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& ext) {
    const std::size_t last = LastDelimiter(fileName, ".\\:");
    if (last == std::string::npos || fileName[last] != '.')
        return fileName + ext;
    return fileName.substr(0, last) + ext;
}

bool IsDeviceName(const std::string& path) {
    const std::size_t last = LastDelimiter(path, "\\/");
    std::string_view name(path);
    if (last != std::string::npos)
        name.remove_prefix(last + 1);
    else if (name.size() >= 2 && name[1] == ':')
        name.remove_prefix(2); // "C:CON", relative to the drive's folder
    // The name ends at its extension or stream; '.', ':' and ' ' are never
    // trail bytes, so byte searches are safe here.
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '.' || name[i] == ':') {
            name = name.substr(0, i);
            break;
        }
    }
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    if (name.size() != 3 && name.size() != 4)
        return false;
    const std::string upper = AnsiUpperAscii(name);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL")
        return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           upper[3] >= '1' && upper[3] <= '9';
}
