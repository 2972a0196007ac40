// File-name routines on code page 932 names. "ソ" and "表" end in the byte
// 0x5C, which is a backslash only when it starts a character.

#include "runtime/FileNames.h"

#include <gtest/gtest.h>

namespace {

struct TSplitRow {
    const char* Path;
    const char* Name;
    const char* Folder;
};

} // namespace

TEST(FileNamesTest, SplitsAtTheLastRealDelimiter) {
    const TSplitRow rows[] = {
        {"C:\\Fav\\a.url", "a.url", "C:\\Fav\\"},
        {"C:a.url", "a.url", "C:"},
        {"a.url", "a.url", ""},
        {"C:\\Fav\\", "", "C:\\Fav\\"},
        {"\\\\server\\share\\x", "x", "\\\\server\\share\\"},
        {"", "", ""},
        {"C:\\ソフト\\表示.url", "表示.url", "C:\\ソフト\\"},
        {"C:\\Fav\\ソ", "ソ", "C:\\Fav\\"},
        {"表", "表", ""},
        {"ソ\\a", "a", "ソ\\"},
        {"C:\\ソ\\表", "表", "C:\\ソ\\"},
        // A lead byte with nothing after it stands alone.
        {"a\\\x83", "\x83", "a\\"},
        {"a\x83", "a\x83", ""},
    };
    for (const TSplitRow& row : rows) {
        EXPECT_EQ(ExtractFileName(row.Path), row.Name) << row.Path;
        EXPECT_EQ(ExtractFilePath(row.Path), row.Folder) << row.Path;
    }
}

TEST(FileNamesTest, ChangesOnlyTheExtensionOfTheLastName) {
    struct TRow {
        const char* Path;
        const char* Ext;
        const char* Expected;
    };
    const TRow rows[] = {
        {"C:\\Fav\\My.Page.url", "", "C:\\Fav\\My.Page"},
        {"C:\\Fav.d\\NoExtension", "", "C:\\Fav.d\\NoExtension"},
        {".url", "", ""},
        {"a.url", ".txt", "a.txt"},
        {"a", ".txt", "a.txt"},
        {"a.b:c", "", "a.b:c"},
        {"C:\\表示.url", "", "C:\\表示"},
        {"C:\\ソ.txt", ".url", "C:\\ソ.url"},
        // The trail byte of "ソ" after the dot is no delimiter.
        {"a.ソ", ".x", "a.x"},
        {"x\\a.表", "", "x\\a"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(ChangeFileExt(row.Path, row.Ext), row.Expected) << row.Path;
}

TEST(FileNamesTest, LowerCaseLeavesDoubleByteCharactersIntact) {
    // "ア" is 0x83 0x41: its trail byte is the letter 'A'.
    EXPECT_EQ(AnsiLowerCase("ア"), "\x83\x41");
    EXPECT_EQ(AnsiLowerCase("ABC xyz %P"), "abc xyz %p");
    EXPECT_EQ(AnsiLowerCase("Aア"), "a\x83\x41");
    EXPECT_EQ(AnsiLowerCase("\x83"), "\x83");
    EXPECT_EQ(AnsiLowerCase(""), "");
}

TEST(FileNamesTest, LeadBytesOfCodePage932) {
    const unsigned char leads[] = {0x81, 0x83, 0x95, 0x9F, 0xE0, 0xEA, 0xFC};
    const unsigned char others[] = {0x00, 'A', 0x5C, 0x7F, 0x80, 0xA0, 0xB1, 0xDF, 0xFD, 0xFF};
    for (const unsigned char c : leads)
        EXPECT_TRUE(IsLeadByte(c)) << int(c);
    for (const unsigned char c : others)
        EXPECT_FALSE(IsLeadByte(c)) << int(c);
}
