// Reading date-time text: the saved last-visit form under any user setting,
// the user's own order, two-digit years, and rejected text.

#include "runtime/DateTime.h"
#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "tests/common/ExpectThrow.h"
#include "tests/common/SettingsScope.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const TFormatSettings YearMonthDay = {'/', ':', "yyyy/mm/dd"};
const TFormatSettings DayMonthYear = {'/', ':', "dd/mm/yyyy"};
const TFormatSettings MonthDayYear = {'/', ':', "mm/dd/yyyy"};
const TFormatSettings DottedDayMonthYear = {'.', ':', "dd.mm.yyyy"};
const TFormatSettings DashedMonthDayYear = {'-', '.', "MM-dd-yyyy"};
// Double-byte separators: "．" (0x81 0x44) and "：" (0x81 0x46).
const TFormatSettings WideDottedYearMonthDay = {std::string_view("．"), std::string_view("："),
                                                "yyyy/mm/dd"};
const TFormatSettings WideDottedDayMonthYear = {std::string_view("．"), ':', "dd.mm.yyyy"};

const TFormatSettings AllSettings[] = {
    YearMonthDay,       DayMonthYear,           MonthDayYear,          DottedDayMonthYear,
    DashedMonthDayYear, WideDottedYearMonthDay, WideDottedDayMonthYear};

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, 0);
}

std::string Show(TDateTime value) {
    const TSettingsScope settings(YearMonthDay);
    return FormatDateTime("yyyy/mm/dd hh:nn:ss", value);
}

} // namespace

TEST(StrToDateTimeTest, SavedTextReadsBackUnderEverySetting) {
    const TDateTime visits[] = {At(2001, 2, 3, 4, 5, 59), At(2012, 11, 10, 23, 59),
                                At(2026, 12, 31), At(1999, 1, 13, 12, 30)};
    for (const TFormatSettings& setting : AllSettings)
        for (const TDateTime visit : visits) {
            const TSettingsScope guard(setting);
            const std::string saved = FormatDateTime("yy/mm/dd hh:nn", visit);
            // The seconds are not written.
            const TDateTime minute = std::floor(visit * 1440 + 1e-6) / 1440;
            EXPECT_EQ(Show(StrToDateTime(saved, setting, 2026)), Show(minute))
                << saved << " under " << setting.ShortDateFormat;
        }
}

// Favorites saved under '/' and ':' stay readable after the user changes the
// date order, one separator or both; text saved under the new separators,
// or a mixture of old and new, reads too.
TEST(StrToDateTimeTest, SavedTextWrittenUnderOtherSettingsReadsUnderEvery) {
    for (const TFormatSettings& reader : AllSettings)
        EXPECT_EQ(Show(StrToDateTime("01/02/03 04:05", reader, 2026)), "2001/02/03 04:05:00")
            << reader.ShortDateFormat;
    const TFormatSettings dashed = {'-', '.', "yyyy-mm-dd"};
    for (const char* text :
         {"24/03/15 21:40", "24-03-15 21.40", "24-03-15 21:40", "24/03/15 21.40"})
        EXPECT_EQ(Show(StrToDateTime(text, dashed, 2026)), "2024/03/15 21:40:00") << text;
}

TEST(StrToDateTimeTest, TwoDigitYearsFallInTheHundredYearsAroundNow) {
    struct TRow {
        const char* Text;
        int CurrentYear;
        const char* Expected;
    };
    const TRow rows[] = {
        {"26/05/03 10:00", 2026, "2026/05/03 10:00:00"},
        {"99/05/03 10:00", 2026, "1999/05/03 10:00:00"},
        {"76/05/03 10:00", 2026, "1976/05/03 10:00:00"},
        {"75/05/03 10:00", 2026, "2075/05/03 10:00:00"},
        {"00/01/01 00:00", 2026, "2000/01/01 00:00:00"},
        {"29/01/01 00:00", 2080, "2129/01/01 00:00:00"},
        {"30/01/01 00:00", 2080, "2030/01/01 00:00:00"},
        {"5/1/2", 2026, "2005/01/02 00:00:00"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(Show(StrToDateTime(row.Text, YearMonthDay, row.CurrentYear)), row.Expected)
            << row.Text << " in " << row.CurrentYear;
}

TEST(StrToDateTimeTest, OtherTextIsReadInTheUsersOrder) {
    struct TRow {
        const char* Text;
        const TFormatSettings& Settings;
        const char* Expected;
    };
    const TRow rows[] = {
        {"2001/2/3", YearMonthDay, "2001/02/03 00:00:00"},
        {"2001/02/03 4:05:06", YearMonthDay, "2001/02/03 04:05:06"},
        {"  2001 / 2 / 3   7:08  ", YearMonthDay, "2001/02/03 07:08:00"},
        {"3/2/2001 4:05", DayMonthYear, "2001/02/03 04:05:00"},
        {"2/3/2001 4:05", MonthDayYear, "2001/02/03 04:05:00"},
        {"3.2.01", DottedDayMonthYear, "2001/02/03 00:00:00"},
        {"12-31-1999 23.59.58", DashedMonthDayYear, "1999/12/31 23:59:58"},
        // Fits the saved shape but not as a date: read in the user's order.
        {"31/12/99 10:00", DayMonthYear, "1999/12/31 10:00:00"},
        {"12/31/99 10:00", MonthDayYear, "1999/12/31 10:00:00"},
        {"1800/01/01 06:00", YearMonthDay, "1800/01/01 06:00:00"},
        {"2001．2．3 4：05：06", WideDottedYearMonthDay, "2001/02/03 04:05:06"},
        {" 3 ．2 ． 2001  4:05 ", WideDottedDayMonthYear, "2001/02/03 04:05:00"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(Show(StrToDateTime(row.Text, row.Settings, 2026)), row.Expected) << row.Text;
}

TEST(StrToDateTimeTest, TimeBeforeTheEpochCountsBackwards) {
    // Before day 0 the time of day moves away from zero.
    EXPECT_DOUBLE_EQ(StrToDateTime("1899/12/29 06:00", YearMonthDay, 2026), -1.25);
}

TEST(StrToDateTimeTest, TextThatFitsNothingRaisesWithItsText) {
    const char* bad[] = {"",
                         " ",
                         "abc",
                         "01/13/03 04:05",
                         "01/02/30 04:05",
                         "01/02/03 24:00",
                         "01/02/03 04:60",
                         "01/02/03 04:05:60",
                         "01/02/03 04",
                         "01/02/03x",
                         "01/02/0304:05",
                         "01/02",
                         "12345/01/01",
                         "0000/01/01",
                         "2001/002/03",
                         "2001/02/03 04:05 PM",
                         "01.02.03 04:05"};
    for (const char* text : bad)
        ExpectThrowMessage<EConvertError>([&] { StrToDateTime(text, YearMonthDay, 2026); },
                                          Messages::UnreadableDateTime(text));
}

TEST(StrToDateTimeTest, TheShortFormUsesTheUsersSettings) {
    const TSettingsScope guard(DottedDayMonthYear);
    EXPECT_EQ(Show(StrToDateTime("01.02.03 04:05")), "2001/02/03 04:05:00");
    EXPECT_EQ(Show(StrToDateTime("3.2.2001")), "2001/02/03 00:00:00");
    EXPECT_THROW(StrToDateTime("2001/02/03"), EConvertError);
}
