#include "runtime/IniText.h"

#include "runtime/AnsiText.h"
#include "runtime/CodePage.h"
#include "runtime/Exception.h"

#include <utility>

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LEBom = "\xFF\xFE";
constexpr std::string_view Utf16BEBom = "\xFE\xFF";

unsigned Code(char c) {
    return static_cast<unsigned char>(c);
}
unsigned Code(char16_t c) {
    return c;
}

// The blanks the Windows routines trim; U+3000 and the like are not among them.
bool IsBlank(unsigned c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(Code(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(Code(s.back())))
        s.remove_suffix(1);
    return s;
}

// The routines hand names and values over as C strings.
std::string_view CutAtNul(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

bool IsCodePageText(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (!IsLeadByte(Code(s[i])))
            continue;
        if (i + 1 >= s.size() || !IsTrailByte(Code(s[i + 1])))
            return false;
        ++i;
    }
    return true;
}

// For UTF-8 text, where no byte of a multi-byte character is ASCII.
std::string FoldAscii(std::string_view s) {
    std::string result;
    result.reserve(s.size());
    for (const char c : s)
        result.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c);
    return result;
}

template <typename Char> std::basic_string<Char> Unquote(std::basic_string_view<Char> value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::basic_string<Char>(value);
}

// Each byte that does not start a well-formed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned c = Code(s[i]);
        unsigned need = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (c < 0x80) {
            out.push_back(static_cast<char16_t>(c));
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            need = 1, cp = c & 0x1F, min = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            need = 2, cp = c & 0x0F, min = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            need = 3, cp = c & 0x07, min = 0x10000;
        }
        bool ok = need > 0;
        for (unsigned k = 1; ok && k <= need; ++k) {
            if (i + k >= s.size() || (Code(s[i + k]) & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (Code(s[i + k]) & 0x3F);
        }
        if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
            ok = false;
        if (!ok) {
            out.push_back(u'\xFFFD');
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += need + 1;
    }
    return out;
}

// An unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

} // namespace

TIniText::TIniText(std::string bytes) : FBytes(std::move(bytes)) {
    const std::string_view b = FBytes;
    if (b.starts_with(Utf16LEBom))
        FEncoding = TIniEncoding::Utf16LE;
    else if (b.starts_with(Utf16BEBom))
        FEncoding = TIniEncoding::Utf16BE;
    else if (b.starts_with(Utf8Bom))
        FEncoding = TIniEncoding::Utf8;
    Parse();
}

bool TIniText::IsWide() const {
    return FEncoding == TIniEncoding::Utf16LE || FEncoding == TIniEncoding::Utf16BE;
}

std::size_t TIniText::BomSize() const {
    switch (FEncoding) {
    case TIniEncoding::Utf8:
        return Utf8Bom.size();
    case TIniEncoding::Utf16LE:
    case TIniEncoding::Utf16BE:
        return Utf16LEBom.size();
    case TIniEncoding::Ansi:
        break;
    }
    return 0;
}

std::size_t TIniText::UnitCount() const {
    return IsWide() ? FWide.size() : FBytes.size() - BomSize();
}

void TIniText::Parse() {
    FLines.clear();
    FSections.clear();
    FWide.clear();
    if (IsWide()) {
        const bool little = FEncoding == TIniEncoding::Utf16LE;
        FWide.reserve(FBytes.size() / 2);
        for (std::size_t i = BomSize(); i + 1 < FBytes.size(); i += 2) {
            const unsigned first = Code(FBytes[i]);
            const unsigned second = Code(FBytes[i + 1]);
            FWide.push_back(
                static_cast<char16_t>(little ? first | second << 8 : first << 8 | second));
        }
        ParseUnits<char16_t>(FWide);
    } else {
        ParseUnits<char>(std::string_view(FBytes).substr(BomSize()));
    }
}

