// Date-time services of the Win32 backend: the local clock, file times and
// the user's regional settings.

#include "runtime/DateTime.h"

#include "runtime/win32/FileTimeFields.h"

#include <windows.h>

#include <string>

namespace {

// ShortDateFormat must point at storage that lives for the program, so the
// locale's picture is reduced to its order of year, month and day and mapped
// onto one of these.
constexpr std::string_view DatePictures[] = {"yyyy/mm/dd", "yyyy/dd/mm", "mm/dd/yyyy",
                                             "mm/yyyy/dd", "dd/mm/yyyy", "dd/yyyy/mm"};

// In the system's ANSI code page, as every other string of the DLLs: without
// LOCALE_USE_CP_ACP the text comes in the code page of the user's locale,
// which may be another one.
std::string LocaleInfo(LCTYPE type) {
    char buffer[100];
    const int length =
        GetLocaleInfoA(LOCALE_USER_DEFAULT, type | LOCALE_USE_CP_ACP, buffer, sizeof buffer);
    return length > 1 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}

// The order of the year, month and day letters of a locale picture such as
// "yyyy/MM/dd" or "d.M.yyyy"; quoted literal text is skipped.
std::string_view PictureFromLocale(const std::string& picture) {
    std::string order;
    bool quoted = false;
    for (const char raw : picture) {
        if (raw == '\'') {
            quoted = !quoted;
            continue;
        }
        const char c = raw >= 'A' && raw <= 'Z' ? static_cast<char>(raw - 'A' + 'a') : raw;
        if (!quoted && (c == 'y' || c == 'm' || c == 'd') && order.find(c) == std::string::npos)
            order += c;
    }
    for (const std::string_view candidate : DatePictures) {
        const std::string letters = {candidate[0], candidate[candidate.find('/') + 1],
                                     candidate[candidate.rfind('/') + 1]};
        if (letters == order)
            return candidate;
    }
    return DatePictures[0];
}

} // namespace

void LoadLocaleFormatSettings() {
    TFormatSettings settings = {'/', ':', DatePictures[0]};
    // A separator is the whole text, which may hold double-byte characters;
    // Windows allows three characters, so longer text is not a separator.
    if (const std::string date = LocaleInfo(LOCALE_SDATE);
        !date.empty() && date.size() <= TDateTimeSeparator::Capacity)
        settings.DateSeparator = std::string_view(date);
    if (const std::string time = LocaleInfo(LOCALE_STIME);
        !time.empty() && time.size() <= TDateTimeSeparator::Capacity)
        settings.TimeSeparator = std::string_view(time);
    if (const std::string picture = LocaleInfo(LOCALE_SSHORTDATE); !picture.empty())
        settings.ShortDateFormat = PictureFromLocale(picture);
    FormatSettings = settings;
}

TDateTime Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return EncodeDate(now.wYear, now.wMonth, now.wDay) +
           EncodeTime(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

bool LocalModificationTime(const std::string& fileName, TLocalTimeFields& fields) {
    // The attribute query takes the name literally, where a directory search
    // would read '*' and '?' as wildcards.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    fields = LocalTimeFields(data.ftLastWriteTime);
    return true;
}
