#include "runtime/IniText.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "tests/common/ExpectThrow.h"
#include "tests/ini/IniTestFiles.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace std::string_literals;

namespace {

struct TWriteRow {
    const char* Name;
    std::string Before;
    const char* Section;
    const char* Ident;
    std::string Value;
    std::string After;
};

const std::vector<TWriteRow>& WriteRows() {
    static const std::vector<TWriteRow> rows = {
        {"NewFile", "", "Section", "key", "value", "[Section]\r\nkey=value\r\n"},
        {"NewFileEmptyValue", "", "Log", "UserComment", "", "[Log]\r\nUserComment=\r\n"},
        {"ReplaceKeepsOtherBytes", "[A]\r\nx=1\r\n[S]\r\nk=old\r\nz=2\r\n", "S", "k", "new",
         "[A]\r\nx=1\r\n[S]\r\nk=new\r\nz=2\r\n"},
        {"ReplaceKeepsNameAndBlanksBeforeValue", "[S]\r\n  K = old  \r\n", "s", "k", "new",
         "[S]\r\n  K = new\r\n"},
        {"ReplaceQuotedValue", "[S]\r\nk=\"old\"\r\n", "S", "k", "new", "[S]\r\nk=new\r\n"},
        {"ReplaceWithEmpty", "[S]\r\nk=old\r\n", "S", "k", "", "[S]\r\nk=\r\n"},
        {"ReplaceKeepsLfEnd", "[S]\nk=1\nz=2", "S", "k", "2", "[S]\nk=2\nz=2"},
        {"ReplaceLastLineWithoutEnd", "[S]\r\nk=1", "S", "k", "22", "[S]\r\nk=22"},
        {"ReplaceFirstOfDuplicateKeys", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "3",
         "[S]\r\nk=3\r\nk=2\r\n"},
        {"NewKeyAfterLastLineOfSection", "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n", "S", "k", "v",
         "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\nb=2\r\n"},
        {"NewKeyAfterComment", "[S]\r\na=1\r\n; note\r\n\r\n", "S", "k", "v",
         "[S]\r\na=1\r\n; note\r\nk=v\r\n\r\n"},
        {"NewKeyWhenFileLacksLineEnd", "[S]\r\na=1", "S", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
        {"NewKeyUnderBareHeader", "[S]", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"NewKeyInLfFile", "[S]\na=1\n[T]\n", "S", "k", "v", "[S]\na=1\nk=v\r\n[T]\n"},
        {"NewKeyInCrFile", "[S]\ra=1\r[T]\r", "S", "k", "v", "[S]\ra=1\rk=v\r\n[T]\r"},
        {"NewKeyGoesToFirstOfDuplicateSections", "[S]\r\na=1\r\n[S]\r\nk=old\r\n", "S", "k", "v",
         "[S]\r\na=1\r\nk=v\r\n[S]\r\nk=old\r\n"},
        {"LineWithoutEqualsLeftAlone", "[S]\r\nk\r\n", "S", "k", "v", "[S]\r\nk\r\nk=v\r\n"},
        {"KeysBeforeSectionsLeftAlone", "k=pre\r\n[S]\r\n", "S", "k", "v",
         "k=pre\r\n[S]\r\nk=v\r\n"},
        {"NewSectionAtEnd", "[A]\r\nx=1\r\n", "S", "k", "v", "[A]\r\nx=1\r\n[S]\r\nk=v\r\n"},
        {"NewSectionNoBlankLineAdded", "[A]\r\nx=1\r\n\r\n", "S", "k", "v",
         "[A]\r\nx=1\r\n\r\n[S]\r\nk=v\r\n"},
        {"NewSectionWhenFileLacksLineEnd", "[A]\r\nx=1", "S", "k", "v",
         "[A]\r\nx=1\r\n[S]\r\nk=v\r\n"},
        {"NewSectionInLfFile", "[A]\nx=1\n", "S", "k", "v", "[A]\nx=1\n[S]\r\nk=v\r\n"},
        {"NamesWrittenTrimmed", "", " S ", "\tk ", " v ", "[S]\r\nk= v \r\n"},
        {"MatchIgnoresCase", "[internetshortcut]\r\nurl=a\r\n", "InternetShortcut", "URL", "b",
         "[internetshortcut]\r\nurl=b\r\n"},
        {"ValueWithEqualsAndHash", "", "S", "URL", "http://a/?b=c#d",
         "[S]\r\nURL=http://a/?b=c#d\r\n"},
        {"DoubleByteText", "[ログ]\r\nコメント=古い\r\n", "ログ", "コメント", "新しい",
         "[ログ]\r\nコメント=新しい\r\n"},
        {"BinaryBytesKept", "\x00\xFF\x81\r\n"s, "S", "k", "v", "\x00\xFF\x81\r\n[S]\r\nk=v\r\n"s},
        {"Utf8BomOnly", "\xEF\xBB\xBF", "S", "k", "v", "\xEF\xBB\xBF[S]\r\nk=v\r\n"},
        {"Utf8KeptInUtf8", Utf8File(u8"[ログ]\r\nk=古い\r\n"), "ログ", "k", "新しい",
         Utf8File(u8"[ログ]\r\nk=新しい\r\n")},
        {"Utf16LEKeptInUtf16", Utf16LEFile(u"[ログ]\r\nk=古い\r\n[T]\r\n"), "ログ", "j", "新",
         Utf16LEFile(u"[ログ]\r\nk=古い\r\nj=新\r\n[T]\r\n")},
        {"Utf16BEKeptInUtf16", Utf16BEFile(u"[S]\r\nk=1\r\n"), "S", "k", "日本",
         Utf16BEFile(u"[S]\r\nk=日本\r\n")},
        {"Utf16NewSection", Utf16LEFile(u"[S]\r\nk=1"), "T", "k", "2",
         Utf16LEFile(u"[S]\r\nk=1\r\n[T]\r\nk=2\r\n")},
        {"Utf16OddLastByteStaysLast", Utf16LEFile(u"[S]\r\n") + "\x41", "S", "k", "v",
         Utf16LEFile(u"[S]\r\nk=v\r\n") + "\x41"},
    };
    return rows;
}

void PrintTo(const TWriteRow& row, std::ostream* out) {
    *out << row.Name;
}

class IniTextWriteTest : public testing::TestWithParam<TWriteRow> {};

TEST_P(IniTextWriteTest, ChangesOneLineOrAddsOne) {
    const TWriteRow& row = GetParam();
    TIniText text(row.Before);
    text.Write(row.Section, row.Ident, row.Value);
    EXPECT_EQ(text.Bytes(), row.After);
    // The in-memory index follows the edit; blanks around a value do not read back.
    const std::size_t first = row.Value.find_first_not_of(' ');
    const std::string readBack =
        first == std::string::npos
            ? std::string()
            : row.Value.substr(first, row.Value.find_last_not_of(' ') + 1 - first);
    EXPECT_EQ(text.Find(row.Section, row.Ident), readBack);
    EXPECT_EQ(TIniText(text.Bytes()).Find(row.Section, row.Ident),
              text.Find(row.Section, row.Ident));
}

INSTANTIATE_TEST_SUITE_P(Rows, IniTextWriteTest, testing::ValuesIn(WriteRows()),
                         [](const testing::TestParamInfo<TWriteRow>& param) {
                             return std::string(param.param.Name);
                         });

TEST(IniTextWriteTest, LongValueReadsBackWhole) {
    const std::string value = std::string(100000, 'v') + "日本";
    TIniText text("[S]\r\nk=short\r\nz=1\r\n");
    text.Write("S", "k", value);
    EXPECT_EQ(text.Find("S", "k"), value);
    EXPECT_EQ(text.Find("S", "z"), "1");
}

// 0xEA 0xEA is shaped like a double-byte character but has none assigned.
TEST(IniTextWriteTest, UnconvertibleNamesKeepTheirBracketsInUnicodeFiles) {
    for (const std::string& before : {Utf16LEFile(u"[S]\r\n"), Utf8File(u8"[S]\r\n")}) {
        TIniText text(before);
        text.Write("T\xEA\xEA", "k\xEA\xEA", "v");
        EXPECT_EQ(text.Find("T\xEA\xEA", "k\xEA\xEA"), "v");
        const std::size_t size = text.Bytes().size();
        text.Write("T\xEA\xEA", "k\xEA\xEA", "w");
        EXPECT_EQ(text.Bytes().size(), size);
        EXPECT_EQ(TIniText(text.Bytes()).Find("T\xEA\xEA", "k\xEA\xEA"), "w");
    }
}

struct TProblemRow {
    const char* Name;
    std::string Section, Ident, Value, Problem;
};

void PrintTo(const TProblemRow& row, std::ostream* out) {
    *out << row.Name;
}

class IniTextWriteProblemTest : public testing::TestWithParam<TProblemRow> {};

TEST_P(IniTextWriteProblemTest, IsRefusedAndLeavesTheTextAlone) {
    const TProblemRow& row = GetParam();
    EXPECT_EQ(TIniText::WriteProblem(row.Section, row.Ident, row.Value), row.Problem);
    const std::string before = "[S]\r\nk=1\r\n";
    TIniText text(before);
    ExpectThrowMessage<EIniFileException>([&] { text.Write(row.Section, row.Ident, row.Value); },
                                          row.Problem);
    EXPECT_EQ(text.Bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IniTextWriteProblemTest,
    testing::Values(
        TProblemRow{"LineBreakInValue", "S", "k", "a\r\n[T]\r\nURL=evil",
                    Messages::IniLineBreakOrNul()},
        TProblemRow{"CrInSection", "S\r", "k", "v", Messages::IniLineBreakOrNul()},
        TProblemRow{"NulInKey", "S", "k\0x"s, "v", Messages::IniLineBreakOrNul()},
        TProblemRow{"EmptySection", " ", "k", "v", Messages::IniSectionNameEmpty()},
        TProblemRow{"EmptyKey", "S", "\t", "v", Messages::IniKeyNameEmpty()},
        TProblemRow{"EqualsInKey", "S", "a=b", "v", Messages::IniKeyNameWithEquals()},
        TProblemRow{"CommentKey", "S", " ;k", "v", Messages::IniKeyNameStart()},
        TProblemRow{"SectionLikeKey", "S", "[k]", "v", Messages::IniKeyNameStart()},
        TProblemRow{"CutDoubleByteName", "S\x83", "k", "v", Messages::IniNameNotCodePage()},
        TProblemRow{"CutDoubleByteValue", "S", "k", "v\x83", Messages::IniValueNotCodePage()}),
    [](const testing::TestParamInfo<TProblemRow>& param) { return std::string(param.param.Name); });

} // namespace
