#pragma once
// A Markdown pipe table as aligned plain-text columns: the header, a rule of
// '-' under each column, then the rows, columns two spaces apart and padded
// to the widest cell in display cells (right or centred where the alignment
// row says so).

#include "tools/readme/DisplayCells.h"

#include <string>
#include <string_view>
#include <vector>

// rows: the table's lines, header and alignment row included. Throws
// EMarkdownError when the second line is no alignment row or a row's cells
// do not match the header's.
std::vector<std::string> PlainTable(const std::vector<std::string_view>& rows, TCellRule rule);
