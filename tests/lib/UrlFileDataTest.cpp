// The shortcut record: the modified rule, loading and saving real files, and
// the URL that Windows keeps whole only in [InternetShortcut.W].

#include "lib/URLLibrary.h"
#include "lib/UrlText.h"
#include "runtime/CodePage.h"
#include "runtime/Exception.h"
#include "runtime/FileSystem.h"
#include "tests/common/Files.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/SettingsScope.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using LineList = std::vector<std::string>;

// The file's non-blank lines without their line ends: the INI writers differ
// only in blank lines between sections.
LineList Lines(const std::string& bytes) {
    LineList lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

TDateTime At(int y, int mo, int d, int h, int mi, int s = 0) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, 0);
}

// A clean, valid record holding a URL, a comment and a last visit.
TUrlFileData CleanRecord() {
    TUrlFileData data;
    data.URL = "http://example.com/";
    data.Comment = "note";
    data.LastVisit = At(2001, 2, 3, 4, 5);
    data.HasLastVisit = true;
    data.Valid = true;
    data.Revert();
    return data;
}

TEST(UrlFileDataModifiedTest, NewRecordIsEmptyAndInvalid) {
    const TUrlFileData data;
    EXPECT_EQ(data.FileName, "");
    EXPECT_EQ(data.URL, "");
    EXPECT_EQ(data.NewURL, "");
    EXPECT_EQ(data.Comment, "");
    EXPECT_EQ(data.NewComment, "");
    EXPECT_EQ(data.LastVisit, 0.0);
    EXPECT_EQ(data.FileDateTime, 0.0);
    EXPECT_EQ(data.NewLastVisit, 0.0);
    EXPECT_FALSE(data.HasLastVisit || data.NewHasLastVisit || data.Modified || data.Valid);
}

TEST(UrlFileDataModifiedTest, StringSettersCompareByteForByte) {
    struct Row {
        void (TUrlFileData::*Setter)(const std::string&);
        const char* Value;
        bool Modified;
    };
    const Row rows[] = {
        {&TUrlFileData::SetURL, "http://example.com/", false},
        {&TUrlFileData::SetURL, "HTTP://EXAMPLE.COM/", true},
        {&TUrlFileData::SetURL, "http://example.com", true},
        {&TUrlFileData::SetURL, "", true},
        {&TUrlFileData::SetComment, "note", false},
        {&TUrlFileData::SetComment, "Note", true},
        {&TUrlFileData::SetComment, "note ", true},
    };
    for (const Row& row : rows) {
        TUrlFileData data = CleanRecord();
        (data.*row.Setter)(row.Value);
        EXPECT_EQ(data.Modified, row.Modified) << row.Value;
    }
    TUrlFileData data = CleanRecord();
    data.SetURL("HTTP://EXAMPLE.COM/");
    data.SetComment("NOTE");
    EXPECT_EQ(data.NewURL, "HTTP://EXAMPLE.COM/");
    EXPECT_EQ(data.NewComment, "NOTE");
    EXPECT_EQ(data.URL, "http://example.com/");
    EXPECT_EQ(data.Comment, "note");
}

TEST(UrlFileDataModifiedTest, SettingBackKeepsModified) {
    TUrlFileData data = CleanRecord();
    data.SetURL("http://other/");
    data.SetURL("http://example.com/");
    EXPECT_TRUE(data.Modified);
    data.Revert();
    EXPECT_FALSE(data.Modified);
    data.SetComment("x");
    data.SetComment("note");
    data.SetLastVisit(data.LastVisit);
    EXPECT_TRUE(data.Modified);
}

TEST(UrlFileDataModifiedTest, LastVisitComparesValuesNotFlags) {
    TUrlFileData fresh;
    fresh.SetLastVisit(0.0);
    EXPECT_FALSE(fresh.Modified);
    EXPECT_TRUE(fresh.NewHasLastVisit);
    EXPECT_FALSE(fresh.HasLastVisit);

    TUrlFileData data = CleanRecord();
    data.SetLastVisit(data.LastVisit);
    EXPECT_FALSE(data.Modified);
    data.SetLastVisit(data.LastVisit + 1e-9);
    EXPECT_TRUE(data.Modified);
    EXPECT_EQ(data.NewLastVisit, data.LastVisit + 1e-9);
}

TEST(UrlFileDataModifiedTest, RevertRestoresPendingFromStored) {
    TUrlFileData data = CleanRecord();
    data.SetURL("u");
    data.SetComment("c");
    data.SetLastVisit(5.0);
    data.Revert();
    EXPECT_EQ(data.NewURL, data.URL);
    EXPECT_EQ(data.NewComment, data.Comment);
    EXPECT_EQ(data.NewLastVisit, data.LastVisit);
    EXPECT_EQ(data.NewHasLastVisit, data.HasLastVisit);
    EXPECT_FALSE(data.Modified);
}

