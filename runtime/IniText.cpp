#include "runtime/IniText.h"

#include "runtime/AnsiText.h"
#include "runtime/CodePage.h"
#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/Utf8.h"

#include <algorithm>
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

template <typename Unit>
std::size_t SkipBlanks(std::basic_string_view<Unit> text, std::size_t begin, std::size_t end) {
    while (begin < end && IsBlank(Code(text[begin])))
        ++begin;
    return begin;
}

// Where the line after the one that ends at end starts: past its CR LF, CR
// or LF.
template <typename Unit>
std::size_t NextLineStart(std::basic_string_view<Unit> text, std::size_t end) {
    if (end == text.size())
        return end;
    return end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(Code(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(Code(s.back())))
        s.remove_suffix(1);
    return s;
}

// The routines hand names and values over as C strings.
template <typename Unit> std::basic_string_view<Unit> CutAtNul(std::basic_string_view<Unit> s) {
    return s.substr(0, s.find(Unit(0)));
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

// Before any conversion to code page 932, which may turn other characters
// into quotes.
template <typename Unit> std::basic_string_view<Unit> Unquote(std::basic_string_view<Unit> value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

// Code page 932 text as the system gives it back after reading the file as
// Unicode: a lead byte that no trail byte follows is the system's default
// character; the conversion also gives a character the code page has two
// codes for (NEC and IBM extensions) in the spelling it prefers.
std::string AsSystemReadsIt(std::string_view bytes) {
    bool ascii = true;
    for (const char c : bytes)
        ascii = ascii && Code(c) < 0x80;
    if (ascii)
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!IsLeadByte(Code(bytes[i]))) {
            text.push_back(bytes[i]);
        } else if (i + 1 < bytes.size() && IsTrailByte(Code(bytes[i + 1]))) {
            text.append(bytes.substr(i++, 2));
        } else {
            text.append("\x81\x45"); // U+30FB
            ++i;
        }
    }
    return Utf16ToAnsi(AnsiToUtf16(text));
}

// How many bytes follow c in a UTF-8 sequence: 0 for a byte that starts none.
unsigned Utf8Following(unsigned c) {
    if (c >= 0xC2 && c <= 0xDF)
        return 1;
    if (c >= 0xE0 && c <= 0xEF)
        return 2;
    if (c >= 0xF0 && c <= 0xF4)
        return 3;
    return 0;
}

// As the system converts: a sequence that breaks off (the end of the text
// too), or is too long for its value, or encodes a surrogate, becomes one
// U+FFFD for the bytes read up to where it failed; a byte that starts none is
// one U+FFFD too.
std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned c = Code(s[i++]);
        const unsigned following = Utf8Following(c);
        if (c < 0x80) {
            out.push_back(static_cast<char16_t>(c));
            continue;
        }
        const auto next = [&]() -> unsigned {
            return i < s.size() && (Code(s[i]) & 0xC0) == 0x80 ? Code(s[i]) & 0x3F : 0x100;
        };
        char32_t cp = c & (0x7F >> (following + 1));
        bool ok = following > 0;
        for (unsigned k = following; ok && k > 0; --k) {
            const unsigned bits = next();
            // A value beyond U+10FFFF fails before its third byte is taken.
            if (bits > 0x3F || (k == 2 && ((cp << 6) | bits) >= (0x110000 >> 6))) {
                ok = false;
                break;
            }
            cp = (cp << 6) | bits;
            ++i;
            // Too long a form, or a surrogate, fails once its byte is taken.
            ok = !(k == 3 && cp < 0x10) &&
                 !(k == 2 && (cp < 0x20 || (cp >= (0xD800 >> 6) && cp <= (0xDFFF >> 6)))) &&
                 !(k == 1 && cp < 0x80);
        }
        if (!ok) {
            out.push_back(u'\xFFFD');
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
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
        AppendUtf8(out, cp);
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
    std::size_t pos = 0;
    while (pos < text.size()) {
        const TLine line = ScanLine(text, pos);
        pos = line.Next;
        IndexLine(line);
    }
}

// Adds the line, and a section or key to the index. A section's last line is
// its last non-blank one, after which a new key goes; lines before the first
// section belong to none.
void TIniText::IndexLine(const TLine& line) {
    const std::size_t index = FLines.size();
    FLines.push_back(line);
    if (line.Kind == TLineKind::Section) {
        FSections.push_back({UnitsMatchName(line.NameBegin, line.NameEnd), index, {}});
    } else if (!FSections.empty() && line.Kind != TLineKind::Blank) {
        FSections.back().LastLine = index;
        if (line.Kind == TLineKind::Key)
            FSections.back().Keys.push_back({UnitsMatchName(line.NameBegin, line.NameEnd), index});
    }
}

// The units the character at i takes as the system reads the text: it
// converts the whole file to Unicode before it looks for line ends, blanks,
// brackets and '=', so none of them counts inside a character. In code page
// 932 a lead byte takes the byte after it, whatever it is, unless that is a
// NUL. (No ASCII byte is part of a UTF-8 character, well-formed or not.)
template <typename Unit>
std::size_t TIniText::Width(std::basic_string_view<Unit> text, std::size_t i) const {
    return FEncoding == TIniEncoding::Ansi && IsLeadByte(Code(text[i])) && i + 1 < text.size() &&
                   text[i + 1] != '\0'
               ? 2
               : 1;
}

// Where a line's characters are, as one pass over them finds: its first
// and last non-blank character, its first '=' and its last ']', and for each
// of these two the end of the non-blank text before it.
struct TIniText::TLineMarks {
    static constexpr std::size_t None = std::string_view::npos;
    std::size_t First = None, Last = 0;
    std::size_t Equals = None, BeforeEquals = 0;
    std::size_t Close = None, BeforeClose = 0;
    std::size_t End = 0; // the line end, or the end of the text
};

// The line from pos, classified.
template <typename Unit>
TIniText::TLine TIniText::ScanLine(std::basic_string_view<Unit> text, std::size_t pos) const {
    const TLineMarks marks = MarkLine(text, pos);
    TLine line;
    line.Begin = pos;
    line.End = marks.End;
    line.Next = NextLineStart(text, marks.End);
    if (marks.First != TLineMarks::None)
        ClassifyLine(text, marks, line);
    return line;
}

template <typename Unit>
TIniText::TLineMarks TIniText::MarkLine(std::basic_string_view<Unit> text, std::size_t pos) const {
    TLineMarks marks;
    marks.Last = marks.BeforeEquals = marks.BeforeClose = pos;
    std::size_t i = pos;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') {
        const std::size_t width = Width(text, i);
        if (width == 1 && text[i] == '=' && marks.Equals == TLineMarks::None) {
            marks.Equals = i;
            marks.BeforeEquals = marks.Last;
        }
        if (width == 1 && text[i] == ']') {
            marks.Close = i;
            marks.BeforeClose = marks.Last;
        }
        if (width > 1 || !IsBlank(Code(text[i]))) {
            if (marks.First == TLineMarks::None)
                marks.First = i;
            marks.Last = i + width;
        }
        i += width;
    }
    marks.End = i;
    return marks;
}