template <typename Unit> void TIniText::ParseUnits(std::basic_string_view<Unit> text) {
    const bool doubleByte = FEncoding == TIniEncoding::Ansi;
    const std::size_t n = text.size();
    std::size_t pos = 0;
    while (pos < n) {
        TLine line;
        line.Begin = pos;
        std::size_t e = pos;
        while (e < n && text[e] != '\r' && text[e] != '\n')
            ++e;
        line.End = e;
        if (e < n)
            e += (text[e] == '\r' && e + 1 < n && text[e + 1] == '\n') ? 2 : 1;
        line.Next = pos = e;

        std::size_t b = line.Begin;
        std::size_t t = line.End;
        while (b < t && IsBlank(Code(text[b])))
            ++b;
        while (t > b && IsBlank(Code(text[t - 1])))
            --t;
        if (b == t) {
            line.Kind = TLineKind::Blank;
        } else if (text[b] == ';') {
            line.Kind = TLineKind::Comment;
        } else {
            line.Kind = TLineKind::Other;
            if (text[b] == '[') {
                // The last ']' closes the name; a trail byte 0x5D is none.
                std::size_t close = t;
                for (std::size_t i = b + 1; i < t; ++i) {
                    if (doubleByte && IsLeadByte(Code(text[i])) && i + 1 < t)
                        ++i;
                    else if (text[i] == ']')
                        close = i;
                }
                if (close != t) {
                    line.Kind = TLineKind::Section;
                    line.NameBegin = b + 1;
                    line.NameEnd = close;
                }
            }
            if (line.Kind == TLineKind::Other) {
                std::size_t eq = b;
                while (eq < t && text[eq] != '=')
                    ++eq;
                if (eq < t) {
                    line.Kind = TLineKind::Key;
                    line.NameBegin = b;
                    line.NameEnd = eq;
                    line.ValueBegin = eq + 1;
                    line.ValueEnd = t;
                }
            }
            if (line.Kind == TLineKind::Section || line.Kind == TLineKind::Key) {
                while (line.NameBegin < line.NameEnd && IsBlank(Code(text[line.NameBegin])))
                    ++line.NameBegin;
                while (line.NameEnd > line.NameBegin && IsBlank(Code(text[line.NameEnd - 1])))
                    --line.NameEnd;
                while (line.ValueBegin < line.ValueEnd && IsBlank(Code(text[line.ValueBegin])))
                    ++line.ValueBegin;
            }
        }

        const std::size_t index = FLines.size();
        FLines.push_back(line);
        if (line.Kind == TLineKind::Section) {
            FSections.push_back({UnitsMatchName(line.NameBegin, line.NameEnd), index, {}});
        } else if (!FSections.empty() && line.Kind != TLineKind::Blank) {
            FSections.back().LastLine = index;
            if (line.Kind == TLineKind::Key)
                FSections.back().Keys.push_back(
                    {UnitsMatchName(line.NameBegin, line.NameEnd), index});
        }
    }
}

std::string TIniText::UnitsMatchName(std::size_t begin, std::size_t end) const {
    switch (FEncoding) {
    case TIniEncoding::Ansi:
        return AnsiLowerCase(CutAtNul(std::string_view(FBytes).substr(begin, end - begin)));
    case TIniEncoding::Utf8:
        return FoldAscii(CutAtNul(std::string_view(FBytes).substr(BomSize() + begin, end - begin)));
    case TIniEncoding::Utf16LE:
    case TIniEncoding::Utf16BE:
        break;
    }
    return FoldAscii(CutAtNul(Utf16ToUtf8(std::u16string_view(FWide).substr(begin, end - begin))));
}

std::string TIniText::MatchName(std::string_view ansiName) const {
    if (FEncoding == TIniEncoding::Ansi)
        return AnsiLowerCase(ansiName);
    return FoldAscii(Utf16ToUtf8(AnsiToUtf16(ansiName)));
}

std::string TIniText::UnitsToAnsi(std::size_t begin, std::size_t end) const {
    switch (FEncoding) {
    case TIniEncoding::Ansi:
        return FBytes.substr(begin, end - begin);
    case TIniEncoding::Utf8:
        return Utf16ToAnsi(
            Utf8ToUtf16(std::string_view(FBytes).substr(BomSize() + begin, end - begin)));
    case TIniEncoding::Utf16LE:
    case TIniEncoding::Utf16BE:
        break;
    }
    return Utf16ToAnsi(std::u16string_view(FWide).substr(begin, end - begin));
}

const TIniText::TSection* TIniText::FindSection(const std::string& name) const {
    for (const TSection& section : FSections)
        if (section.Name == name)
            return &section;
    return nullptr;
}

const TIniText::TLine* TIniText::FindKey(std::string_view section, std::string_view ident) const {
    section = Trim(CutAtNul(section));
    ident = Trim(CutAtNul(ident));
    if (section.empty() || ident.empty())
        return nullptr;
    const TSection* found = FindSection(MatchName(section));
    if (found == nullptr)
        return nullptr;
    const std::string name = MatchName(ident);
    for (const TKey& key : found->Keys)
        if (key.Name == name)
            return &FLines[key.Line];
    return nullptr;
}

std::optional<std::string> TIniText::Find(std::string_view section, std::string_view ident) const {
    const TLine* line = FindKey(section, ident);
    if (line == nullptr)
        return std::nullopt;
    const std::string value = UnitsToAnsi(line->ValueBegin, line->ValueEnd);
    return Unquote(CutAtNul(value));
}

