#include "runtime/CodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, DoubleByteTextRoundTrips) {
    EXPECT_EQ(AnsiToUtf16("URL 日本語ｶﾅ"), u"URL 日本語ｶﾅ");
    EXPECT_EQ(Utf16ToAnsi(u"URL 日本語ｶﾅ"), "URL 日本語ｶﾅ");
    EXPECT_EQ(AnsiToUtf16("ソ表\\"), u"ソ表\\");
}

TEST(CodePage, EmptyText) {
    EXPECT_EQ(AnsiToUtf16(""), u"");
    EXPECT_EQ(Utf16ToAnsi(u""), "");
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf16ToAnsi(u"a\u20ACb"), "a?b");
}

TEST(CodePage, EmbeddedNulKept) {
    EXPECT_EQ(AnsiToUtf16(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(Utf16ToAnsi(std::u16string_view(u"a\0b", 3)), std::string("a\0b", 3));
}

} // namespace
