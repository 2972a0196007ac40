// Formatting date-time values, and the day arithmetic under it.

#include "runtime/DateTime.h"
#include "runtime/Exception.h"
#include "tests/common/SettingsScope.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

struct TFormatRow {
    const char* Pattern;
    const char* Expected;
};

// 3 February 2001, 04:05:06.007
TDateTime Sample() {
    return EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 6, 7);
}

} // namespace

TEST(FormatDateTimeTest, DirectivesGiveTheirFields) {
    const TSettingsScope settings(SlashColonSettings);
    const TFormatRow rows[] = {
        {"yyyy/mm/dd", "2001/02/03"},
        {"yy/mm/dd", "01/02/03"},
        {"hh:nn:ss", "04:05:06"},
        {"hh:nn", "04:05"},
        {"yyyy-m-d h:n:s", "2001-2-3 4:5:6"},
        {"YYYY/MM/DD HH:NN", "2001/02/03 04:05"},
        {"hh:nn:ss.zzz", "04:05:06.007"},
        {"mm", "02"},
        {"hh:mm", "04:05"},
        {"hh 'h' mm", "04 h 05"},
        {"hh dd mm", "04 03 02"},
        {"[yy]", "[01]"},
        {"'yyyy/mm' \"dd\"", "yyyy/mm dd"},
        {"'unclosed", "unclosed"},
        {"", ""},
    };
    for (const TFormatRow& row : rows)
        EXPECT_EQ(FormatDateTime(row.Pattern, Sample()), row.Expected) << row.Pattern;
}

TEST(FormatDateTimeTest, SeparatorsComeFromTheSettings) {
    // A separator is written whole, double-byte characters included.
    ASSERT_EQ(std::string_view("．"), "\x81\x44");
    struct TRow {
        TFormatSettings Settings;
        const char* Expected;
    };
    const TRow rows[] = {
        {{'.', '-', "dd.mm.yyyy"}, "01.02.03 04-05"},
        {{std::string_view("．"), std::string_view("："), "yyyy/mm/dd"}, "01．02．03 04：05"},
        {{std::string_view(" - "), ':', "yyyy/mm/dd"}, "01 - 02 - 03 04:05"},
    };
    for (const TRow& row : rows) {
        const TSettingsScope settings(row.Settings);
        EXPECT_EQ(FormatDateTime("yy/mm/dd hh:nn", Sample()), row.Expected);
        EXPECT_EQ(FormatDateTime("'a/b:c'", Sample()), "a/b:c");
    }
}

TEST(FormatDateTimeTest, ZeroAndNegativeValues) {
    const TSettingsScope settings(SlashColonSettings);
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", 0.0), "1899/12/30 00:00:00");
    // The fraction of a negative value is not signed.
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", -1.25), "1899/12/29 06:00:00");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", -0.5), "1899/12/30 12:00:00");
    // Rounding to the millisecond may carry into the next day.
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", 1.9999999999), "1900/01/01 00:00:00");
}

TEST(FormatDateTimeTest, ValuesOutsideTheCalendarRaise) {
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(), 1e10, -1e10};
    for (const double value : bad)
        EXPECT_THROW(FormatDateTime("yyyy", value), EConvertError) << value;
}

TEST(DateArithmeticTest, DayNumbersOfKnownDates) {
    struct TRow {
        int Year, Month, Day;
        double Days;
    };
    const TRow rows[] = {{1899, 12, 30, 0},      {1900, 1, 1, 2},     {1899, 12, 29, -1},
                         {2000, 2, 29, 36585},   {2001, 2, 3, 36925}, {1, 1, 1, -693593},
                         {9999, 12, 31, 2958465}};
    for (const TRow& row : rows) {
        EXPECT_EQ(EncodeDate(row.Year, row.Month, row.Day), row.Days) << row.Year;
        int year = 0, month = 0, day = 0;
        DecodeDate(row.Days, year, month, day);
        EXPECT_EQ(year * 10000 + month * 100 + day, row.Year * 10000 + row.Month * 100 + row.Day);
    }
}

TEST(DateArithmeticTest, InvalidFieldsRaise) {
    EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2001, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
}

TEST(DateArithmeticTest, NowIsALocalDateOfOurTime) {
    const TDateTime before = Now();
    const TDateTime after = Now();
    EXPECT_LE(before, after);
    int year = 0, month = 0, day = 0;
    DecodeDate(after, year, month, day);
    EXPECT_GE(year, 2024);
}

TEST(DateArithmeticTest, LocaleSettingsReadBackWhatTheyWrite) {
    const TSettingsScope guard(FormatSettings);
    LoadLocaleFormatSettings();
#ifdef _WIN32
    // The Japanese locale the Win32 suites run under.
    if (PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_JAPANESE) {
        EXPECT_EQ(FormatSettings.DateSeparator, '/');
        EXPECT_EQ(FormatSettings.TimeSeparator, ':');
        EXPECT_EQ(FormatSettings.ShortDateFormat, "yyyy/mm/dd");
    }
#else
    EXPECT_EQ(FormatSettings.DateSeparator, '/');
    EXPECT_EQ(FormatSettings.TimeSeparator, ':');
    EXPECT_EQ(FormatSettings.ShortDateFormat, "yyyy/mm/dd");
#endif
    const TDateTime visit = EncodeDate(2012, 11, 10) + EncodeTime(23, 59, 0, 0);
    EXPECT_EQ(StrToDateTime(FormatDateTime("yy/mm/dd hh:nn", visit)), visit);
}

#ifdef _WIN32
// ctest runs this test a second time with a user locale whose code page is
// not the system's (runtime_tests_other_user_locale): the separator still
// comes in the system's code page, as every other string of the DLLs.
TEST(DateArithmeticTest, DoubleByteLocaleSeparatorIsKeptWhole) {
    if (std::getenv("PELL_USER_LOCALE") != nullptr) {
        ASSERT_NE(GetUserDefaultLCID(), GetSystemDefaultLCID());
    }
    const TSettingsScope guard(FormatSettings);
    const TUserLocaleSetting separator(LOCALE_SDATE, "．");
    ASSERT_TRUE(separator.IsSet());
    LoadLocaleFormatSettings();
    EXPECT_EQ(FormatSettings.DateSeparator.View(), std::string_view("．"));
    const TDateTime visit = EncodeDate(2012, 11, 10) + EncodeTime(23, 59, 0, 0);
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", visit), "2012．11．10");
    const std::string saved = FormatDateTime("yy/mm/dd hh:nn", visit);
    EXPECT_EQ(saved, "12．11．10 23:59");
    EXPECT_EQ(StrToDateTime(saved), visit);
}
#endif