class UrlFileDataFilesTest : public testing::Test {
protected:
    std::string File(const std::string& name, const std::string& bytes) {
        const std::string path = FScratch.OsPath(name);
        WriteBytes(path, bytes);
        return path;
    }
    std::string Path(const std::string& name) const { return FScratch.OsPath(name); }

private:
    TSettingsScope FSettings{SlashColonSettings};
    TScratchFolder FScratch;
};

TEST_F(UrlFileDataFilesTest, MissingFileMakesNewShortcutThatSaveCreates) {
    const std::string path = Path("new.url");
    TUrlFileData data;
    data.LoadFromFile(path);
    EXPECT_TRUE(data.Valid);
    EXPECT_FALSE(data.Modified);
    EXPECT_EQ(data.FileName, path);
    EXPECT_EQ(data.URL, "");
    EXPECT_FALSE(data.HasLastVisit);
    EXPECT_EQ(data.FileDateTime, 0.0);
    EXPECT_FALSE(FileExists(path));

    data.SetURL("http://new/");
    const TDateTime before = Now();
    data.Save();
    const TDateTime after = Now();
    EXPECT_FALSE(data.Modified);
    EXPECT_EQ(data.URL, "http://new/");
    EXPECT_GE(data.FileDateTime, before);
    EXPECT_LE(data.FileDateTime, after);
    EXPECT_EQ(Lines(ReadBytes(path)), (LineList{"[InternetShortcut]", "URL=http://new/", "[Log]",
                                                "UserComment=", "LastVisit="}));
}

TEST_F(UrlFileDataFilesTest, LoadReadsTheThreeKeys) {
    const std::string path =
        File("a.url", "[InternetShortcut]\r\nURL=http://a/?x=1&y==2\r\n"
                      "[Log]\r\nUserComment=コメント\r\nLastVisit=01/02/03 04:05\r\n");
    TUrlFileData data;
    data.SetURL("pending");
    data.LoadFromFile(path);
    EXPECT_TRUE(data.Valid);
    EXPECT_FALSE(data.Modified);
    EXPECT_EQ(data.URL, "http://a/?x=1&y==2");
    EXPECT_EQ(data.NewURL, data.URL);
    EXPECT_EQ(data.Comment, "コメント");
    EXPECT_TRUE(data.HasLastVisit);
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", data.LastVisit), "2001/02/03 04:05:00");
    EXPECT_EQ(data.FileDateTime, FileDateToDateTime(FileAge(path)));
    EXPECT_GT(data.FileDateTime, 0.0);
}

TEST_F(UrlFileDataFilesTest, FileWithoutURLIsInvalidAndKeepsEarlierValues) {
    const std::string good =
        File("good.url", "[InternetShortcut]\r\nURL=http://good/\r\n"
                         "[Log]\r\nUserComment=kept\r\nLastVisit=01/02/03 04:05\r\n");
    for (const char* bytes :
         {"[InternetShortcut]\r\nURL=\r\n[Log]\r\nUserComment=other\r\n",
          "[Log]\r\nUserComment=other\r\nLastVisit=09/09/09 09:09\r\n", "not an ini file at all"}) {
        const std::string bad = File("bad.url", bytes);
        TUrlFileData data;
        data.LoadFromFile(good);
        const TUrlFileData before = data;
        data.SetComment("pending");
        data.LoadFromFile(bad);
        EXPECT_FALSE(data.Valid);
        EXPECT_EQ(data.URL, "");
        EXPECT_EQ(data.FileName, bad);
        EXPECT_EQ(data.Comment, before.Comment);
        EXPECT_EQ(data.FileDateTime, before.FileDateTime);
        EXPECT_EQ(data.LastVisit, before.LastVisit);
        EXPECT_EQ(data.HasLastVisit, before.HasLastVisit);
        EXPECT_EQ(data.NewURL, before.NewURL);
        EXPECT_EQ(data.NewComment, "pending");
        EXPECT_TRUE(data.Modified);

        data.Save();
        EXPECT_EQ(ReadBytes(bad), bytes);
    }
}

