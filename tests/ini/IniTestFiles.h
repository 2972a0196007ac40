#pragma once
// Helpers shared by the INI suites: byte images of files in each encoding, a
// scratch folder removed before and after, whole-file reads and writes.

#include <filesystem>
#include <string>
#include <string_view>

// "\xFF\xFE" and the text as UTF-16LE units (or big-endian, with "\xFE\xFF").
std::string Utf16LEFile(std::u16string_view text, bool bom = true);
std::string Utf16BEFile(std::u16string_view text);
// "\xEF\xBB\xBF" and the text.
std::string Utf8File(std::u8string_view text);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    // The file's name in the form the runtime takes (ANSI, Windows-style on Win32).
    std::string Name(const std::string& file) const { return (FPath / file).string(); }

private:
    std::filesystem::path FPath;
};
