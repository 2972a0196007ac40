// File times: the packed local modification time and its conversion.

#include "RuntimeTestSupport.h"

#include "runtime/DateTime.h"
#include "runtime/Exception.h"
#include "runtime/FileSystem.h"

#include <gtest/gtest.h>

TEST(FileAge_test, ModificationTimeInTwoSecondSteps) {
    struct TRow {
        int Year, Month, Day, Hour, Minute, Second, ExpectedSecond;
    };
    const TRow rows[] = {{2001, 2, 3, 4, 5, 7, 6},
                         {2001, 2, 3, 4, 5, 6, 6},
                         {2020, 12, 31, 23, 59, 59, 58},
                         {2024, 2, 29, 12, 0, 1, 0},
                         {1999, 7, 15, 0, 0, 0, 0}};
    const std::string path = ScratchPath("age.url");
    WriteTextFile(path, "[InternetShortcut]\r\n");
    for (const TRow& row : rows) {
        SetLocalModificationTime(path, row.Year, row.Month, row.Day, row.Hour, row.Minute,
                                 row.Second);
        const int age = FileAge(path);
        ASSERT_NE(age, -1);
        EXPECT_EQ(FileDateToDateTime(age),
                  EncodeDate(row.Year, row.Month, row.Day) +
                      EncodeTime(row.Hour, row.Minute, row.ExpectedSecond, 0))
            << row.Year << "-" << row.Month << "-" << row.Day << " " << row.Second;
    }
    RemoveFile(path);
}

TEST(FileAge_test, FoldersAndMissingFilesHaveNoAge) {
    const std::string folder = ScratchPath("agefolder");
    ASSERT_TRUE(ForceDirectories(folder));
    EXPECT_EQ(FileAge(folder), -1);
    EXPECT_EQ(FileAge(ScratchPath("missing.url")), -1);
    RemoveTree(folder);
}

TEST(FileDateToDateTime_test, UnpacksTheDosLayout) {
    // 2001-02-03 04:05:06: date (21 << 9 | 2 << 5 | 3), time (4 << 11 | 5 << 5 | 3).
    const int packed = ((21 << 9 | 2 << 5 | 3) << 16) | (4 << 11 | 5 << 5 | 3);
    EXPECT_EQ(FileDateToDateTime(packed), EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 6, 0));
    // The value that means "no file" is not a date.
    EXPECT_THROW(FileDateToDateTime(-1), EConvertError);
    EXPECT_THROW(FileDateToDateTime(0), EConvertError);
}
