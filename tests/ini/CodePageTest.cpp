#include "runtime/CodePage.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(CodePageTest, DoubleByteTextRoundTrips) {
    EXPECT_EQ(AnsiToUtf16("URL 日本語ｶﾅ"), u"URL 日本語ｶﾅ");
    EXPECT_EQ(Utf16ToAnsi(u"URL 日本語ｶﾅ"), "URL 日本語ｶﾅ");
    EXPECT_EQ(AnsiToUtf16("ソ表\\"), u"ソ表\\");
}

TEST(CodePageTest, EmptyText) {
    EXPECT_EQ(AnsiToUtf16(""), u"");
    EXPECT_EQ(Utf16ToAnsi(u""), "");
}

TEST(CodePageTest, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf16ToAnsi(u"a\u20ACb"), "a?b");
    // One for each half of a surrogate pair, as Windows writes an emoji.
    EXPECT_EQ(Utf16ToAnsi(u"a\U0001F600b"), "a??b");
}

TEST(CodePageTest, EmbeddedNulKept) {
    EXPECT_EQ(AnsiToUtf16(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(Utf16ToAnsi(std::u16string_view(u"a\0b", 3)), std::string("a\0b", 3));
}

// What Windows' UTF-7 encoder writes, punctuation of URLs included.
TEST(CodePageTest, Utf7DecodesWhatWindowsWrites) {
    struct Row {
        const char* Utf7;
        std::u16string_view Text;
    };
    const Row rows[] = {
        {"", u""},
        {"http://example.com/caf+AOk-/", u"http://example.com/café/"},
        {"+AH4AXwBAACEAIgAjACQAJQAmACoAOwA8AD0APgBbAFwAXQBeAGAAewB8AH0-",
         u"~_@!\"#$%&*;<=>[\\]^`{|}"},
        {"a+-b?q+AD0-1", u"a+b?q=1"},
        {"+1VytbQ-.+MMYwuTDI-", u"한국.テスト"},
        {"+2D3eAA-", u"\U0001F600"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Utf7ToUtf16(row.Utf7), row.Text) << row.Utf7;
}

// Only what converts back to the same character: no best fit, no default
// character, no character the code page maps one way only.
TEST(CodePageTest, ExactConversionTakesOnlyWhatTheCodePageHolds) {
    struct Row {
        std::u16string_view Text;
        std::optional<std::string> Ansi;
    };
    const Row rows[] = {
        {u"", ""},
        {u"URL 日本語ｶﾅ～≒\\~?", "URL 日本語ｶﾅ～≒\\~?"},
        {u"é", std::nullopt},
        {u"¥", std::nullopt},
        {u"〜", std::nullopt},
        {u"¬", std::nullopt},
        {u"한", std::nullopt},
        {u"\U0001F600", std::nullopt},
        {u"a\xD83D", std::nullopt},
        {u"\xDE00"
         u"a",
         std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Utf16ToAnsiExactly(row.Text), row.Ansi) << "row " << &row - rows;
}

} // namespace
