#include "runtime/FormDescription.h"

#include "tests/common/ExpectThrow.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using namespace std::string_view_literals;

struct TErrorRow {
    std::string_view Text;
    const char* Message;
};

class FormDescriptionErrorTest : public testing::TestWithParam<TErrorRow> {};

TEST_P(FormDescriptionErrorTest, ReportsTheLineAndWhatWasExpected) {
    ExpectThrowMessage<EFormDescriptionError>([] { ParseFormDescription(GetParam().Text); },
                                              GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(
    BadDescriptions, FormDescriptionErrorTest,
    testing::Values(
        // Empty or not an object.
        TErrorRow{"", "1 行目: 'object' がありません"},
        TErrorRow{" \n\r\n\t", "3 行目: 'object' がありません"},
        TErrorRow{"end", "1 行目: 'object' がありません"},
        TErrorRow{"Left = 1", "1 行目: 'object' がありません"},
        // The object's heading.
        TErrorRow{"object", "1 行目: 'object' の後に名前がありません"},
        TErrorRow{"object : TB\nend", "1 行目: 'object' の後に名前がありません"},
        TErrorRow{"object A TB\nend", "1 行目: 名前の後に ':' がありません"},
        TErrorRow{"object A:\nend", "2 行目: ':' の後にクラス名がありません"},
        TErrorRow{"object A: 'TB'\nend", "1 行目: ':' の後にクラス名がありません"},
        // Missing end.
        TErrorRow{"object A: TB\n X = 1\n", "3 行目: object A の 'end' がありません"},
        TErrorRow{"object A: TB\n object C: TD\n end\n", "4 行目: object A の 'end' がありません"},
        TErrorRow{"object A: TB\n object C: TD\n", "3 行目: object C の 'end' がありません"},
        // Unexpected tokens.
        TErrorRow{"object A: TB\n X 1\nend", "2 行目: プロパティ名の後に '=' がありません"},
        TErrorRow{"object A: TB\r\n X = 1\r\n Y 2\r\nend",
                  "3 行目: プロパティ名の後に '=' がありません"},
        TErrorRow{"object A: TB\n = 1\nend",
                  "2 行目: プロパティ、'object'、'end' のどれかが必要です"},
        TErrorRow{"object A: TB\n 'X' = 1\nend",
                  "2 行目: プロパティ、'object'、'end' のどれかが必要です"},
        TErrorRow{"object A: TB\n @X = 1\nend",
                  "2 行目: プロパティ、'object'、'end' のどれかが必要です"},
        TErrorRow{"object A: TB\n \x82\xa0 = 1\nend",
                  "2 行目: プロパティ、'object'、'end' のどれかが必要です"},
        TErrorRow{"object A: TB\n\0\nend"sv,
                  "2 行目: プロパティ、'object'、'end' のどれかが必要です"},
        TErrorRow{"object A: TB\n Font. = 1\nend", "2 行目: '.' の後にプロパティ名がありません"},
        TErrorRow{"object A: TB\n X =\nend", "3 行目: '=' の後に値がありません"},
        TErrorRow{"object A: TB\n X = ]\nend", "2 行目: '=' の後に値がありません"},
        TErrorRow{"object A: TB\n X = end", "2 行目: '=' の後に値がありません"},
        TErrorRow{"object A: TB\n X = \xe6\x9b\xb8\nend", "2 行目: '=' の後に値がありません"},
        TErrorRow{"object A: TB\n X = 'a' +\n 1\nend", "3 行目: '+' の後に文字列がありません"},
        TErrorRow{"object A: TB\n X = 'a' + \nend", "3 行目: '+' の後に文字列がありません"},
        TErrorRow{"object A: TB\n X = 'a' 'b'\nend",
                  "2 行目: プロパティ、'object'、'end' のどれかが必要です"},
        TErrorRow{"object A: TB\n X = [a b]\nend", "2 行目: 集合に ',' か ']' が必要です"},
        TErrorRow{"object A: TB\n X = [a,]\nend", "2 行目: 集合に名前がありません"},
        TErrorRow{"object A: TB\n X = [1]\nend", "2 行目: 集合に名前がありません"},
        TErrorRow{"object A: TB\n X = [a,\n", "3 行目: 集合に名前がありません"},
        TErrorRow{"object A: TB\n X = ('a' 1)\nend", "2 行目: リストに文字列か ')' が必要です"},
        TErrorRow{"object A: TB\n X = (\n  'a'\n", "4 行目: リストに文字列か ')' が必要です"},
        // Strings that do not end on their line.
        TErrorRow{"object A: TB\n X = 'abc\nend",
                  "2 行目: 行の終わりまでに閉じる引用符がありません"},
        TErrorRow{"object A: TB\n X = 'abc", "2 行目: 行の終わりまでに閉じる引用符がありません"},
        TErrorRow{"object A: TB\n X = 'it''\nend",
                  "2 行目: 行の終わりまでに閉じる引用符がありません"},
        TErrorRow{"object A: TB\n X = 'a\rb'\nend",
                  "2 行目: 行の終わりまでに閉じる引用符がありません"},
        TErrorRow{"object A: TB\n X = (\n 'a'\n 'b\n )\nend",
                  "4 行目: 行の終わりまでに閉じる引用符がありません"},
        // Bad numbers.
        TErrorRow{"object A: TB\n X = 12ab\nend", "2 行目: 数値が正しくありません"},
        TErrorRow{"object A: TB\n X = -\nend", "2 行目: 数値が正しくありません"},
        TErrorRow{"object A: TB\n X = - 5\nend", "2 行目: 数値が正しくありません"},
        TErrorRow{"object A: TB\n X = --5\nend", "2 行目: 数値が正しくありません"},
        TErrorRow{"object A: TB\n X = 1.5\nend", "2 行目: 数値が正しくありません"},
        TErrorRow{"object A: TB\n X = 9223372036854775808\nend",
                  "2 行目: 数値が 64 ビットの範囲を超えています"},
        TErrorRow{"object A: TB\n X = -9223372036854775809\nend",
                  "2 行目: 数値が 64 ビットの範囲を超えています"},
        TErrorRow{"object A: TB\n X = 99999999999999999999999\nend",
                  "2 行目: 数値が 64 ビットの範囲を超えています"},
        // Anything after the top-level object.
        TErrorRow{"object A: TB\nend\nx", "3 行目: 最後の 'end' の後に余分な記述があります"},
        TErrorRow{"object A: TB\nend\nobject C: TD\nend",
                  "3 行目: 最後の 'end' の後に余分な記述があります"},
        TErrorRow{"object A: TB\nend end", "2 行目: 最後の 'end' の後に余分な記述があります"}));

std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += "object O: T\n";
    }
    for (int i = 0; i < depth; ++i) {
        text += "end\n";
    }
    return text;
}

TEST(FormDescriptionErrorTest, RefusesNestingBeyondTheLimit) {
    const char* message = "65 行目: object の入れ子が 64 段を超えています";
    ExpectThrowMessage<EFormDescriptionError>(
        [] { ParseFormDescription(Nested(MaxFormNesting + 1)); }, message);
    // Deep enough to overflow the stack if the reader recursed without a bound.
    ExpectThrowMessage<EFormDescriptionError>([] { ParseFormDescription(Nested(200000)); },
                                              message);
}

TEST(FormDescriptionErrorTest, RaisesTheRuntimesExceptionClass) {
    ExpectThrowMessage<Exception>([] { ParseFormDescription("object A: TB"); },
                                  "1 行目: object A の 'end' がありません");
}

} // namespace