// A line with some non-blank text: a section "[name]" (the last ']' closes
// the name), a key "name=value", or other text. Names and values start at
// their first non-blank character.
template <typename Unit>
void TIniText::ClassifyLine(std::basic_string_view<Unit> text, const TLineMarks& marks,
                            TLine& line) {
    line.Kind = TLineKind::Other;
    if (text[marks.First] == '[' && marks.Close != TLineMarks::None) {
        line.Kind = TLineKind::Section;
        line.NameBegin = marks.First + 1;
        line.NameEnd = std::max(marks.BeforeClose, line.NameBegin);
    } else if (marks.Equals != TLineMarks::None) {
        line.Kind = TLineKind::Key;
        line.NameBegin = marks.First;
        line.NameEnd = std::max(marks.BeforeEquals, marks.First);
        line.ValueBegin = marks.Equals + 1;
        line.ValueEnd = marks.Last;
    } else {
        return;
    }
    line.NameBegin = SkipBlanks(text, line.NameBegin, line.NameEnd);
    line.ValueBegin = SkipBlanks(text, line.ValueBegin, line.ValueEnd);
}

std::string TIniText::UnitsMatchName(std::size_t begin, std::size_t end) const {
    switch (FEncoding) {
    case TIniEncoding::Ansi:
        return AnsiLowerCase(
            AsSystemReadsIt(CutAtNul(std::string_view(FBytes).substr(begin, end - begin))));
    case TIniEncoding::Utf8:
        return FoldAscii(Utf16ToUtf8(CutAtNul<char16_t>(Utf8Units(begin, end))));
    case TIniEncoding::Utf16LE:
    case TIniEncoding::Utf16BE:
        break;
    }
    return FoldAscii(
        CutAtNul<char>(Utf16ToUtf8(std::u16string_view(FWide).substr(begin, end - begin))));
}

