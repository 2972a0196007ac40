// The user guide's example table, in both languages, against the expander:
// each format in the table must give exactly the result the guide prints for
// the guide's example shortcut, so the guide cannot drift from the program.
//
// A table row is "| `format` | result | ..."; the result is a run of code
// spans (literal text), the words CR LF (a line break), or one word for the
// empty result or for the format error. The guides are UTF-8; the expander
// works in code page 932.
//
// The plain-text readmes made from the guides for the release archive must
// show the same table as aligned columns, with no Markdown left anywhere.

#include "lib/FormatLibrary.h"
#include "runtime/CodePage.h"
#include "runtime/Exception.h"
#include "runtime/Utf8.h"
#include "tests/common/Files.h"
#include "tests/common/SettingsScope.h"
#include "tests/common/Utf8ToAnsi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct TGuide {
    const char* File;
    std::u8string_view Header;
    std::u8string_view EmptyWord;
    std::u8string_view ErrorWord;
    const char* Readme; // made from the guide in the build's docs folder
    bool CodePage932;   // the readme's encoding; else UTF-8 with a byte order mark
};

const TGuide Guides[] = {
    {"docs/guide.ja.md", u8"| 書式 | 結果 |", u8"（空）", u8"エラー", "readme.txt", true},
    {"docs/guide.en.md", u8"| Format | Result |", u8"(empty)", u8"error", "readme-en.txt", false},
};

// The example shortcut as the guides describe it.
constexpr std::u8string_view SampleFileName = u8"C:\\Users\\taro\\Favorites\\旅行\\京都の宿.url";
constexpr std::u8string_view SampleURL = u8"https://www.example.jp/tabi/kyoto/";
constexpr std::u8string_view SampleComment = u8"紅葉の季節に行きたい宿";
constexpr std::u8string_view SampleRegistered = u8"2024/03/01 09:15:42";
constexpr std::u8string_view SampleLastVisit = u8"2024/03/15 21:40";

std::string Bytes(std::u8string_view text) {
    return {text.begin(), text.end()};
}

