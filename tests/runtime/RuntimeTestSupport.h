#pragma once
// Helpers shared by the runtime suites: scoped date-time settings, scratch
// paths in the temporary folder, and file times set in local time.

#include "runtime/DateTime.h"

#include <string>

// Puts FormatSettings back as it was when the scope ends.
class TSettingsGuard {
public:
    explicit TSettingsGuard(const TFormatSettings& settings) : FSaved(FormatSettings) {
        FormatSettings = settings;
    }
    ~TSettingsGuard() { FormatSettings = FSaved; }
    TSettingsGuard(const TSettingsGuard&) = delete;
    TSettingsGuard& operator=(const TSettingsGuard&) = delete;

private:
    TFormatSettings FSaved;
};

// A path in the temporary folder that nothing else uses, with the process id
// in it; name is appended as it is.
std::string ScratchPath(const std::string& name);

// These take runtime paths (Windows-style delimiters work on both backends).
void WriteTextFile(const std::string& path, const std::string& text);
void RemoveFile(const std::string& path);
// Removes a folder and all it holds; nothing when it does not exist.
void RemoveTree(const std::string& path);
// Sets the file's last-modification time to a local date-time.
void SetLocalModificationTime(const std::string& path, int year, int month, int day, int hour,
                              int minute, int second);
