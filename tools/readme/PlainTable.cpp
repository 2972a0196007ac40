#include "tools/readme/PlainTable.h"

#include "tools/readme/MarkdownError.h"
#include "tools/readme/MarkdownInline.h"

#include <algorithm>

namespace {

enum class TAlign { Left, Right, Centre };

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The cells of "| a | b |" (outer pipes optional); a '|' inside a code span
// does not split, and "\|" is a '|' even there.
std::vector<std::string> SplitCells(std::string_view row) {
    row = Trim(row);
    if (row.starts_with('|'))
        row.remove_prefix(1);
    if (row.ends_with('|') && !row.ends_with("\\|"))
        row.remove_suffix(1);
    std::vector<std::string> cells(1);
    bool inCode = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (row[i] == '\\' && i + 1 < row.size() && row[i + 1] == '|') {
            cells.back() += '|';
            ++i;
        } else if (row[i] == '|' && !inCode) {
            cells.emplace_back();
        } else {
            inCode = inCode != (row[i] == '`');
            cells.back() += row[i];
        }
    }
    for (std::string& cell : cells)
        cell = Trim(cell);
    return cells;
}

std::vector<TAlign> Alignments(std::string_view row) {
    std::vector<TAlign> aligns;
    for (const std::string& cell : SplitCells(row)) {
        const std::string_view dashes = Trim(cell);
        const bool left = dashes.starts_with(':');
        const bool right = dashes.ends_with(':');
        const std::string_view inner =
            dashes.substr(left ? 1 : 0, dashes.size() - (left ? 1 : 0) - (right ? 1 : 0));
        if (inner.empty() || inner.find_first_not_of('-') != std::string_view::npos)
            throw EMarkdownError("a table's second line must be its alignment row (|---|---|)");
        aligns.push_back(left && right ? TAlign::Centre : right ? TAlign::Right : TAlign::Left);
    }
    return aligns;
}

std::string Pad(const std::string& text, std::size_t cells, std::size_t width, TAlign align) {
    const std::size_t gap = width - cells;
    const std::size_t before = align == TAlign::Right ? gap : align == TAlign::Centre ? gap / 2 : 0;
    return std::string(before, ' ') + text + std::string(gap - before, ' ');
}

std::string JoinRow(const std::vector<std::string>& cells, const std::vector<std::size_t>& widths,
                    const std::vector<TAlign>& aligns, TCellRule rule) {
    std::string line;
    for (std::size_t col = 0; col < cells.size(); ++col) {
        if (col > 0)
            line += "  ";
        line += Pad(cells[col], DisplayCells(cells[col], rule), widths[col], aligns[col]);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

} // namespace

std::vector<std::string> PlainTable(const std::vector<std::string_view>& rows, TCellRule rule) {
    if (rows.size() < 2)
        throw EMarkdownError("a table needs a header and an alignment row (|---|---|)");
    const std::vector<TAlign> aligns = Alignments(rows[1]);
    std::vector<std::vector<std::string>> table;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 1)
            continue;
        std::vector<std::string> cells = SplitCells(rows[i]);
        if (cells.size() != aligns.size())
            throw EMarkdownError("a table row has " + std::to_string(cells.size()) +
                                 " cells, its alignment row " + std::to_string(aligns.size()) +
                                 ": " + std::string(rows[i]));
        for (std::string& cell : cells)
            cell = PlainInline(cell);
        table.push_back(std::move(cells));
    }
    std::vector<std::size_t> widths(aligns.size(), 0);
    for (const std::vector<std::string>& cells : table)
        for (std::size_t col = 0; col < cells.size(); ++col)
            widths[col] = std::max(widths[col], DisplayCells(cells[col], rule));

    std::vector<std::string> lines{JoinRow(table.front(), widths, aligns, rule)};
    std::vector<std::string> dashes;
    dashes.reserve(widths.size());
    for (const std::size_t width : widths)
        dashes.emplace_back(width, '-');
    lines.push_back(JoinRow(dashes, widths, aligns, TCellRule::Unicode));
    for (std::size_t i = 1; i < table.size(); ++i)
        lines.push_back(JoinRow(table[i], widths, aligns, rule));
    return lines;
}
