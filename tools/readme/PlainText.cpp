#include "tools/readme/PlainText.h"

#include "tools/readme/MarkdownError.h"
#include "tools/readme/MarkdownInline.h"
#include "tools/readme/PlainTable.h"

#include <vector>

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

std::size_t Indent(std::string_view line) {
    if (line.find('\t') < line.find_first_not_of(" \t"))
        throw EMarkdownError("a tab in a line's indentation: indent with spaces");
    const std::size_t indent = line.find_first_not_of(' ');
    return indent == std::string_view::npos ? line.size() : indent;
}

bool Blank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view TrimEnd(std::string_view text) {
    const std::size_t last = text.find_last_not_of(" \t");
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

// "![alt](address)" alone on its line.
bool PictureLine(std::string_view body) {
    body = TrimEnd(body);
    const std::size_t middle = body.find("](");
    return body.starts_with("![") && middle != std::string_view::npos && body.ends_with(')') &&
           body.find(')', middle) == body.size() - 1;
}

// A line of three or more '-', '=', '*' or '_' (spaces between allowed): a
// rule, or the underline of a heading in the other heading style.
bool RuleLine(std::string_view body) {
    body = TrimEnd(body);
    if (body.size() < 3 || body.find_first_not_of("-=*_ ") != std::string_view::npos)
        return false;
    return body.find_first_not_of(std::string(1, body.front()) + " ") == std::string_view::npos;
}

// The length of "- ", "* ", "+ ", "12. " or "3) " starting body; 0 for none.
std::size_t ListMarker(std::string_view body) {
    if ((body.starts_with("- ") || body.starts_with("* ") || body.starts_with("+ ")))
        return 2;
    std::size_t digits = 0;
    while (digits < body.size() && digits < 9 && body[digits] >= '0' && body[digits] <= '9')
        ++digits;
    if (digits > 0 && digits + 1 < body.size() && (body[digits] == '.' || body[digits] == ')') &&
        body[digits + 1] == ' ')
        return digits + 2;
    return 0;
}

class TBlockReader {
public:
    TBlockReader(std::string_view markdown, const TPlainTextOptions& options)
        : FLines(SplitLines(markdown)), FOptions(options) {}

    std::string Read() {
        while (FLine < FLines.size()) {
            const std::size_t start = FLine;
            try {
                Block();
            } catch (const EMarkdownError& error) {
                throw EMarkdownError("line " + std::to_string(start + 1) + ": " + error.what());
            }
        }
        std::string text;
        for (const std::string& line : FOut)
            text.append(line).push_back('\n');
        return text;
    }

private:
    std::vector<std::string_view> FLines;
    const TPlainTextOptions& FOptions;
    std::size_t FLine = 0;
    std::vector<std::string> FOut;
    bool FInList = false;
    bool FInCode = false;
    bool FTitled = false;

    bool AfterBlank() const { return FOut.empty() || FOut.back().empty(); }

    void Block() {
        const std::string_view line = FLines[FLine];
        if (Blank(line)) {
            FOut.emplace_back();
            ++FLine;
            return;
        }
        const std::size_t indent = Indent(line);
        if (indent >= 4 && !FInList && (FInCode || AfterBlank())) {
            FInCode = true; // an indented code block: as written
            FOut.emplace_back(TrimEnd(line));
            ++FLine;
            return;
        }
        FInCode = false;
        const std::string_view body = line.substr(indent);
        if (body.starts_with("```") || body.starts_with("~~~"))
            Fence(body.substr(0, 3));
        else if (indent >= 4 || !MarkedBlock(body))
            Text(indent, body);
    }

    // A block its first characters mark (heading, table, picture); false for
    // text. Throws for the marks the plain text has no form for.
    bool MarkedBlock(std::string_view body) {
        if (body.starts_with('#'))
            Heading(body);
        else if (body.starts_with('|'))
            Table();
        else if (PictureLine(body))
            Picture();
        else if (body.starts_with('>'))
            throw EMarkdownError("block quotes (>) are not supported");
        else if (body.starts_with('<') && body.size() > 1 && body[1] != ' ')
            throw EMarkdownError("HTML blocks are not supported");
        else if (RuleLine(body))
            throw EMarkdownError(
                "rules and underlined headings are not supported: use #, ## or ###");
        else
            return false;
        return true;
    }

    void Text(std::size_t indent, std::string_view body) {
        const std::size_t marker = ListMarker(body);
        std::string text(indent, ' ');
        if (marker > 0) {
            FInList = true;
            text += body.front() == '*' || body.front() == '+' ? "- " : body.substr(0, marker);
            body.remove_prefix(marker);
        } else if (indent == 0) {
            FInList = false;
        }
        text += PlainInline(TrimEnd(body));
        FOut.push_back(std::move(text));
        ++FLine;
    }

    void Heading(std::string_view body) {
        const std::size_t level = body.find_first_not_of('#');
        if (level == std::string_view::npos || body[level] != ' ')
            throw EMarkdownError("a heading needs a space after its '#'");
        if (level > 3)
            throw EMarkdownError("headings deeper than ### are not supported");
        std::string_view source = TrimEnd(body.substr(level + 1));
        while (source.ends_with('#'))
            source = TrimEnd(source.substr(0, source.size() - 1));
        std::string text = PlainInline(source);
        if (level == 1 && !FTitled && !FOptions.Version.empty()) {
            const std::size_t word = text.find(' ');
            text.insert(word == std::string::npos ? text.size() : word, " " + FOptions.Version);
            FTitled = true;
        }
        FInList = false;
        ++FLine;
        if (level == 3) {
            FOut.push_back("[" + text + "]");
            return;
        }
        const std::size_t cells = DisplayCells(text, FOptions.Cells);
        FOut.push_back(std::move(text));
        FOut.emplace_back(cells, level == 1 ? '=' : '-');
    }

    void Table() {
        std::vector<std::string_view> rows;
        while (FLine < FLines.size() && !Blank(FLines[FLine]) && Indent(FLines[FLine]) < 4 &&
               FLines[FLine].substr(Indent(FLines[FLine])).starts_with('|'))
            rows.push_back(FLines[FLine++]);
        FInList = false;
        for (std::string& row : PlainTable(rows, FOptions.Cells))
            FOut.push_back(std::move(row));
    }

    // The picture is not in the text: its line goes, and so does the blank
    // line after it when one comes before it, leaving no gap.
    void Picture() {
        ++FLine;
        if (AfterBlank() && FLine < FLines.size() && Blank(FLines[FLine]))
            ++FLine;
    }

    void Fence(std::string_view fence) {
        const std::size_t open = FLine++;
        for (; FLine < FLines.size(); ++FLine) {
            if (TrimEnd(FLines[FLine].substr(Indent(FLines[FLine]))) == fence) {
                ++FLine;
                return;
            }
            FOut.emplace_back(TrimEnd(FLines[FLine]));
        }
        throw EMarkdownError("the code block that starts on line " + std::to_string(open + 1) +
                             " is not closed with " + std::string(fence));
    }
};

} // namespace

std::string MarkdownToPlainText(std::string_view markdown, const TPlainTextOptions& options) {
    return TBlockReader(markdown, options).Read();
}