std::optional<std::u16string> TIniText::FindUnicode(std::string_view section,
                                                    std::string_view ident) const {
    if (FEncoding == TIniEncoding::Ansi)
        return std::nullopt;
    const TLine* line = FindKey(section, ident);
    if (line == nullptr)
        return std::nullopt;
    const std::size_t length = line->ValueEnd - line->ValueBegin;
    const std::u16string value =
        FEncoding == TIniEncoding::Utf8
            ? Utf8ToUtf16(std::string_view(FBytes).substr(BomSize() + line->ValueBegin, length))
            : FWide.substr(line->ValueBegin, length);
    const std::u16string_view whole(value);
    return Unquote(whole.substr(0, whole.find(u'\0')));
}

std::string TIniText::WriteProblem(std::string_view section, std::string_view ident,
                                   std::string_view value) {
    constexpr std::string_view breaks("\r\n\0", 3);
    if (section.find_first_of(breaks) != std::string_view::npos ||
        ident.find_first_of(breaks) != std::string_view::npos ||
        value.find_first_of(breaks) != std::string_view::npos)
        return "a line break or NUL byte cannot be stored in an INI file";
    section = Trim(section);
    ident = Trim(ident);
    if (section.empty())
        return "the section name is empty";
    if (ident.empty())
        return "the key name is empty";
    if (ident.find('=') != std::string_view::npos)
        return "a key name cannot contain '='";
    if (ident.front() == ';' || ident.front() == '[')
        return "a key name cannot start with ';' or '['";
    if (!IsCodePageText(section) || !IsCodePageText(ident))
        return "a section or key name is not code page 932 text";
    return {};
}

void TIniText::Write(std::string_view section, std::string_view ident, std::string_view value) {
    if (std::string problem = WriteProblem(section, ident, value); !problem.empty())
        throw EIniFileException(problem);
    section = Trim(section);
    ident = Trim(ident);

    if (const TSection* found = FindSection(MatchName(section))) {
        const std::string name = MatchName(ident);
        for (const TKey& key : found->Keys) {
            if (key.Name == name) {
                const TLine& line = FLines[key.Line];
                Splice(line.ValueBegin, line.End, {value});
                return;
            }
        }
        const TLine& last = FLines[found->LastLine];
        if (last.Next == last.End)
            Splice(last.End, last.End, {"\r\n", ident, "=", value, "\r\n"});
        else
            Splice(last.Next, last.Next, {ident, "=", value, "\r\n"});
        return;
    }

    const bool needsLineEnd = !FLines.empty() && FLines.back().Next == FLines.back().End;
    const std::size_t end = UnitCount();
    Splice(end, end,
           {needsLineEnd ? "\r\n" : "", "[", section, "]\r\n", ident, "=", value, "\r\n"});
}

void TIniText::Splice(std::size_t begin, std::size_t end,
                      std::initializer_list<std::string_view> pieces) {
    // Each piece is converted on its own, so that a name or value that is not
    // code page 932 text cannot take the bracket or line end after it into a
    // double-byte character.
    std::string ansi;
    std::u16string wide;
    for (const std::string_view piece : pieces) {
        if (FEncoding == TIniEncoding::Ansi)
            ansi += piece;
        else
            wide += AnsiToUtf16(piece);
    }
    switch (FEncoding) {
    case TIniEncoding::Ansi:
        FBytes.replace(begin, end - begin, ansi);
        break;
    case TIniEncoding::Utf8:
        FBytes.replace(BomSize() + begin, end - begin, Utf16ToUtf8(wide));
        break;
    case TIniEncoding::Utf16LE:
    case TIniEncoding::Utf16BE: {
        // An odd last byte is no unit of the text; it stays at the end.
        const bool oddTail = (FBytes.size() - BomSize()) % 2 != 0;
        const char tail = oddTail ? FBytes.back() : '\0';
        FWide.replace(begin, end - begin, wide);
        const bool little = FEncoding == TIniEncoding::Utf16LE;
        std::string bytes(little ? Utf16LEBom : Utf16BEBom);
        bytes.reserve(bytes.size() + FWide.size() * 2 + 1);
        for (const char16_t u : FWide) {
            const char low = static_cast<char>(u & 0xFF);
            const char high = static_cast<char>(u >> 8);
            bytes.push_back(little ? low : high);
            bytes.push_back(little ? high : low);
        }
        if (oddTail)
            bytes.push_back(tail);
        FBytes = std::move(bytes);
        break;
    }
    }
    Parse();
}
