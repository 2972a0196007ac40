#include "runtime/FormDescription.h"

#include "runtime/Messages.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace {

[[noreturn]] void Fail(int line, std::string_view what) {
    throw EFormDescriptionError(Messages::FormDescriptionLine(line, what));
}

enum class TTokenKind { End, Name, Number, String, Symbol, Invalid };

struct TToken {
    TTokenKind Kind = TTokenKind::End;
    std::string Text; // Name, Number (as written) and String (unquoted)
    char Symbol = 0;
    int Line = 1;
};

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Splits the text into tokens. Bytes outside the ASCII letters, digits and
// symbols are only meaningful inside strings, where they pass through as they
// are, so the text may be in any code page whose trail bytes never equal a
// quote, CR or LF (code page 932 and UTF-8 both qualify).
class TFormLexer {
public:
    explicit TFormLexer(std::string_view text) : FText(text) {}

    TToken Next() {
        SkipBlanks();
        TToken token;
        token.Line = FLine;
        if (FPos >= FText.size()) {
            return token;
        }
        const char c = FText[FPos];
        if (IsNameStart(c)) {
            token.Kind = TTokenKind::Name;
            token.Text = TakeWhile(IsNameChar);
        } else if (IsDigit(c) || c == '-') {
            // The whole run is taken so that "12ab" or "1.5" reads as one bad
            // number rather than a number followed by something else.
            token.Kind = TTokenKind::Number;
            ++FPos;
            token.Text = c + TakeWhile([](char d) { return IsNameChar(d) || d == '.'; });
        } else if (c == '\'') {
            token.Kind = TTokenKind::String;
            token.Text = TakeQuoted();
        } else if (std::string_view("=:.,[]()+").find(c) != std::string_view::npos) {
            token.Kind = TTokenKind::Symbol;
            token.Symbol = c;
            ++FPos;
        } else {
            token.Kind = TTokenKind::Invalid;
            ++FPos;
        }
        return token;
    }

private:
    void SkipBlanks() {
        while (FPos < FText.size()) {
            const char c = FText[FPos];
            if (c == '\n') {
                ++FLine;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
            ++FPos;
        }
    }

    template <class TPredicate> std::string TakeWhile(TPredicate accept) {
        const std::size_t start = FPos;
        while (FPos < FText.size() && accept(FText[FPos])) {
            ++FPos;
        }
        return std::string(FText.substr(start, FPos - start));
    }

    // FPos is on the opening quote; '' inside stands for one quote.
    std::string TakeQuoted() {
        std::string result;
        ++FPos;
        for (;;) {
            const std::size_t stop = FText.find_first_of("'\r\n", FPos);
            if (stop == std::string_view::npos || FText[stop] != '\'') {
                Fail(FLine, "行の終わりまでに閉じる引用符がありません");
            }
            result.append(FText.substr(FPos, stop - FPos));
            FPos = stop + 1;
            if (FPos < FText.size() && FText[FPos] == '\'') {
                result += '\'';
                ++FPos;
            } else {
                return result;
            }
        }
    }

    std::string_view FText;
    std::size_t FPos = 0;
    int FLine = 1;
};

// Turns the tokens into the tree of objects, one object per 'object'...'end'.
class TFormParser {
public:
    explicit TFormParser(std::string_view text) : FLexer(text) { Advance(); }

    TFormObject ReadDocument() {
        TFormObject top = ReadObject(1);
        if (FToken.Kind != TTokenKind::End) {
            Fail(FToken.Line, "最後の 'end' の後に余分な記述があります");
        }
        return top;
    }

private:
    void Advance() { FToken = FLexer.Next(); }

    bool IsSymbol(char symbol) const {
        return FToken.Kind == TTokenKind::Symbol && FToken.Symbol == symbol;
    }

    bool IsKeyword(std::string_view word) const {
        return FToken.Kind == TTokenKind::Name && FToken.Text == word;
    }

    // Takes a name token that is not a keyword, or fails with what.
    std::string TakeName(std::string_view what) {
        if (FToken.Kind != TTokenKind::Name || IsKeyword("object") || IsKeyword("end")) {
            Fail(FToken.Line, what);
        }
        std::string name = std::move(FToken.Text);
        Advance();
        return name;
    }

    void TakeSymbol(char symbol, std::string_view what) {
        if (!IsSymbol(symbol)) {
            Fail(FToken.Line, what);
        }
        Advance();
    }

