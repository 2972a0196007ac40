#include "runtime/IniText.h"

#include "tests/ini/IniReadCases.h"

#include <gtest/gtest.h>

using namespace std::string_view_literals;

namespace {

class IniTextReadTest : public testing::TestWithParam<TIniReadCase> {};

TEST_P(IniTextReadTest, FindsWhatTheRulesGive) {
    const TIniReadCase& row = GetParam();
    const TIniText text(row.File);
    const std::optional<std::string> value = text.Find(row.Section, row.Ident);
    ASSERT_EQ(value.has_value(), row.Expected.has_value());
    if (value) {
        EXPECT_EQ(*value, *row.Expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, IniTextReadTest, testing::ValuesIn(IniReadCases()),
                         [](const testing::TestParamInfo<TIniReadCase>& param) {
                             return param.param.Name;
                         });

TEST(IniTextEncodingTest, DetectedFromTheByteOrderMark) {
    EXPECT_EQ(TIniText("[S]").Encoding(), TIniEncoding::Ansi);
    EXPECT_EQ(TIniText(std::string("\xFF\xFE[\0"sv)).Encoding(), TIniEncoding::Utf16LE);
    EXPECT_EQ(TIniText(std::string("\xFE\xFF\0["sv)).Encoding(), TIniEncoding::Utf16BE);
    EXPECT_EQ(TIniText("\xEF\xBB\xBF[S]").Encoding(), TIniEncoding::Utf8);
    EXPECT_EQ(TIniText().Encoding(), TIniEncoding::Ansi);
}

TEST(IniTextReadTest, EmptyTextFindsNothing) {
    EXPECT_FALSE(TIniText().Find("S", "k"));
    EXPECT_FALSE(TIniText("\xFF\xFE").Find("S", "k"));
    EXPECT_FALSE(TIniText("\xFF\xFE[").Find("S", "k"));
}

} // namespace