TEST_F(UrlFileDataFilesTest, FileWithoutLogKeepsLastVisitValue) {
    const std::string first =
        File("first.url", "[InternetShortcut]\r\nURL=http://1/\r\n"
                          "[Log]\r\nUserComment=c\r\nLastVisit=01/02/03 04:05\r\n");
    const std::string second = File("second.url", "[InternetShortcut]\r\nURL=http://2/\r\n");
    TUrlFileData data;
    data.LoadFromFile(first);
    const TDateTime lastVisit = data.LastVisit;
    data.LoadFromFile(second);
    EXPECT_TRUE(data.Valid);
    EXPECT_EQ(data.URL, "http://2/");
    EXPECT_EQ(data.Comment, "");
    EXPECT_FALSE(data.HasLastVisit);
    EXPECT_EQ(data.LastVisit, lastVisit);
    EXPECT_EQ(data.NewLastVisit, lastVisit);
    EXPECT_FALSE(data.NewHasLastVisit);
}

TEST_F(UrlFileDataFilesTest, SaveRewritesOnlyItsKeys) {
    const std::string path = File("x.url", "[{000214A0-0000-0000-C000-000000000046}]\r\n"
                                           "Prop3=19,2\r\n"
                                           "[InternetShortcut]\r\n"
                                           "URL=http://old/\r\n"
                                           "IDList=\r\n"
                                           "HotKey=0\r\n"
                                           "[Log]\r\n"
                                           "UserComment=old\r\n"
                                           "Extra=keep\r\n"
                                           "LastVisit=01/02/03 04:05\r\n");
    TUrlFileData data;
    data.LoadFromFile(path);
    const TDateTime fileDateTime = data.FileDateTime;
    data.SetURL("http://new/");
    data.SetLastVisit(At(2019, 12, 31, 23, 59, 59));
    data.Save();
    EXPECT_EQ(data.FileDateTime, fileDateTime);
    EXPECT_EQ(Lines(ReadBytes(path)),
              (LineList{"[{000214A0-0000-0000-C000-000000000046}]", "Prop3=19,2",
                        "[InternetShortcut]", "URL=http://new/", "IDList=", "HotKey=0", "[Log]",
                        "UserComment=old", "Extra=keep", "LastVisit=19/12/31 23:59"}));

    // Nothing pending: a second save must not touch the file.
    WriteBytes(path, "sentinel");
    data.Save();
    EXPECT_EQ(ReadBytes(path), "sentinel");
}

TEST_F(UrlFileDataFilesTest, SaveWithoutLastVisitWritesEmptyValue) {
    const std::string path = File("y.url", "[InternetShortcut]\r\nURL=http://y/\r\n");
    TUrlFileData data;
    data.LoadFromFile(path);
    data.SetComment("コメント");
    data.Save();
    EXPECT_EQ(Lines(ReadBytes(path)), (LineList{"[InternetShortcut]", "URL=http://y/", "[Log]",
                                                "UserComment=コメント", "LastVisit="}));
    TUrlFileData reread;
    reread.LoadFromFile(path);
    EXPECT_EQ(reread.Comment, "コメント");
    EXPECT_FALSE(reread.HasLastVisit);
}

// A last visit saved under one date order reads back under another with the
// same separators: the written pattern is read first, whatever the order.
TEST_F(UrlFileDataFilesTest, LastVisitRoundTripsAcrossDateOrders) {
    struct Row {
        TFormatSettings Write, Read;
        const char* Written;
    };
    const Row rows[] = {
        {{'.', ':', "dd.mm.yyyy"}, {'.', ':', "dd.mm.yyyy"}, "LastVisit=04.05.06 07:08"},
        {{'.', ':', "dd.mm.yyyy"}, {'.', ':', "yyyy.mm.dd"}, "LastVisit=04.05.06 07:08"},
        {{'-', '.', "mm-dd-yyyy"}, {'-', '.', "dd-mm-yyyy"}, "LastVisit=04-05-06 07.08"},
        {{'/', ':', "yyyy/mm/dd"}, {'/', ':', "mm/dd/yyyy"}, "LastVisit=04/05/06 07:08"},
    };
    for (const Row& row : rows) {
        const std::string path = Path("visit.url");
        RemoveTree(path);
        {
            TSettingsScope write(row.Write);
            TUrlFileData data;
            data.LoadFromFile(path);
            data.SetURL("http://v/");
            data.SetLastVisit(At(2004, 5, 6, 7, 8, 9));
            data.Save();
        }
        EXPECT_EQ(Lines(ReadBytes(path)).back(), row.Written);
        TSettingsScope read(row.Read);
        TUrlFileData data;
        data.LoadFromFile(path);
        ASSERT_TRUE(data.HasLastVisit) << row.Written;
        int y, mo, d, h, mi, s, ms;
        DecodeDate(data.LastVisit, y, mo, d);
        DecodeTime(data.LastVisit, h, mi, s, ms);
        EXPECT_EQ((std::vector<int>{y, mo, d, h, mi, s}), (std::vector<int>{2004, 5, 6, 7, 8, 0}))
            << row.Written;
    }
}

