// Portable date-time arithmetic, formatting and parsing. The backends supply
// Now, LocalModificationTime and LoadLocaleFormatSettings.

#include "runtime/DateTime.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

constinit TFormatSettings FormatSettings = {'/', ':', "yyyy/mm/dd"};

namespace {

constexpr std::int64_t MSecsPerDay = 24 * 60 * 60 * 1000;
// Day numbers of 1 January 0001 and 31 December 9999 relative to 30 December 1899.
constexpr double MinDateTime = -693593.0;
constexpr double MaxDateTime = 2958466.0;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int msec) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
           msec >= 0 && msec < 1000;
}

// Days from 1 January 1970 of a proleptic Gregorian date (Howard Hinnant's
// civil calendar algorithm), shifted below to our epoch.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t EpochShift = -25569;

// Splits a value into whole days and milliseconds of the day. The fraction of
// a negative value is not signed: -1.25 is day -1 at 06:00.
void SplitDateTime(TDateTime value, std::int64_t& days, std::int64_t& msecs) {
    if (!std::isfinite(value) || value <= MinDateTime - 1.0 || value >= MaxDateTime)
        throw EConvertError(Messages::DateTimeOutOfRange());
    const double whole = std::trunc(value);
    days = static_cast<std::int64_t>(whole);
    msecs = std::llround(std::fabs(value - whole) * MSecsPerDay);
    if (msecs >= MSecsPerDay) {
        msecs -= MSecsPerDay;
        days += 1;
    }
}

TDateTime CombineDateTime(TDateTime date, TDateTime time) {
    return date >= 0 ? date + time : date - time;
}

// --- FormatDateTime -------------------------------------------------------

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendNumber(std::string& out, int value, int minDigits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", minDigits, value);
    out += buffer;
}

struct TDateTimeFields {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, Msec = 0;
};

TDateTimeFields DecodeFields(TDateTime value) {
    TDateTimeFields fields;
    DecodeDate(value, fields.Year, fields.Month, fields.Day);
    DecodeTime(value, fields.Hour, fields.Minute, fields.Second, fields.Msec);
    return fields;
}

bool IsFieldLetter(char letter) {
    return letter == 'y' || letter == 'm' || letter == 'd' || letter == 'h' || letter == 'n' ||
           letter == 's' || letter == 'z';
}

// The user's separator for the pattern's '/' or ':'.
std::string_view UserSeparator(char symbol) {
    return (symbol == '/' ? FormatSettings.DateSeparator : FormatSettings.TimeSeparator).View();
}

// How many times the letter at pos repeats there, in either case.
std::size_t RunLength(std::string_view pattern, std::size_t pos) {
    std::size_t count = 1;
    while (pos + count < pattern.size() && Lower(pattern[pos + count]) == Lower(pattern[pos]))
        ++count;
    return count;
}

// The text up to the quote that closes the one at open, or to the end of the
// pattern; returns where the pattern goes on.
std::size_t AppendQuoted(std::string& out, std::string_view pattern, std::size_t open) {
    const std::size_t close = pattern.find(pattern[open], open + 1);
    const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
    out.append(pattern.substr(open + 1, end - open - 1));
    return end == pattern.size() ? end : end + 1;
}

// The value a run of count letters stands for; previous is the letter of the
// field before it.
int FieldValue(char letter, std::size_t count, char previous, const TDateTimeFields& fields) {
    switch (letter) {
    case 'y':
        return count >= 3 ? fields.Year : fields.Year % 100;
    case 'm':
        return previous == 'h' ? fields.Minute : fields.Month;
    case 'd':
        return fields.Day;
    case 'h':
        return fields.Hour;
    case 'n':
        return fields.Minute;
    case 's':
        return fields.Second;
    default:
        return fields.Msec;
    }
}

// The least digits a run of count letters is written with.
int FieldDigits(char letter, std::size_t count) {
    if (letter == 'y')
        return count >= 3 ? 4 : 2;
    if (letter == 'z')
        return count >= 3 ? 3 : 1;
    return count >= 2 ? 2 : 1;
}

// --- StrToDateTime --------------------------------------------------------

bool BeginsWithBlank(std::string_view text) {
    return !text.empty() && text.front() == ' ';
}

class TScanner {
public:
    explicit TScanner(std::string_view text) : FText(text) {}

