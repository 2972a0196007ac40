#pragma once
// TFormatLibrary: one named output format, stored in the current user's
// registry, and its expansion against one shortcut record.

#include "lib/URLLibrary.h"
#include "runtime/Exception.h"

#include <string>

// The contract between the two plug-ins: the copy command reads, and the
// settings dialog writes, the format of this name, in the string value
// FormatValueName of the subkey FormatSection of FormatRegistryKey(name),
// below HKEY_CURRENT_USER.
inline constexpr const char* ClipBoardFormatName = "PellmarkClipBoard";
inline constexpr const char* FormatSection = "Format";
inline constexpr const char* FormatValueName = "FormatText";
// What LoadFromRegistry gives when nothing is stored.
inline constexpr const char* DefaultFormatText = "%p : %u%z";

// The registry key of the format named formatName, relative to HKEY_CURRENT_USER.
std::string FormatRegistryKey(const std::string& formatName);

class TFormatLibrary {
public:
    // Reads FormatText from the registry key named after FormatName; the
    // default DefaultFormatText applies when the section or the value is missing.
    void LoadFromRegistry();
    void SaveToRegistry();
    // Stores the text unchanged; it is judged only when expanded.
    void SetFormatText(const std::string& text);
    // FormatText expanded against data. Any failure inside raises the format
    // error: EConvertError with the message "書式文字列が不正です", CR LF,
    // FormatText; only running out of memory (std::bad_alloc, or
    // std::length_error for a string beyond its largest size) passes as it is,
    // since the format is not at fault.
    std::string Expand(const TUrlFileData& data) const;

    std::string FormatText;
    std::string FormatName;
};