TEST_F(UrlFileDataFilesTest, BadLastVisitRaisesAfterPartialAssignment) {
    const std::string first =
        File("first.url", "[InternetShortcut]\r\nURL=http://1/\r\n"
                          "[Log]\r\nUserComment=c1\r\nLastVisit=01/02/03 04:05\r\n");
    const std::string second =
        File("second.url", "[InternetShortcut]\r\nURL=http://2/\r\n"
                           "[Log]\r\nUserComment=c2\r\nLastVisit=yesterday\r\n");
    AgeFile(second, 400);

    TUrlFileData data;
    data.LoadFromFile(first);
    data.SetURL("pending");
    const TUrlFileData before = data;
    EXPECT_THROW(data.LoadFromFile(second), EConvertError);
    EXPECT_EQ(data.URL, "http://2/");
    EXPECT_TRUE(data.Valid);
    EXPECT_EQ(data.Comment, "c2");
    EXPECT_EQ(data.FileDateTime, FileDateToDateTime(FileAge(second)));
    EXPECT_NE(data.FileDateTime, before.FileDateTime);
    EXPECT_TRUE(data.HasLastVisit);
    EXPECT_EQ(data.LastVisit, before.LastVisit);
    EXPECT_EQ(data.FileName, first);
    EXPECT_EQ(data.NewURL, "pending");
    EXPECT_EQ(data.NewComment, before.NewComment);
    EXPECT_EQ(data.NewLastVisit, before.NewLastVisit);
    EXPECT_TRUE(data.Modified);
}

// A file dated before 1980 has no packed file date; the record takes the
// file's own date, to the second.
TEST_F(UrlFileDataFilesTest, FileDateOutsidePackedRangeIsTheFilesOwn) {
    const std::string path = File("old.url", "[InternetShortcut]\r\nURL=http://old/\r\n");
    AgeFile(path, 365 * 60);
    ASSERT_EQ(FileAge(path), -1);
    TUrlFileData data;
    data.FileDateTime = 123.0;
    data.LoadFromFile(path);
    EXPECT_TRUE(data.Valid);
    TDateTime age = 0;
    ASSERT_TRUE(FileAge(path, age));
    EXPECT_EQ(data.FileDateTime, age);
    EXPECT_LT(data.FileDateTime, EncodeDate(1980, 1, 1));
}

TEST_F(UrlFileDataFilesTest, ExtensionPlaysNoPart) {
    const std::string path = File("shortcut.txt", "[InternetShortcut]\r\nURL=http://t/\r\n");
    TUrlFileData data;
    data.LoadFromFile(path);
    data.SetComment("c");
    data.Save();
    TUrlFileData reread;
    reread.LoadFromFile(path);
    EXPECT_EQ(reread.URL, "http://t/");
    EXPECT_EQ(reread.Comment, "c");
}

