#include "tests/ini/IniTestFiles.h"

std::string Utf16LEFile(std::u16string_view text, bool bom) {
    std::string bytes = bom ? "\xFF\xFE" : "";
    for (const char16_t u : text) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

std::string Utf16BEFile(std::u16string_view text) {
    std::string bytes = "\xFE\xFF";
    for (const char16_t u : text) {
        bytes.push_back(static_cast<char>(u >> 8));
        bytes.push_back(static_cast<char>(u & 0xFF));
    }
    return bytes;
}

std::string Utf8File(std::u8string_view text) {
    return "\xEF\xBB\xBF" + std::string(text.begin(), text.end());
}