std::string TIniText::MatchName(std::string_view ansiName) const {
    if (FEncoding == TIniEncoding::Ansi)
        return AnsiLowerCase(AsSystemReadsIt(ansiName));
    return FoldAscii(Utf16ToUtf8(AnsiToUtf16(ansiName)));
}

// The UTF-8 text from begin to end as the system converts it.
std::u16string TIniText::Utf8Units(std::size_t begin, std::size_t end) const {
    return Utf8ToUtf16(std::string_view(FBytes).substr(BomSize() + begin, end - begin));
}

// The value of a Unicode file as the routines take it, before they convert
// it to code page 932: up to a NUL, without one pair of quotes around it.
std::u16string TIniText::UnitsUnicodeValue(std::size_t begin, std::size_t end) const {
    if (FEncoding == TIniEncoding::Utf8)
        return std::u16string(Unquote<char16_t>(CutAtNul<char16_t>(Utf8Units(begin, end))));
    return std::u16string(Unquote(CutAtNul(std::u16string_view(FWide).substr(begin, end - begin))));
}

// The value as the routines return it: up to a NUL, without one pair of
// quotes around it, in code page 932.
std::string TIniText::UnitsValue(std::size_t begin, std::size_t end) const {
    if (FEncoding == TIniEncoding::Ansi)
        return std::string(Unquote<char>(
            AsSystemReadsIt(CutAtNul(std::string_view(FBytes).substr(begin, end - begin)))));
    return Utf16ToAnsi(UnitsUnicodeValue(begin, end));
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
    return UnitsValue(line->ValueBegin, line->ValueEnd);
}

std::optional<std::u16string> TIniText::FindUnicode(std::string_view section,
                                                    std::string_view ident) const {
    if (FEncoding == TIniEncoding::Ansi)
        return std::nullopt;
    const TLine* line = FindKey(section, ident);
    if (line == nullptr)
        return std::nullopt;
    return UnitsUnicodeValue(line->ValueBegin, line->ValueEnd);
}

std::string TIniText::WriteProblem(std::string_view section, std::string_view ident,
                                   std::string_view value) {
    constexpr std::string_view breaks("\r\n\0", 3);
    if (section.find_first_of(breaks) != std::string_view::npos ||
        ident.find_first_of(breaks) != std::string_view::npos ||
        value.find_first_of(breaks) != std::string_view::npos)
        return Messages::IniLineBreakOrNul();
    section = Trim(section);
    ident = Trim(ident);
    if (section.empty())
        return Messages::IniSectionNameEmpty();
    if (ident.empty())
        return Messages::IniKeyNameEmpty();
    if (ident.find('=') != std::string_view::npos)
        return Messages::IniKeyNameWithEquals();
    if (ident.front() == ';' || ident.front() == '[')
        return Messages::IniKeyNameStart();
    if (!IsCodePageText(section) || !IsCodePageText(ident))
        return Messages::IniNameNotCodePage();
    if (!IsCodePageText(value))
        return Messages::IniValueNotCodePage();
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
