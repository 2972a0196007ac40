#pragma once
// Date-time values and the user's date-time settings.
//
// A TDateTime is a day count: the integer part counts days since 30 December
// 1899, the fraction is the time of day. Values are local times.

#include <cstddef>
#include <string>
#include <string_view>

using TDateTime = double;

// A date or time separator: the whole text the locale gives, which may be
// more than one byte (a double-byte character in code page 932, or up to
// three characters). Held in place so that the settings stay constant-
// initialised.
class TDateTimeSeparator {
public:
    // The locale's limit: three characters of up to two bytes each.
    static constexpr std::size_t Capacity = 6;

    constexpr TDateTimeSeparator(char c) : FText{c}, FLength(1) {}
    // Text longer than Capacity is cut there; callers pass whole separators.
    constexpr TDateTimeSeparator(std::string_view text)
        : FLength(text.size() < Capacity ? text.size() : Capacity) {
        for (std::size_t i = 0; i < FLength; ++i)
            FText[i] = text[i];
    }

    constexpr std::string_view View() const { return {FText, FLength}; }
    friend constexpr bool operator==(const TDateTimeSeparator&,
                                     const TDateTimeSeparator&) = default;

private:
    char FText[Capacity] = {};
    std::size_t FLength = 0;
};

struct TFormatSettings {
    TDateTimeSeparator DateSeparator;
    TDateTimeSeparator TimeSeparator;
    // Order of year, month and day as letters, for example "yyyy/mm/dd" or
    // "dd.mm.yyyy". Must refer to storage that outlives its use (a literal).
    std::string_view ShortDateFormat;
};

// The user's settings. Constant-initialised to '/', ':' and "yyyy/mm/dd";
// LoadLocaleFormatSettings replaces them with the user's own (Win32: from the
// user's locale). Tests assign the fields directly.
extern TFormatSettings FormatSettings;
void LoadLocaleFormatSettings();

TDateTime EncodeDate(int year, int month, int day);               // raises EConvertError
TDateTime EncodeTime(int hour, int minute, int second, int msec); // raises EConvertError
// Decoding and formatting raise EConvertError for a value outside the years
// 1 to 9999 (NaN and infinities included).
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);

// The current local date-time.
TDateTime Now();

// Formats by a pattern: yyyy, yy, mm (month, or minutes right after hh),
// dd, hh, nn, ss, zzz; one letter gives the number unpadded, and longer runs
// of m, d, h, n or s the two-digit form (no names); '/' and ':' become the
// user's separators; quoted text and any other character are kept literally.
std::string FormatDateTime(std::string_view pattern, TDateTime value);

// Reads a date and an optional time. "yy/mm/dd hh:nn" is tried first, year
// first whatever the user's date order, with the user's separators or with
// '/' and ':' (text saved before the settings changed); then the user's
// short-date order. A two-digit year falls in the hundred years centred on
// the current year. Text that fits nothing raises EConvertError.
TDateTime StrToDateTime(const std::string& text);
// The same with explicit settings and current year (tests, fuzzing).
TDateTime StrToDateTime(const std::string& text, const TFormatSettings& settings, int currentYear);

// The file's last-modification time as a packed DOS date-time (local time,
// two-second resolution), or -1 for a missing file, a folder or a time outside
// the years 1980 to 2107 that the packed form holds.
int FileAge(const std::string& fileName);
// The file's last-modification time in local time; false for a missing file
// or a folder. Within 1980 to 2107 exactly FileDateToDateTime(FileAge(...)),
// in two-second steps; outside them to the second. Raises EConvertError,
// naming the file, for a time that is no date of the years 1 to 9999.
bool FileAge(const std::string& fileName, TDateTime& fileDateTime);
// Raises EConvertError for a packed value that is no date (-1 among them).
TDateTime FileDateToDateTime(int fileDate);

// A local time field by field, as the system gives it. Year 0 stands for a
// time the system cannot put into the calendar of the years 1 to 9999.
struct TLocalTimeFields {
    int Year, Month, Day, Hour, Minute, Second;
};
// Supplied by the backend: the file's last-modification time in local time,
// to the second; false for a missing file or a folder.
bool LocalModificationTime(const std::string& fileName, TLocalTimeFields& time);
// What FileAge(fileName, fileDateTime) makes of the file's local time.
TDateTime FileTimeToDateTime(const std::string& fileName, const TLocalTimeFields& time);
