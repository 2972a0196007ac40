// The readme converter on the constructs the guides use and on those it must
// refuse rather than pass through as markup.

#include "tools/readme/PlainText.h"
#include "tests/common/ExpectThrow.h"
#include "tools/readme/DisplayCells.h"
#include "tools/readme/MarkdownError.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Plain(const char8_t* markdown, TCellRule rule = TCellRule::CodePage932) {
    const std::u8string_view text(markdown);
    return MarkdownToPlainText(std::string(text.begin(), text.end()), {rule, "1.2.3"});
}

std::string Bytes(const char8_t* text) {
    const std::u8string_view view(text);
    return {view.begin(), view.end()};
}

struct TConversion {
    const char8_t* Markdown;
    const char8_t* Text;
};

const TConversion Conversions[] = {
    {u8"# Pellmark 手引き\n", u8"Pellmark 1.2.3 手引き\n=====================\n"},
    {u8"## 1. 書式 ##\n", u8"1. 書式\n-------\n"},
    {u8"### `%p` と **設定(S)**\n", u8"[%p と 設定(S)]\n"},
    // Columns in display cells: full-width two, half-width katakana and ASCII one.
    {u8"| 名前 | b |\n|---|--:|\n| ｶｽﾀﾑ | `x|y` |\n| `a\\|b` | 全角 |\n",
     u8"名前     b\n----  ----\nｶｽﾀﾑ   x|y\na|b   全角\n"},
    {u8"| a | b |\n|:-:|---|\n| abc | d |\n", u8" a   b\n---  -\nabc  d\n"},
    // A picture and the blank line after it leave no gap.
    {u8"text\n\n![dialog](d.png)\n\nmore\n", u8"text\n\nmore\n"},
    {u8"[English](docs/guide.en.md), <https://example.jp/>, [https://a.jp/](https://a.jp/)\n",
     u8"English (docs/guide.en.md), https://example.jp/, https://a.jp/\n"},
    {u8"- **a**: *b*, 2 \\* 3 * 4, snake_case, `` `x` ``\n  continued  \n1. one\n",
     u8"- a: b, 2 * 3 * 4, snake_case, `x`\n  continued\n1. one\n"},
    {u8"* star\n+ plus\n", u8"- star\n- plus\n"},
    {u8"Paths: C:\\Users\\taro, a < b, AT&T, &lt;x&gt;\n",
     u8"Paths: C:\\Users\\taro, a < b, AT&T, <x>\n"},
    {u8"text:\n\n    %p : %u%z **raw**\n\nafter\n", u8"text:\n\n    %p : %u%z **raw**\n\nafter\n"},
    {u8"```\n# raw\n```\n", u8"# raw\n"},
    {u8"line\r\nend\r\n", u8"line\nend\n"},
};

TEST(PlainTextTest, ConvertsEachConstruct) {
    for (const TConversion& conversion : Conversions)
        EXPECT_EQ(Plain(conversion.Markdown), Bytes(conversion.Text)) << Bytes(conversion.Markdown);
}

struct TRefusal {
    const char8_t* Markdown;
    const char* Message;
};

const TRefusal Refusals[] = {
    {u8"#### deep\n", "line 1: headings deeper than ### are not supported"},
    {u8"#title\n", "line 1: a heading needs a space after its '#'"},
    {u8"ok\n\n| a |\n| b |\n",
     "line 3: a table's second line must be its alignment row (|---|---|)"},
    {u8"| a | b |\n|---|---|\n| c |\n",
     "line 1: a table row has 1 cells, its alignment row 2: | c |"},
    {u8"see ![x](y.png) here\n", "line 1: a picture inside text: give it a line of its own"},
    {u8"a <br> b\n", "line 1: inline HTML is not supported: write '<' as a code span or '\\<'"},
    {u8"<div>\n", "line 1: HTML blocks are not supported"},
    {u8"> quote\n", "line 1: block quotes (>) are not supported"},
    {u8"Title\n=====\n",
     "line 2: rules and underlined headings are not supported: use #, ## or ###"},
    {u8"a `b\n", "line 1: a code span (`) is not closed on its line"},
    {u8"a **b\n", "line 1: an unpaired '**': write it as a code span or escape it with '\\'"},
    {u8"~~old~~\n", "line 1: strikethrough (~~) is not supported"},
    {u8"[a][ref]\n", "line 1: reference links ([text][name]) are not supported"},
    {u8"&copy;\n",
     "line 1: the character reference &copy; is not supported: write the character itself"},
    {u8"```\ncode\n", "line 1: the code block that starts on line 1 is not closed with ```"},
    {u8"\tindented\n", "line 1: a tab in a line's indentation: indent with spaces"},
};

TEST(PlainTextTest, RefusesWhatItDoesNotKnow) {
    for (const TRefusal& refusal : Refusals) {
        SCOPED_TRACE(Bytes(refusal.Markdown));
        ExpectThrowMessage<EMarkdownError>([&] { Plain(refusal.Markdown); }, refusal.Message);
    }
}

struct TWidth {
    const char8_t* Text;
    TCellRule Rule;
    std::size_t Cells;
};

// Latin letters and symbols are two cells in code page 932 (two bytes), one
// in a Unicode font; a combining accent takes none.
const TWidth Widths[] = {
    {u8"abｶﾅ全角", TCellRule::CodePage932, 8},
    {u8"\u00E9\u00D7\u2192\u2460", TCellRule::CodePage932, 8},
    {u8"\u00E9\u00D7\u2192", TCellRule::Unicode, 3},
    {u8"京都ＡｶﾅE\u0301", TCellRule::Unicode, 9},
};

TEST(PlainTextTest, CountsCellsByRule) {
    for (const TWidth& width : Widths)
        EXPECT_EQ(DisplayCells(Bytes(width.Text), width.Rule), width.Cells) << &width - Widths;
}

} // namespace
