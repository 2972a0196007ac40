#pragma once
// TFormatLibrary: one named output format, stored in the current user's
// registry, and its expansion against one shortcut record.

#include "lib/URLLibrary.h"

#include <string>

class TFormatLibrary {
public:
    static constexpr char DefaultFormatText[] = "%p : %u%z";

    // Reads FormatText from the registry key named after FormatName; the
    // default applies when the section or the value is missing.
    void LoadFromRegistry();
    void SaveToRegistry();
    // Stores the text unchanged; it is judged only when expanded.
    void SetFormatText(const std::string& text);
    // FormatText expanded against data. Any failure inside raises the format
    // error: EConvertError with the message "書式文字列が不正です", CR LF, FormatText.
    std::string Expand(const TUrlFileData& data) const;

    std::string FormatText;
    std::string FormatName;

private:
    std::string ExpandURL(int selector, const std::string& url) const;
    std::string ExpandDate(int selector, TDateTime value) const;
    std::string ExpandTime(int selector, TDateTime value) const;
    std::string ExpandFile(int selector, const std::string& fileName) const;
};
