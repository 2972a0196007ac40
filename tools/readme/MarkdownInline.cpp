#include "tools/readme/MarkdownInline.h"

#include "tools/readme/MarkdownError.h"

#include <array>
#include <cstring>
#include <utility>

namespace {

bool AsciiPunctuation(char c) {
    return c != '\0' && std::strchr("!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", c) != nullptr;
}

bool AsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool WordByte(char c) {
    return AsciiLetter(c) || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
}

class TInlineReader {
public:
    explicit TInlineReader(std::string_view text) : FText(text) {}

    std::string Read() {
        while (FPos < FText.size())
            Step();
        return FOut;
    }

private:
    std::string_view FText;
    std::size_t FPos = 0;
    std::string FOut;

    char At(std::size_t pos) const { return pos < FText.size() ? FText[pos] : '\0'; }

    void Step() {
        const char c = FText[FPos];
        if (c == '\\')
            Escape();
        else if (c == '`')
            CodeSpan();
        else if (c == '*' || (c == '_' && (FPos == 0 || !WordByte(FText[FPos - 1]))))
            Emphasis(c);
        else if (c == '!' && At(FPos + 1) == '[')
            throw EMarkdownError("a picture inside text: give it a line of its own");
        else if (c == '[')
            Link();
        else if (c == '<')
            Angle();
        else if (c == '&')
            Reference();
        else if (c == '~' && At(FPos + 1) == '~')
            throw EMarkdownError("strikethrough (~~) is not supported");
        else
            FOut += FText[FPos++];
    }

    void Escape() {
        if (AsciiPunctuation(At(FPos + 1))) {
            FOut += FText[FPos + 1];
            FPos += 2;
        } else if (FPos + 1 == FText.size()) {
            ++FPos; // a hard line break: the line ends here anyway
        } else {
            FOut += FText[FPos++];
        }
    }

    void CodeSpan() {
        std::size_t ticks = 0;
        while (At(FPos + ticks) == '`')
            ++ticks;
        const std::string fence(ticks, '`');
        std::size_t close = FText.find(fence, FPos + ticks);
        while (close != std::string_view::npos && At(close + ticks) == '`')
            close = FText.find(fence, FText.find_first_not_of('`', close));
        if (close == std::string_view::npos)
            throw EMarkdownError("a code span (`) is not closed on its line");
        std::string_view code = FText.substr(FPos + ticks, close - FPos - ticks);
        if (code.size() > 2 && code.front() == ' ' && code.back() == ' ' &&
            code.find_first_not_of(' ') != std::string_view::npos)
            code = code.substr(1, code.size() - 2);
        FOut += code;
        FPos = close + ticks;
    }

    // **strong**, *emphasis*, __strong__, _emphasis_: their text.
    void Emphasis(char mark) {
        const std::size_t n = At(FPos + 1) == mark ? 2 : 1;
        const std::string delimiter(n, mark);
        if (At(FPos + n) == ' ' || At(FPos + n) == '\0') { // opens nothing: "2 * 3"
            FOut += delimiter;
            FPos += n;
            return;
        }
        std::size_t close = FText.find(delimiter, FPos + n);
        while (close != std::string_view::npos && At(close - 1) == '\\')
            close = FText.find(delimiter, close + n);
        if (close == std::string_view::npos || close == FPos + n)
            throw EMarkdownError(std::string("an unpaired '") + delimiter +
                                 "': write it as a code span or escape it with '\\'");
        FOut += PlainInline(FText.substr(FPos + n, close - FPos - n));
        FPos = close + n;
    }

    // [text](address): the text, then the address in parentheses unless the
    // text is the address. A bracket that starts no link is text.
    void Link() {
        int depth = 0;
        std::size_t close = FPos;
        for (; close < FText.size(); ++close) {
            if (FText[close] == '\\' || FText[close] == '`') {
                ++close;
                continue;
            }
            depth += FText[close] == '[' ? 1 : FText[close] == ']' ? -1 : 0;
            if (depth == 0)
                break;
        }
        if (close >= FText.size() || (At(close + 1) != '(' && At(close + 1) != '[')) {
            FOut += FText[FPos++];
            return;
        }
        if (At(close + 1) == '[')
            throw EMarkdownError("reference links ([text][name]) are not supported");
        const std::size_t end = FText.find(')', close + 2);
        if (end == std::string_view::npos)
            throw EMarkdownError("a link's address is not closed with ')'");
        const std::string text = PlainInline(FText.substr(FPos + 1, close - FPos - 1));
        std::string_view address = FText.substr(close + 2, end - close - 2);
        address = address.substr(0, address.find(' ')); // without a title
        FOut += text;
        if (text != address)
            FOut.append(" (").append(address).append(")");
        FPos = end + 1;
    }

    // <https://...> is an address; <tag ...> is HTML, which plain text cannot
    // show; any other '<' is text.
    void Angle() {
        const std::size_t close = FText.find('>', FPos);
        const std::string_view inside =
            close == std::string_view::npos ? "" : FText.substr(FPos + 1, close - FPos - 1);
        const std::size_t colon = inside.find(':');
        if (colon != std::string_view::npos && colon > 1 &&
            inside.find(' ') == std::string_view::npos && AsciiLetter(inside.front())) {
            FOut += inside;
            FPos = close + 1;
            return;
        }
        const char next = At(FPos + 1);
        if (AsciiLetter(next) || next == '/' || next == '!' || next == '?')
            throw EMarkdownError("inline HTML is not supported: write '<' as a code span or '\\<'");
        FOut += FText[FPos++];
    }

    void Reference() {
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> EntityNames{{
            {"&amp;", "&"},
            {"&lt;", "<"},
            {"&gt;", ">"},
            {"&quot;", "\""},
            {"&apos;", "'"},
            {"&nbsp;", " "},
        }};
        for (const auto& [name, text] : EntityNames)
            if (FText.substr(FPos).starts_with(name)) {
                FOut += text;
                FPos += name.size();
                return;
            }
        std::size_t end = FPos + 1;
        while (AsciiLetter(At(end)) || At(end) == '#' || (At(end) >= '0' && At(end) <= '9'))
            ++end;
        if (end > FPos + 1 && At(end) == ';')
            throw EMarkdownError("the character reference " +
                                 std::string(FText.substr(FPos, end + 1 - FPos)) +
                                 " is not supported: write the character itself");
        FOut += FText[FPos++];
    }
};

} // namespace

std::string PlainInline(std::string_view markdown) {
    return TInlineReader(markdown).Read();
}
