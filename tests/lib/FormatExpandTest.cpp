// Expansion of a format against one record: the directive table, selectors,
// the format error and the path directives.

#include "lib/FormatLibrary.h"
#include "runtime/Exception.h"
#include "tests/common/ExpectThrow.h"
#include "tests/common/SettingsScope.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string SampleURL = "http://example.com/a?b=c&d=%41";
const std::string SampleComment = "メモ ";

// 3 February 2001, 04:05:06 and 31 December 2019, 23:59:58.
TUrlFileData Record(const std::string& fileName = "C:\\Fav\\News\\My.Page.url") {
    TUrlFileData data;
    data.FileName = fileName;
    data.URL = SampleURL;
    data.Comment = SampleComment;
    data.FileDateTime = EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 6, 0);
    data.LastVisit = EncodeDate(2019, 12, 31) + EncodeTime(23, 59, 58, 0);
    return data;
}

std::string Expand(const std::string& format, const TUrlFileData& data = Record()) {
    TFormatLibrary library;
    library.SetFormatText(format);
    return library.Expand(data);
}

// The format error's fixed text as code page 932 bytes, independent of the
// compiler's charset: "書式文字列が不正です", CR LF.
const std::string FormatErrorStart =
    "\x8F\x91\x8E\xAE\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x95\x73\x90\xB3"
    "\x82\xC5\x82\xB7\r\n";

// Expanding format raises the format error, which ends with the whole format.
void ExpectFormatError(const std::string& format, const TUrlFileData& data = Record()) {
    TFormatLibrary library;
    library.SetFormatText(format);
    ExpectThrowMessage<EConvertError>([&] { library.Expand(data); }, FormatErrorStart + format);
}

class ExpandTest : public testing::Test {
    TSettingsScope FSettings{SlashColonSettings};
};

struct Row {
    const char* Format;
    std::string Expected;
};

