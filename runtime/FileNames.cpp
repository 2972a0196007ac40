// File-name splitting on code page 932 strings: the search walks characters,
// not bytes, so a trail byte that happens to be '\' (0x5C) never splits a name.

#include "runtime/FileNames.h"

#include <string_view>

namespace {

// Position of the last byte in delimiters that starts a character, or npos.
std::size_t LastDelimiter(const std::string& text, std::string_view delimiters) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < text.size())
            ++i;
        else if (delimiters.find(static_cast<char>(c)) != std::string_view::npos)
            last = i;
    }
    return last;
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
