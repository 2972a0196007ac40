#pragma once
// A Markdown document (the user guide) as plain text for Notepad: headings
// underlined ('=' under level 1, '-' under level 2) or bracketed (level 3),
// pipe tables as aligned columns, no inline markup, no picture lines, lists,
// paragraphs and code blocks line for line as written. Anything else (deeper
// headings, HTML blocks, quotes, rules, setext headings, an inline construct
// PlainInline does not know) throws EMarkdownError naming the line.
//
//     MarkdownToPlainText("# Guide\n\n| a | b |\n|---|---|\n| `%p` | **x** |\n", {})
//     // "Guide\n=====\n\na   b\n--  -\n%p  x\n"

#include "tools/readme/DisplayCells.h"

#include <string>
#include <string_view>

struct TPlainTextOptions {
    TCellRule Cells = TCellRule::Unicode;
    // When not empty, put after the first word of the first level-1 heading.
    std::string Version;
};

// UTF-8 in, UTF-8 out, lines ending in '\n' (a '\r' before a '\n' goes).
std::string MarkdownToPlainText(std::string_view markdown, const TPlainTextOptions& options);
