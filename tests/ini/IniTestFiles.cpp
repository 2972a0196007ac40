#include "tests/ini/IniTestFiles.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

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

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

TScratchFolder::TScratchFolder() {
    // <chrono> cannot be compiled for code page 932 literals; the random
    // device alone names the folder.
    std::random_device random;
    FPath = std::filesystem::temp_directory_path() /
            ("pell-ini-" + std::to_string(random()) + "-" + std::to_string(random()));
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
}

TScratchFolder::~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}