    TFormObject ReadObject(int depth) {
        if (!IsKeyword("object")) {
            Fail(FToken.Line, "'object' がありません");
        }
        if (depth > MaxFormNesting) {
            Fail(FToken.Line,
                 "object の入れ子が " + std::to_string(MaxFormNesting) + " 段を超えています");
        }
        TFormObject object;
        object.Line = FToken.Line;
        Advance();
        object.Name = TakeName("'object' の後に名前がありません");
        TakeSymbol(':', "名前の後に ':' がありません");
        object.ClassName = TakeName("':' の後にクラス名がありません");
        for (;;) {
            if (IsKeyword("end")) {
                Advance();
                return object;
            }
            if (IsKeyword("object")) {
                object.Children.push_back(ReadObject(depth + 1));
            } else if (FToken.Kind == TTokenKind::Name) {
                object.Properties.push_back(ReadProperty());
            } else if (FToken.Kind == TTokenKind::End) {
                Fail(FToken.Line, "object " + object.Name + " の 'end' がありません");
            } else {
                Fail(FToken.Line, "プロパティ、'object'、'end' のどれかが必要です");
            }
        }
    }

    TFormProperty ReadProperty() {
        TFormProperty property;
        property.Line = FToken.Line;
        property.Name = std::move(FToken.Text);
        Advance();
        while (IsSymbol('.')) {
            Advance();
            property.Name += '.';
            property.Name += TakeName("'.' の後にプロパティ名がありません");
        }
        TakeSymbol('=', "プロパティ名の後に '=' がありません");
        property.Value = ReadValue();
        return property;
    }

    TFormValue ReadValue() {
        TFormValue value;
        switch (FToken.Kind) {
        case TTokenKind::Number:
            value.Kind = TFormValue::TKind::Integer;
            value.Integer = ToInteger(FToken.Text, FToken.Line);
            Advance();
            break;
        case TTokenKind::String:
            value.Kind = TFormValue::TKind::String;
            value.Text = ReadString();
            break;
        case TTokenKind::Name:
            value.Kind = TFormValue::TKind::Identifier;
            value.Text = TakeName("'=' の後に値がありません");
            break;
        case TTokenKind::Symbol:
            if (FToken.Symbol == '[') {
                value.Kind = TFormValue::TKind::Set;
                value.Items = ReadSet();
                break;
            }
            if (FToken.Symbol == '(') {
                value.Kind = TFormValue::TKind::List;
                value.Items = ReadList();
                break;
            }
            Fail(FToken.Line, "'=' の後に値がありません");
        default:
            Fail(FToken.Line, "'=' の後に値がありません");
        }
        return value;
    }

    // One string, or several joined by '+'.
    std::string ReadString() {
        std::string text = std::move(FToken.Text);
        Advance();
        while (IsSymbol('+')) {
            Advance();
            if (FToken.Kind != TTokenKind::String) {
                Fail(FToken.Line, "'+' の後に文字列がありません");
            }
            text += FToken.Text;
            Advance();
        }
        return text;
    }

    std::vector<std::string> ReadSet() {
        std::vector<std::string> items;
        Advance();
        if (IsSymbol(']')) {
            Advance();
            return items;
        }
        for (;;) {
            items.push_back(TakeName("集合に名前がありません"));
            if (IsSymbol(']')) {
                Advance();
                return items;
            }
            TakeSymbol(',', "集合に ',' か ']' が必要です");
        }
    }

    std::vector<std::string> ReadList() {
        std::vector<std::string> items;
        Advance();
        for (;;) {
            if (IsSymbol(')')) {
                Advance();
                return items;
            }
            if (FToken.Kind != TTokenKind::String) {
                Fail(FToken.Line, "リストに文字列か ')' が必要です");
            }
            items.push_back(ReadString());
        }
    }

    static std::int64_t ToInteger(const std::string& text, int line) {
        const bool negative = text[0] == '-';
        const std::size_t first = negative ? 1 : 0;
        if (first == text.size()) {
            Fail(line, "数値が正しくありません");
        }
        const std::uint64_t limit =
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) +
            (negative ? 1 : 0);
        std::uint64_t magnitude = 0;
        for (std::size_t i = first; i < text.size(); ++i) {
            if (!IsDigit(text[i])) {
                Fail(line, "数値が正しくありません");
            }
            const unsigned digit = static_cast<unsigned>(text[i] - '0');
            if (magnitude > (limit - digit) / 10) {
                Fail(line, "数値が 64 ビットの範囲を超えています");
            }
            magnitude = magnitude * 10 + digit;
        }
        if (negative) {
            // Two's complement negation of the magnitude, defined for -2^63 too.
            return static_cast<std::int64_t>(~magnitude + 1);
        }
        return static_cast<std::int64_t>(magnitude);
    }

    TFormLexer FLexer;
    TToken FToken;
};

} // namespace

const TFormProperty* TFormObject::FindProperty(std::string_view name) const {
    for (const TFormProperty& property : Properties) {
        if (property.Name == name) {
            return &property;
        }
    }
    return nullptr;
}

const TFormObject* TFormObject::FindChild(std::string_view name) const {
    for (const TFormObject& child : Children) {
        if (child.Name == name) {
            return &child;
        }
    }
    return nullptr;
}

TFormObject ParseFormDescription(std::string_view text) {
    return TFormParser(text).ReadDocument();
}
