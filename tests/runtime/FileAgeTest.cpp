// File times: the packed local modification time and its conversion.

#include "runtime/DateTime.h"
#include "runtime/Exception.h"
#include "runtime/FileSystem.h"
#include "runtime/Messages.h"
#include "tests/common/ExpectThrow.h"
#include "tests/common/Files.h"
#include "tests/common/ScratchFolder.h"

#include <gtest/gtest.h>

// Inside the packed years the date-time is the packed two-second value (odd
// seconds truncated); outside them it is the file's own time, to the second,
// and the packed form is -1 rather than a wrapped year.
TEST(FileAgeTest, DateTimeKeepsThePackedValueAndTheYearsBeyondIt) {
    struct TRow {
        int Year, Month, Day, Hour, Minute, Second, ExpectedSecond;
    };
    const TRow rows[] = {{1970, 1, 1, 9, 0, 1, 1},       {1979, 12, 31, 23, 59, 59, 59},
                         {1980, 1, 1, 0, 0, 1, 0},       {1999, 7, 15, 0, 0, 0, 0},
                         {2001, 2, 3, 4, 5, 7, 6},       {2001, 2, 3, 4, 5, 6, 6},
                         {2020, 12, 31, 23, 59, 59, 58}, {2024, 2, 29, 12, 0, 1, 0},
                         {2107, 12, 31, 23, 59, 59, 58}, {2108, 1, 1, 0, 0, 1, 1},
                         {2120, 6, 7, 8, 9, 11, 11}};
    const std::string path = ScratchPath("agerange.url");
    WriteBytes(path, "[InternetShortcut]\r\n");
    for (const TRow& row : rows) {
        SetLocalModificationTime(path, row.Year, row.Month, row.Day, row.Hour, row.Minute,
                                 row.Second);
        TDateTime value = 0;
        ASSERT_TRUE(FileAge(path, value));
        EXPECT_EQ(value, EncodeDate(row.Year, row.Month, row.Day) +
                             EncodeTime(row.Hour, row.Minute, row.ExpectedSecond, 0))
            << row.Year << "-" << row.Month << "-" << row.Day << " " << row.Second;
        const bool packed = row.Year >= 1980 && row.Year <= 2107;
        const int age = FileAge(path);
        EXPECT_EQ(age != -1, packed) << row.Year;
        if (packed) {
            EXPECT_EQ(value, FileDateToDateTime(age)) << row.Year;
        }
    }
    RemoveFile(path);
}

TEST(FileAgeTest, FoldersAndMissingFilesHaveNoAge) {
    const std::string folder = ScratchPath("agefolder");
    ASSERT_TRUE(ForceDirectories(folder));
    EXPECT_EQ(FileAge(folder), -1);
    EXPECT_EQ(FileAge(ScratchPath("missing.url")), -1);
    TDateTime value = 42.0;
    EXPECT_FALSE(FileAge(folder, value));
    EXPECT_FALSE(FileAge(ScratchPath("missing.url"), value));
    EXPECT_EQ(value, 42.0);
    RemoveTree(folder);
}

// A time past the year 9999 (or one the system cannot convert) has no
// date-time: the error names the file and says what to do.
TEST(FileAgeTest, TimeBeyondTheCalendarRaisesNamingTheFile) {
    const TLocalTimeFields times[] = {{10000, 1, 1, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
    for (const TLocalTimeFields& time : times)
        ExpectThrowMessage<EConvertError>([&] { FileTimeToDateTime("C:\\fav\\far.url", time); },
                                          Messages::FileDateOutOfRange("C:\\fav\\far.url"));
}

TEST(FileDateToDateTimeTest, UnpacksTheDosLayout) {
    // 2001-02-03 04:05:06: date (21 << 9 | 2 << 5 | 3), time (4 << 11 | 5 << 5 | 3).
    const int packed = ((21 << 9 | 2 << 5 | 3) << 16) | (4 << 11 | 5 << 5 | 3);
    EXPECT_EQ(FileDateToDateTime(packed), EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 6, 0));
    // The value that means "no file" is not a date.
    EXPECT_THROW(FileDateToDateTime(-1), EConvertError);
    EXPECT_THROW(FileDateToDateTime(0), EConvertError);
}
