#pragma once
// Scratch folders, file bytes and date settings shared by the library tests.

#include "runtime/DateTime.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

// A fresh folder below the system's temporary folder, removed with its
// contents at the end of the test.
class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    // The full path of an entry of the folder, in the platform's own form.
    std::string Path(const std::string& name) const;

private:
    std::string FDir;
};

// Moves a file's last-modification time back by the given number of days.
void AgeFile(const std::string& path, int days);
// Paths in the platform's own form.
bool IsDirectory(const std::string& path);
bool PathExists(const std::string& path);
void RemoveTree(const std::string& path);

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file's non-blank lines without their line ends: the INI writers differ
// only in blank lines between sections.
inline std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

// Replaces the user's date-time settings for one scope.
class TSettingsScope {
public:
    explicit TSettingsScope(TFormatSettings settings) : FSaved(FormatSettings) {
        FormatSettings = settings;
    }
    ~TSettingsScope() { FormatSettings = FSaved; }
    TSettingsScope(const TSettingsScope&) = delete;
    TSettingsScope& operator=(const TSettingsScope&) = delete;

private:
    TFormatSettings FSaved;
};

inline constexpr TFormatSettings SlashColonSettings{'/', ':', "yyyy/mm/dd"};