std::string ReadGuide(const char* file) {
    std::string text = ReadSourceFile(file);
    EXPECT_FALSE(text.empty()) << file << " is empty";
    return text;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The cells of a table row; a '|' inside a code span does not split.
std::vector<std::string_view> Cells(std::string_view row) {
    std::vector<std::string_view> cells;
    bool inCode = false;
    std::size_t start = 1;
    for (std::size_t i = 1; i < row.size(); ++i) {
        if (row[i] == '`')
            inCode = !inCode;
        else if (row[i] == '|' && !inCode) {
            cells.push_back(Trim(row.substr(start, i - start)));
            start = i + 1;
        }
    }
    return cells;
}

struct TExample {
    std::string Format;   // UTF-8, as in the guide
    std::string Expected; // UTF-8
    bool Error = false;
    std::string Row;
    std::string Shown; // the result cell as plain text shows it: code spans unwrapped
};

// Reads "`a` CR LF `b`" and the like; false when the cell holds anything else.
bool ParseResult(std::string_view cell, const TGuide& guide, TExample& example) {
    if (cell == Bytes(guide.EmptyWord))
        return true;
    if (cell == Bytes(guide.ErrorWord)) {
        example.Error = true;
        return true;
    }
    while (!cell.empty()) {
        if (cell.front() == '`') {
            const std::size_t close = cell.find('`', 1);
            if (close == std::string_view::npos)
                return false;
            example.Expected += cell.substr(1, close - 1);
            cell.remove_prefix(close + 1);
        } else if (cell.starts_with("CR LF")) {
            example.Expected += "\r\n";
            cell.remove_prefix(5);
        } else {
            return false;
        }
        cell = Trim(cell);
    }
    return true;
}

std::vector<TExample> ExampleTable(const TGuide& guide) {
    const std::string text = ReadGuide(guide.File);
    std::vector<TExample> examples;
    const std::size_t header = text.find(Bytes(guide.Header));
    if (header == std::string::npos) {
        ADD_FAILURE() << "no example table in " << guide.File;
        return examples;
    }
    std::size_t pos = text.find('\n', header);
    bool separator = true;
    while (pos != std::string::npos && pos + 1 < text.size() && text[pos + 1] == '|') {
        const std::size_t end = text.find('\n', pos + 1);
        std::string_view row(text.data() + pos + 1,
                             (end == std::string::npos ? text.size() : end) - pos - 1);
        if (!row.empty() && row.back() == '\r')
            row.remove_suffix(1);
        pos = end;
        if (separator) {
            separator = false;
            continue;
        }
        TExample example;
        example.Row = row;
        const std::vector<std::string_view> cells = Cells(row);
        if (cells.size() < 2 || cells[0].size() < 2 || cells[0].front() != '`' ||
            cells[0].back() != '`' || !ParseResult(cells[1], guide, example)) {
            ADD_FAILURE() << guide.File << ": cannot read the row " << row;
            continue;
        }
        example.Format = cells[0].substr(1, cells[0].size() - 2);
        for (const char c : cells[1])
            if (c != '`')
                example.Shown += c;
        examples.push_back(example);
    }
    return examples;
}

TUrlFileData ExampleShortcut() {
    TUrlFileData data;
    data.FileName = Utf8ToAnsi(Bytes(SampleFileName));
    data.URL = Utf8ToAnsi(Bytes(SampleURL));
    data.Comment = Utf8ToAnsi(Bytes(SampleComment));
    data.FileDateTime = EncodeDate(2024, 3, 1) + EncodeTime(9, 15, 42, 0);
    data.LastVisit = EncodeDate(2024, 3, 15) + EncodeTime(21, 40, 0, 0);
    data.HasLastVisit = true;
    return data;
}

// The guides state their examples for '/' and ':' as separators.
class GuideExamplesTest : public testing::Test {
    TSettingsScope FSettings{SlashColonSettings};
};

TEST_F(GuideExamplesTest, GuidesDescribeTheExampleShortcut) {
    for (const TGuide& guide : Guides) {
        const std::string text = ReadGuide(guide.File);
        for (const std::u8string_view value :
             {SampleFileName, SampleURL, SampleComment, SampleRegistered, SampleLastVisit}) {
            // As a code span.
            std::string span(1, '`');
            span.append(Bytes(value)).push_back('`');
            EXPECT_NE(text.find(span), std::string::npos) << guide.File << " lacks " << span;
        }
    }
}

TEST_F(GuideExamplesTest, EachExampleGivesThePrintedResult) {
    const TUrlFileData shortcut = ExampleShortcut();
    for (const TGuide& guide : Guides) {
        const std::vector<TExample> examples = ExampleTable(guide);
        EXPECT_GE(examples.size(), 20u) << guide.File;
        for (const TExample& example : examples) {
            SCOPED_TRACE(std::string(guide.File) + ": " + example.Row);
            TFormatLibrary library;
            library.SetFormatText(Utf8ToAnsi(example.Format));
            if (example.Error) {
                EXPECT_THROW(library.Expand(shortcut), EConvertError);
            } else {
                EXPECT_EQ(library.Expand(shortcut), Utf8ToAnsi(example.Expected));
            }
        }
    }
}

TEST_F(GuideExamplesTest, BothGuidesShowTheSameExamples) {
    const std::vector<TExample> ja = ExampleTable(Guides[0]);
    const std::vector<TExample> en = ExampleTable(Guides[1]);
    ASSERT_EQ(ja.size(), en.size());
    for (std::size_t i = 0; i < ja.size(); ++i) {
        EXPECT_EQ(ja[i].Format, en[i].Format) << "row " << i + 1;
        EXPECT_EQ(ja[i].Expected, en[i].Expected) << "row " << i + 1;
        EXPECT_EQ(ja[i].Error, en[i].Error) << "row " << i + 1;
    }
}

// The readme made from the guide, in UTF-8, split into lines at CR LF.
std::vector<std::string> ReadmeLines(const TGuide& guide) {
    std::string bytes = ReadBytes(HostPath(std::string(PELL_README_DIR) + "/" + guide.Readme));
    std::string text;
    if (guide.CodePage932) {
        for (const char16_t c : AnsiToUtf16(bytes))
            AppendUtf8(text, c);
    } else {
        EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << guide.Readme << " has no byte order mark";
        text = bytes.substr(3);
    }
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = text.find("\r\n", pos);
        EXPECT_NE(end, std::string::npos) << guide.Readme << ": the last line has no CR LF";
        lines.push_back(text.substr(pos, end == std::string::npos ? end : end - pos));
        pos = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

// Display cells: the code page 932 bytes (a full-width character takes two).
std::size_t Cells(const std::string& utf8) {
    return Utf8ToAnsi(utf8).size();
}

// Where the example's result starts when the line is its row: the format,
// two spaces or more, the result as the guide shows it; npos otherwise.
std::size_t ResultColumn(const std::string& line, const TExample& example) {
    const std::size_t result = line.find_first_not_of(' ', example.Format.size());
    if (!line.starts_with(example.Format) || result == std::string::npos ||
        result < example.Format.size() + 2 || line.substr(result) != example.Shown)
        return std::string::npos;
    return result;
}

TEST_F(GuideExamplesTest, ReadmeShowsEachExampleInAlignedColumns) {
    for (const TGuide& guide : Guides) {
        const std::vector<std::string> lines = ReadmeLines(guide);
        std::size_t column = 0;
        for (const TExample& example : ExampleTable(guide)) {
            SCOPED_TRACE(std::string(guide.Readme) + ": " + example.Row);
            bool found = false;
            for (const std::string& line : lines) {
                const std::size_t result = ResultColumn(line, example);
                if (result == std::string::npos)
                    continue;
                found = true;
                if (column == 0)
                    column = Cells(line.substr(0, result));
                EXPECT_EQ(Cells(line.substr(0, result)), column) << line;
            }
            EXPECT_TRUE(found) << "no line \"" << example.Format << "  " << example.Shown << "\"";
        }
    }
}

// The contents of the guide's code spans of three bytes or more, longest
// first: text the guide shows as it is, which may be Markdown or HTML itself.
std::vector<std::string> LiteralTexts(const TGuide& guide) {
    const std::string text = ReadGuide(guide.File);
    std::vector<std::string> literals;
    for (std::size_t open = text.find('`'); open != std::string::npos;) {
        const std::size_t close = text.find_first_of("`\n", open + 1);
        if (close == std::string::npos || text[close] == '\n') {
            open = close == std::string::npos ? close : text.find('`', close);
            continue;
        }
        if (close - open > 3)
            literals.push_back(text.substr(open + 1, close - open - 1));
        open = text.find('`', close + 1);
    }
    std::sort(literals.begin(), literals.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return literals;
}

// The line with each literal text in it replaced by a space.
std::string WithoutLiterals(std::string line, const std::vector<std::string>& literals) {
    for (const std::string& literal : literals) {
        std::string rest;
        std::size_t from = 0;
        for (std::size_t at; (at = line.find(literal, from)) != std::string::npos;
             from = at + literal.size())
            rest.append(line, from, at - from).push_back(' ');
        line = rest.append(line, from);
    }
    return line;
}

// No markup outside the example rows and the guide's literal text, and no
// gap of blank lines where a picture was.
TEST_F(GuideExamplesTest, ReadmeHoldsNoMarkup) {
    const std::string_view anywhere[] = {"`",   "**",  "](",   "![",    "|--",  "--|",   "</",
                                         "<a ", "<br", "<img", "&amp;", "&lt;", "&nbsp;"};
    for (const TGuide& guide : Guides) {
        const std::vector<TExample> examples = ExampleTable(guide);
        const std::vector<std::string> literals = LiteralTexts(guide);
        bool blank = false;
        for (const std::string& line : ReadmeLines(guide)) {
            EXPECT_FALSE(blank && line.empty()) << guide.Readme << ": two blank lines in a row";
            blank = line.empty();
            if (std::any_of(examples.begin(), examples.end(), [&](const TExample& example) {
                    return ResultColumn(line, example) != std::string::npos;
                }))
                continue;
            const std::string prose = WithoutLiterals(line, literals);
            for (const std::string_view mark : anywhere)
                EXPECT_EQ(prose.find(mark), std::string::npos) << guide.Readme << ": " << line;
            EXPECT_FALSE(prose.starts_with('#') || prose.starts_with('|') ||
                         prose.starts_with('>') || prose.starts_with("* "))
                << guide.Readme << ": " << line;
        }
    }
}

} // namespace