    bool AtEnd() const { return FPos == FText.size(); }
    bool SkipBlanks() {
        const std::size_t start = FPos;
        while (FPos < FText.size() && FText[FPos] == ' ')
            ++FPos;
        return FPos != start;
    }
    // Matches one whole separator, with optional blanks before it unless the
    // separator begins with a blank.
    bool Separator(std::string_view separator) {
        if (!BeginsWithBlank(separator))
            SkipBlanks();
        if (FText.substr(FPos, separator.size()) != separator)
            return false;
        FPos += separator.size();
        return true;
    }
    // Reads minDigits to maxDigits decimal digits; digits is how many were read.
    bool Number(int minDigits, int maxDigits, int& value, int& digits) {
        value = 0;
        digits = 0;
        while (FPos < FText.size() && digits < maxDigits && FText[FPos] >= '0' &&
               FText[FPos] <= '9') {
            value = value * 10 + (FText[FPos] - '0');
            ++FPos;
            ++digits;
        }
        if (digits == 0 || digits < minDigits)
            return false;
        // A longer run of digits is not a number of this field.
        return FPos == FText.size() || FText[FPos] < '0' || FText[FPos] > '9';
    }

private:
    std::string_view FText;
    std::size_t FPos = 0;
};

int ExpandTwoDigitYear(int year, int currentYear) {
    const int pivot = currentYear - 50;
    year += pivot / 100 * 100;
    if (year < pivot)
        year += 100;
    return year;
}

bool TryEncode(int year, int month, int day, int hour, int minute, int second, TDateTime& result) {
    if (!IsValidDate(year, month, day) || !IsValidTime(hour, minute, second, 0))
        return false;
    result = CombineDateTime(EncodeDate(year, month, day), EncodeTime(hour, minute, second, 0));
    return true;
}

// Exactly "yy/mm/dd hh:nn" with the given separators: the text that saving a
// last visit writes, whatever the user's short-date order.
bool TryReadSavedForm(std::string_view text, std::string_view dateSeparator,
                      std::string_view timeSeparator, int currentYear, TDateTime& result) {
    static constexpr std::string_view shape = "99/99/99 99:99";
    int fields[5] = {};
    int field = 0;
    std::size_t pos = 0;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        std::string_view expected = shape.substr(i, 1);
        if (shape[i] == '/')
            expected = dateSeparator;
        else if (shape[i] == ':')
            expected = timeSeparator;
        else if (shape[i] == '9') {
            if (pos == text.size() || text[pos] < '0' || text[pos] > '9')
                return false;
            fields[field] = fields[field] * 10 + (text[pos] - '0');
            ++pos;
            if (i + 1 == shape.size() || shape[i + 1] != '9')
                ++field;
            continue;
        }
        if (text.substr(pos, expected.size()) != expected)
            return false;
        pos += expected.size();
    }
    if (pos != text.size())
        return false;
    return TryEncode(ExpandTwoDigitYear(fields[0], currentYear), fields[1], fields[2], fields[3],
                     fields[4], 0, result);
}

// The saved form with the user's separators, or with the '/' and ':' that
// the host and earlier settings wrote: a last visit saved before the user
// changed the regional settings (one separator or both) stays readable.
bool TryReadSavedFormAnySeparators(std::string_view text, const TFormatSettings& settings,
                                   int currentYear, TDateTime& result) {
    const std::string_view dates[] = {settings.DateSeparator.View(), "/"};
    const std::string_view times[] = {settings.TimeSeparator.View(), ":"};
    for (const std::string_view date : dates)
        for (const std::string_view time : times)
            if (TryReadSavedForm(text, date, time, currentYear, result))
                return true;
    return false;
}

// The order of year, month and day in a short date format, as a string of
// the letters 'y', 'm' and 'd'. Year-month-day unless all three are found.
std::string DateOrder(std::string_view shortDateFormat) {
    std::string order;
    for (const char raw : shortDateFormat) {
        const char c = Lower(raw);
        if ((c == 'y' || c == 'm' || c == 'd') && order.find(c) == std::string::npos)
            order += c;
    }
    return order.size() == 3 ? order : "ymd";
}

// Numbers split by the date separator in the user's order, then optionally
// blanks and h:n[:s].
bool TryReadUserForm(std::string_view text, const TFormatSettings& settings, int currentYear,
                     TDateTime& result) {
    TScanner scanner(text);
    int year = 0, month = 0, day = 0;
    const std::string order = DateOrder(settings.ShortDateFormat);
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && !scanner.Separator(settings.DateSeparator.View()))
            return false;
        if (!BeginsWithBlank(settings.DateSeparator.View()))
            scanner.SkipBlanks();
        int value = 0, digits = 0;
        if (order[i] == 'y') {
            if (!scanner.Number(1, 4, value, digits))
                return false;
            year = digits <= 2 ? ExpandTwoDigitYear(value, currentYear) : value;
        } else {
            if (!scanner.Number(1, 2, value, digits))
                return false;
            (order[i] == 'm' ? month : day) = value;
        }
    }
    int hour = 0, minute = 0, second = 0;
    const bool blank = scanner.SkipBlanks();
    if (!scanner.AtEnd()) {
        int digits = 0;
        if (!blank || !scanner.Number(1, 2, hour, digits) ||
            !scanner.Separator(settings.TimeSeparator.View()) ||
            !scanner.Number(1, 2, minute, digits))
            return false;
        if (scanner.Separator(settings.TimeSeparator.View()) &&
            !scanner.Number(1, 2, second, digits))
            return false;
        scanner.SkipBlanks();
        if (!scanner.AtEnd())
            return false;
    }
    return TryEncode(year, month, day, hour, minute, second, result);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