// A URL outside code page 932 as Windows writes it: the lossy URL in
// [InternetShortcut], the whole one UTF-7 encoded in [InternetShortcut.W].
TEST_F(UrlFileDataFilesTest, UrlKeptWholeInTheWideSectionIsCopiedAsAWorkingUrl) {
    struct Row {
        const char* Ansi; // nullptr: the system's own lossy conversion of Url
        std::u16string_view Url;
        const char* Wide; // nullptr: no [InternetShortcut.W]
        const char* Copied;
    };
    const Row rows[] = {
        {nullptr, u"http://example.com/café/", "http://example.com/caf+AOk-/",
         "http://example.com/caf%C3%A9/"},
        {"http://example.com/???"
         "/",
         {},
         "http://example.com/+1VytbcW0-/",
         "http://example.com/%ED%95%9C%EA%B5%AD%EC%96%B4/"},
        {"http://example.com/??",
         {},
         "http://example.com/+2D3eAA-",
         "http://example.com/%F0%9F%98%80"},
        // Host names: Japanese is held by the code page, the rest is encoded.
        {nullptr, u"http://例え.テスト/café", "http://+T4swSA-.+MMYwuTDI-/caf+AOk-",
         "http://例え.テスト/caf%C3%A9"},
        {"http://??.example/",
         {},
         "http://+1VytbQ-.example/",
         "http://%ED%95%9C%EA%B5%AD.example/"},
        {nullptr, u"http://café.example/", "http://caf+AOk-.example/", "http://caf%C3%A9.example/"},
        // Punctuation Windows' encoder encodes; escapes already in the URL stay.
        {nullptr, u"http://example.com/~user/a_b@c/café",
         "http://example.com/+AH4-user/a+AF8-b+AEA-c/caf+AOk-",
         "http://example.com/~user/a_b@c/caf%C3%A9"},
        {nullptr, u"http://example.com/?q=a+b%20café",
         "http://example.com/?q+AD0-a+-b+ACU-20caf+AOk-", "http://example.com/?q=a+b%20caf%C3%A9"},
        // "¥" reaches code page 932 only as the bytes of '\'.
        {"http://example.com/\\100",
         {},
         "http://example.com/+AKU-100",
         "http://example.com/%C2%A5100"},
        // A stale .W, left by a tool that rewrote only the ANSI URL.
        {"http://example.com/new/", {}, "http://example.com/caf+AOk-/", "http://example.com/new/"},
        {"http://例え.テスト/", {}, "http://例え.テスト/", "http://例え.テスト/"},
        {"http://例え.テスト/?q=1", {}, nullptr, "http://例え.テスト/?q=1"},
        // A lone surrogate (U+FFFD on posix) is no URL: the ANSI one is kept.
        {"http://example.com/?", {}, "http://example.com/+2D0-", "http://example.com/?"},
        {"", {}, "http://example.com/caf+AOk-/", ""},
    };
    for (const Row& row : rows) {
        const std::string ansi = row.Ansi != nullptr ? row.Ansi : Utf16ToAnsi(row.Url);
        std::string text = "[InternetShortcut]\r\nURL=" + ansi + "\r\n";
        if (row.Wide != nullptr)
            text += "[InternetShortcut.W]\r\nURL=" + std::string(row.Wide) + "\r\n";
        TUrlFileData data;
        data.LoadFromFile(File("wide.url", text));
        EXPECT_EQ(data.URL, row.Copied) << text;
        EXPECT_EQ(data.NewURL, row.Copied) << text;
        EXPECT_EQ(data.Valid, !data.URL.empty()) << text;
    }

    // A file of Unicode text holds the whole URL itself, as UTF-8 or UTF-16.
    const std::u8string utf8 = u8"\uFEFF[InternetShortcut]\r\nURL=http://example.com/café/한\r\n";
    const std::u16string utf16 = u"\uFEFF[InternetShortcut]\r\nURL=http://example.com/café/한\r\n";
    std::string utf16Bytes;
    for (const char16_t unit : utf16) {
        utf16Bytes += static_cast<char>(unit & 0xFF);
        utf16Bytes += static_cast<char>(unit >> 8);
    }
    for (const std::string& text : {std::string(utf8.begin(), utf8.end()), utf16Bytes}) {
        TUrlFileData data;
        data.LoadFromFile(File("unicode.url", text));
        EXPECT_EQ(data.URL, "http://example.com/caf%C3%A9/%ED%95%9C");
    }
}

// The step that also serves a URL read from a file of Unicode text.
TEST(ShortcutUrlTest, AnsiUrlKeepsExactCharactersAndRefusesBrokenText) {
    struct Row {
        std::u16string_view Url;
        std::optional<std::string> Ansi;
    };
    const Row rows[] = {
        {u"", ""},
        {u"http://例え.テスト/ｶﾅ～≒?a=%20", "http://例え.テスト/ｶﾅ～≒?a=%20"},
        {u"http://example.com/〜¬é", "http://example.com/%E3%80%9C%C2%AC%C3%A9"},
        {u"http://example.com/\U0001F600\U00010000", "http://example.com/%F0%9F%98%80%F0%90%80%80"},
        {u"http://example.com/\u07FF\u0800\uFFFF", "http://example.com/%DF%BF%E0%A0%80%EF%BF%BF"},
        {u"http://example.com/\xD83D", std::nullopt},
        {u"http://example.com/\xDE00\xD83D", std::nullopt},
        {u"http://example.com/\uFFFD", std::nullopt},
        {std::u16string_view(u"http://a/\0b", 11), std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AnsiUrl(row.Url), row.Ansi) << "row " << &row - rows;

    // A Unicode URL is the file's own and comes before any .W URL. The texts
    // stay out of the macros, which print the call in code page 932.
    const std::u16string cafe = u"http://例え.テスト/café";
    EXPECT_EQ(ShortcutUrl("http://例え.テスト/cafe", "http://example.com/", cafe),
              "http://例え.テスト/caf%C3%A9");
    const std::u16string broken = u"http://example.com/\xD83D";
    EXPECT_EQ(ShortcutUrl("http://example.com/?", "http://example.com/caf+AOk-", broken),
              "http://example.com/?");
}

} // namespace