TEST_F(ExpandTest, DirectiveTable) {
    const Row rows[] = {
        {"", ""},
        {"no directives here", "no directives here"},
        {"%p", "My.Page"},
        {"%u", SampleURL},
        {"%c", SampleComment},
        {"%d", "2001/02/03"},
        {"%0d", "2001/02/03"},
        {"%1d", "01/02/03"},
        {"%t", "04:05:06"},
        {"%1t", "04:05"},
        {"%v", "2019/12/31"},
        {"%1v", "19/12/31"},
        {"%a", "23:59:58"},
        {"%1a", "23:59"},
        {"%f", "C:\\Fav\\News\\My.Page.url"},
        {"%1f", "My.Page.url"},
        {"%2f", "C:\\Fav\\News"},
        {"%%", "%"},
        {"%%d", "%d"},
        {"100%", "100"},
        {"%", ""},
        {"%z", "\r\n"},
        {"%p : %u%z", "My.Page : " + SampleURL + "\r\n"},
        {"%P : %U%Z", "My.Page : " + SampleURL + "\r\n"},
        {"[%u][%u]", "[" + SampleURL + "][" + SampleURL + "]"},
        {"%x", ""},
        {"%1x", ""},
        {"ab%qcd", "abcd"},
        {"%9u", SampleURL},
        {"%3p", "My.Page"},
        {"%5c", SampleComment},
        {"%7%", "%"},
        {"%4z", "\r\n"},
        {"%12d", "d"},
        {"a%1", "a"},
        {"a%%1d%", "a%1d"},
        {"日本%u語", "日本" + SampleURL + "語"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Expand(row.Format), row.Expected) << "format: " << row.Format;
}

TEST_F(ExpandTest, LettersAreCaseInsensitive) {
    for (const std::string letter : {"p", "u", "c", "d", "t", "v", "a", "f", "z", "x", "q"}) {
        const std::string upper(1, static_cast<char>(letter[0] - 'a' + 'A'));
        EXPECT_EQ(Expand("<%" + upper + ">"), Expand("<%" + letter + ">")) << letter;
        EXPECT_EQ(Expand("<%1" + upper + ">"), Expand("<%1" + letter + ">")) << letter;
    }
    EXPECT_EQ(Expand("%P|%U|%C|%D|%T|%V|%A|%F|%Z"),
              "My.Page|" + SampleURL + "|" + SampleComment +
                  "|2001/02/03|04:05:06|2019/12/31|23:59:58|C:\\Fav\\News\\My.Page.url|\r\n");
}

// Which selector digits each directive accepts; an accepted digit that the
// directive ignores must give the same text as no digit.
TEST_F(ExpandTest, SelectorsAcceptedIgnoredOrRejected) {
    struct SelectorRow {
        char Letter;
        int Accepted; // digits below this are accepted
        bool Ignored;
    };
    const SelectorRow rows[] = {
        {'p', 10, true}, {'u', 10, true}, {'c', 10, true}, {'%', 10, true},
        {'z', 10, true}, {'x', 10, true}, {'d', 2, false}, {'t', 2, false},
        {'v', 2, false}, {'a', 2, false}, {'f', 3, false},
    };
    for (const SelectorRow& row : rows) {
        for (int digit = 0; digit <= 9; ++digit) {
            const std::string format =
                std::string("%") + static_cast<char>('0' + digit) + row.Letter;
            if (digit < row.Accepted) {
                EXPECT_NO_THROW(Expand(format)) << format;
                if (row.Ignored) {
                    EXPECT_EQ(Expand(format), Expand(std::string("%") + row.Letter)) << format;
                }
            } else {
                ExpectFormatError(format);
            }
        }
    }
}

TEST_F(ExpandTest, FormatErrorNamesTheWholeFormat) {
    for (const char* format : {"a%2d", "%u%2d", "%p : %9t and more %z", "%2v", "%2a", "%3f", "%2D"})
        ExpectFormatError(format);
}

TEST_F(ExpandTest, FailedExpansionLeavesLibraryAndRecordAlone) {
    TFormatLibrary library;
    library.FormatName = "Name";
    library.SetFormatText("%u%2d");
    const TUrlFileData data = Record();
    EXPECT_THROW(library.Expand(data), EConvertError);
    EXPECT_EQ(library.FormatText, "%u%2d");
    EXPECT_EQ(library.FormatName, "Name");
    EXPECT_EQ(data.URL, SampleURL);
}

// A failure of a runtime routine inside the expansion reaches the caller as
// the format error too.
TEST_F(ExpandTest, RuntimeFailureBecomesFormatError) {
    TUrlFileData data = Record();
    data.LastVisit = 1e300;
    ExpectFormatError("%u %v", data);
}

TEST_F(ExpandTest, ZeroDateTimeAndMissingLastVisitStillFormat) {
    TUrlFileData data = Record();
    data.LastVisit = 0.0;
    data.HasLastVisit = false;
    EXPECT_EQ(Expand("%v %a", data), "1899/12/30 00:00:00");
    EXPECT_EQ(Expand("%1v %1a", data), "99/12/30 00:00");
}

TEST_F(ExpandTest, DatesFollowTheUserSeparators) {
    TSettingsScope dotted({'.', '-', "dd.mm.yyyy"});
    EXPECT_EQ(Expand("%d %t|%1d %1t"), "2001.02.03 04-05-06|01.02.03 04-05");
}

TEST_F(ExpandTest, ReadsStoredValuesNotPendingOnes) {
    TUrlFileData data = Record();
    data.SetURL("http://pending/");
    data.SetComment("pending");
    data.SetLastVisit(1.0);
    EXPECT_EQ(Expand("%u|%c|%v", data), SampleURL + "|" + SampleComment + "|2019/12/31");
}

// '%' before a double-byte character: both go, the character whole, so that
// no lone trail byte is left to fuse with the next byte.
TEST_F(ExpandTest, PercentBeforeDoubleByteCharacter) {
    const Row rows[] = {
        {"%\x82\xA0", ""},           // あ
        {"x%\x95\x5Cy", "xy"},       // 表: the trail byte is '\'
        {"%ｐ|", "|"},               // the lead byte is no letter either
        {"%1表C", "C"},              // after a selector digit
        {"%1\x82\x75%u", SampleURL}, // Ｖ: the trail byte is 'u'
        {"%\x82+", "+"},             // a lead byte without a trail byte goes alone
        {"ab%\x82", "ab"},           // a lead byte at the end
    };
    for (const Row& row : rows)
        EXPECT_EQ(Expand(row.Format), row.Expected) << "format: " << row.Format;
}

TEST_F(ExpandTest, PathDirectives) {
    struct PathRow {
        std::string FileName;
        std::string Page, Name, Folder;
    };
    const PathRow rows[] = {
        {"C:\\Fav\\My.Page.url", "My.Page", "My.Page.url", "C:\\Fav"},
        {"C:\\Fav\\NoExtension", "NoExtension", "NoExtension", "C:\\Fav"},
        {"C:\\Fav\\.url", "", ".url", "C:\\Fav"},
        {"C:\\Fav.d\\name", "name", "name", "C:\\Fav.d"},
        {"C:\\a.url", "a", "a.url", "C:"},
        {"C:a.url", "a", "a.url", "C:"},
        {"a.url", "a", "a.url", ""},
        {"", "", "", ""},
        {"\\\\server\\share\\a.url", "a", "a.url", "\\\\server\\share"},
        // 表 (0x95 0x5C) and ソ (0x83 0x5C): a trail byte 0x5C is no delimiter.
        {"C:\\Fav\\表.url", "表", "表.url", "C:\\Fav"},
        {"C:\\ソフト\\表", "表", "表", "C:\\ソフト"},
        {"C:\\表\\x.url", "x", "x.url", "C:\\表"},
        {"C:\\表ソ.d\\x", "x", "x", "C:\\表ソ.d"},
    };
    for (const PathRow& row : rows) {
        const TUrlFileData data = Record(row.FileName);
        EXPECT_EQ(Expand("%p", data), row.Page) << row.FileName;
        EXPECT_EQ(Expand("%f", data), row.FileName) << row.FileName;
        EXPECT_EQ(Expand("%0f", data), row.FileName) << row.FileName;
        EXPECT_EQ(Expand("%1f", data), row.Name) << row.FileName;
        EXPECT_EQ(Expand("%2f", data), row.Folder) << row.FileName;
    }
}

} // namespace