TDateTime EncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day))
        throw EConvertError(Messages::InvalidDateOrTime());
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) - EpochShift);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    if (!IsValidTime(hour, minute, second, msec))
        throw EConvertError(Messages::InvalidDateOrTime());
    const std::int64_t ms = ((hour * 60 + minute) * 60 + second) * 1000 + msec;
    return static_cast<TDateTime>(ms) / MSecsPerDay;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    std::int64_t days = 0, msecs = 0;
    SplitDateTime(value, days, msecs);
    CivilFromDays(days + EpochShift, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
    std::int64_t days = 0, msecs = 0;
    SplitDateTime(value, days, msecs);
    msec = static_cast<int>(msecs % 1000);
    second = static_cast<int>(msecs / 1000 % 60);
    minute = static_cast<int>(msecs / 60000 % 60);
    hour = static_cast<int>(msecs / 3600000);
}

std::string FormatDateTime(std::string_view pattern, TDateTime value) {
    const TDateTimeFields fields = DecodeFields(value);
    std::string out;
    // The letter of the last date or time field: 'm' right after an hour is
    // the minute, even with separators or literal text between them.
    char previous = 0;
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char character = pattern[pos];
        const char letter = Lower(character);
        if (character == '\'' || character == '"') {
            pos = AppendQuoted(out, pattern, pos);
        } else if (character == '/' || character == ':') {
            out += UserSeparator(character);
            ++pos;
        } else if (!IsFieldLetter(letter)) {
            out += character;
            ++pos;
        } else {
            const std::size_t count = RunLength(pattern, pos);
            AppendNumber(out, FieldValue(letter, count, previous, fields),
                         FieldDigits(letter, count));
            previous = letter;
            pos += count;
        }
    }
    return out;
}

TDateTime StrToDateTime(const std::string& text, const TFormatSettings& settings, int currentYear) {
    const std::string_view trimmed = TrimBlanks(text);
    TDateTime result = 0;
    if (TryReadSavedFormAnySeparators(trimmed, settings, currentYear, result) ||
        TryReadUserForm(trimmed, settings, currentYear, result))
        return result;
    throw EConvertError(Messages::UnreadableDateTime(text));
}

TDateTime StrToDateTime(const std::string& text) {
    int year = 0, month = 0, day = 0;
    DecodeDate(Now(), year, month, day);
    return StrToDateTime(text, FormatSettings, year);
}

TDateTime FileDateToDateTime(int fileDate) {
    const auto packed = static_cast<std::uint32_t>(fileDate);
    const int date = static_cast<int>(packed >> 16);
    const int time = static_cast<int>(packed & 0xFFFF);
    const int year = (date >> 9) + 1980;
    const int month = (date >> 5) & 0x0F;
    const int day = date & 0x1F;
    const int hour = time >> 11;
    const int minute = (time >> 5) & 0x3F;
    const int second = (time & 0x1F) * 2;
    return CombineDateTime(EncodeDate(year, month, day), EncodeTime(hour, minute, second, 0));
}

namespace {

// The packed DOS date-time of a local time, or -1 outside 1980 to 2107.
int PackFileDate(const TLocalTimeFields& time) {
    // The year range is checked here: the system's own packing fails or wraps
    // the year outside it.
    if (time.Year < 1980 || time.Year > 2107)
        return -1;
    const unsigned date =
        static_cast<unsigned>(((time.Year - 1980) << 9) | (time.Month << 5) | time.Day);
    const unsigned clock =
        static_cast<unsigned>((time.Hour << 11) | (time.Minute << 5) | (time.Second / 2));
    return static_cast<int>((date << 16) | clock);
}

} // namespace

TDateTime FileTimeToDateTime(const std::string& fileName, const TLocalTimeFields& time) {
    if (const int packed = PackFileDate(time); packed != -1)
        return FileDateToDateTime(packed);
    if (!IsValidDate(time.Year, time.Month, time.Day) ||
        !IsValidTime(time.Hour, time.Minute, time.Second, 0))
        throw EConvertError(Messages::FileDateOutOfRange(fileName));
    return CombineDateTime(EncodeDate(time.Year, time.Month, time.Day),
                           EncodeTime(time.Hour, time.Minute, time.Second, 0));
}

int FileAge(const std::string& fileName) {
    TLocalTimeFields time{};
    return LocalModificationTime(fileName, time) ? PackFileDate(time) : -1;
}

bool FileAge(const std::string& fileName, TDateTime& fileDateTime) {
    TLocalTimeFields time{};
    if (!LocalModificationTime(fileName, time))
        return false;
    fileDateTime = FileTimeToDateTime(fileName, time);
    return true;
}
