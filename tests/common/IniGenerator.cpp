// Random INI files (see the header). A file is built as lines of known kinds,
// so that the names it holds are known and can be asked for; the bytes are
// then spelled in the file's encoding. Nothing here depends on the reader
// under test: names are compared as the system compares them, by character
// with ASCII letters folded.

#include "tests/common/IniGenerator.h"

#include "runtime/Utf8.h"

#include <array>
#include <cstdio>

namespace {

// SplitMix64: small, fast and the same on every compiler, unlike the
// distributions of <random>.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : FState(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (FState += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 <= result < n; n > 0.
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
    bool Percent(unsigned p) { return Below(100) < p; }
    template <typename T, std::size_t N> const T& Pick(const std::array<T, N>& items) {
        return items[Below(N)];
    }

private:
    std::uint64_t FState;
};

enum class TEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// A character beyond ASCII: its code page 932 spellings (none for characters
// the code page lacks; a second one where the code page has two codes for
// it) and its other letter case, if the system knows one.
struct TGlyph {
    char32_t Code;
    std::string_view Ansi;
    std::string_view OtherAnsi;
    char32_t Partner;
};

constexpr std::array<TGlyph, 56> Glyphs = {{
    {U'あ', "\x82\xA0", {}, 0},
    {U'ロ', "\x83\x8D", {}, 0},
    {U'グ', "\x83\x4F", {}, 0},
    {U'コ', "\x83\x52", {}, 0},
    {U'メ', "\x83\x81", {}, 0},
    {U'ン', "\x83\x93", {}, 0},
    {U'ト', "\x83\x67", {}, 0},
    {U'日', "\x93\xFA", {}, 0},
    {U'本', "\x96\x7B", {}, 0},
    {U'語', "\x8C\xEA", {}, 0},
    {U'の', "\x82\xCC", {}, 0},
    {U'イ', "\x83\x43", {}, 0},
    {U'ゴ', "\x83\x53", {}, 0},
    {U'ミ', "\x83\x7E", {}, 0},
    // Trail bytes '\', ']' and '[', and trail bytes that are ASCII letters.
    {U'ソ', "\x83\x5C", {}, 0},
    {U'表', "\x95\x5C", {}, 0},
    {U'能', "\x94\x5C", {}, 0},
    {U'十', "\x8F\x5C", {}, 0},
    {U'―', "\x81\x5C", {}, 0},
    {U'ゾ', "\x83\x5D", {}, 0},
    {U'‐', "\x81\x5D", {}, 0},
    {U'ゼ', "\x83\x5B", {}, 0},
    {U'ア', "\x83\x41", {}, 0},
    {U'ヂ', "\x83\x61", {}, 0},
    {U'ァ', "\x83\x40", {}, 0},
    {U'ズ', "\x83\x59", {}, 0},
    // Letters with a case outside ASCII.
    {U'Α', "\x83\x9F", {}, U'α'},
    {U'α', "\x83\xBF", {}, U'Α'},
    {U'Ω', "\x83\xB6", {}, U'ω'},
    {U'ω', "\x83\xD6", {}, U'Ω'},
    {U'Д', "\x84\x44", {}, U'д'},
    {U'д', "\x84\x74", {}, U'Д'},
    {U'Ａ', "\x82\x60", {}, U'ａ'},
    {U'ａ', "\x82\x81", {}, U'Ａ'},
    {U'Ｕ', "\x82\x74", {}, U'ｕ'},
    {U'ｕ', "\x82\x95", {}, U'Ｕ'},
    {U'Ｒ', "\x82\x71", {}, U'ｒ'},
    {U'ｒ', "\x82\x92", {}, U'Ｒ'},
    {U'Ｌ', "\x82\x6B", {}, U'ｌ'},
    {U'ｌ', "\x82\x8C", {}, U'Ｌ'},
    // Half-width katakana, ideographic space, and a circled digit (NEC row 13).
    {U'ｶ', "\xB6", {}, 0},
    {U'ｽ', "\xBD", {}, 0},
    {U'ﾀ', "\xC0", {}, 0},
    {U'ﾑ', "\xD1", {}, 0},
    {U'ﾞ', "\xDE", {}, 0},
    {U'　', "\x81\x40", {}, 0},
    {U'①', "\x87\x40", {}, 0},
    // Characters code page 932 spells twice (NEC and IBM extensions).
    {U'∵', "\x81\xE6", "\x87\x9A", 0},
    {U'≒', "\x81\xE0", "\x87\x90", 0},
    {U'纊', "\xFA\x5C", "\xED\x40", 0},
    {U'ⅰ', "\xFA\x40", "\xEE\xEF", 0},
    {U'Ⅰ', "\x87\x54", "\xFA\x4A", 0},
    {U'￢', "\x81\xCA", "\xEE\xF9", 0},
    {U'№', "\x87\x82", "\xFA\x59", 0},
    // Characters code page 932 lacks.
    {U'é', {}, {}, U'É'},
    {U'É', {}, {}, U'é'},
}};

// Characters code page 932 lacks, for values: best-fit letters, quotes and
// blanks, a surrogate pair, and blanks the routines do not trim.
constexpr std::array<char32_t, 14> WideOnly = {
    U'é', U'É',      U'–',      U'·',      U'€',      U'한',     U'\U0001F600',
    U'„', U'\u02BA', U'\u02BC', U'\u00A0', U'\u2002', U'\u0085', U'\uFEFF'};

const TGlyph* FindGlyph(char32_t code) {
    for (const TGlyph& g : Glyphs)
        if (g.Code == code)
            return &g;
    return nullptr;
}

// How the system compares names: by character, ASCII letters folded.
std::u32string Folded(std::u32string_view text) {
    std::u32string result(text);
    for (char32_t& c : result)
        if (c >= U'A' && c <= U'Z')
            c += U'a' - U'A';
    return result;
}

// The blanks the private-profile routines trim.
constexpr std::array<char32_t, 5> Blanks = {U' ', U'\t', U'\v', U'\f', U'\x1A'};

constexpr std::array<std::u32string_view, 21> SectionNames = {
    U"InternetShortcut",
    U"Log",
    U"InternetShortcut.W",
    U"{000214A0-0000-0000-C000-000000000046}",
    U"MonitoredItem",
    U"S",
    U"s2",
    U"ログ",
    U"表ソ",
    U"ゾ",
    U"a]b",
    U"my section",
    U"a=b",
    U"x;y",
    U"ΑΩ",
    U"Дд",
    U"ＵＲＬ",
    U"ｶｽﾀﾑ",
    U"∵≒",
    U"纊ⅰ",
    U"\"q\""};
constexpr std::array<std::u32string_view, 3> WideSectionNames = {U"café", U"한국", U"\U0001F600"};
constexpr std::array<std::u32string_view, 24> KeyNames = {
    U"URL",       U"UserComment", U"LastVisit", U"IDList", U"HotKey", U"IconFile",
    U"IconIndex", U"Prop3",       U"Modified",  U"k",      U"K2",     U"ア",
    U"ヂ",        U"コメント",    U"ソ表",      U"ΑΩ",     U"Ａｕ",   U"a b",
    U"x[y",       U"[x",          U"q\"",       U"ゾ]",    U"∵",      U"Ⅰ№"};
constexpr std::array<std::u32string_view, 3> WideKeyNames = {U"é", U"–x", U"Kelvin"};
// Names asked for that no line can hold: a line splits at its first '='.
constexpr std::array<std::u32string_view, 4> AbsentNames = {U"a=b", U"URL2", U"missing",
                                                            U"ログイン"};
// Lines without '=' that name no key.
constexpr std::array<std::u32string_view, 5> JunkLines = {U"junk", U"Lorem ipsum", U"---", U"ゴミ",
                                                          U"<html>"};

// Byte sequences that are no text in each encoding.
constexpr std::array<std::string_view, 13> BadAnsi = {
    "\x81", "\x81\x20", "\x9F\x7F", "\x85\x40", "\xEF\x40", "\x81\xAD", "\x80",
    "\xA0", "\xFD",     "\xFE",     "\xFF",     "\xE0\x0D", "\x81\x3D"};
constexpr std::array<std::string_view, 11> BadUtf8 = {"\xE6\x97",
                                                      "\xC3",
                                                      "\xF0\x9F\x98",
                                                      "\xED\xA0\x80",
                                                      "\xC0\xAF",
                                                      "\xFE",
                                                      "\x80",
                                                      "\xF4\x90\x80\x80",
                                                      "\xE0\x80\xAF",
                                                      "\xF8\x88\x80\x80\x80",
                                                      "\xE6\x97\xA5\x80"};

// The text of the file as it is being laid out, spelled in its encoding.
class TBuilder {
public:
    TBuilder(TEncoding encoding, TRandom& random) : FEncoding(encoding), FRandom(random) {}

    TEncoding Encoding() const { return FEncoding; }

    void Put(char32_t c) {
        switch (FEncoding) {
        case TEncoding::Ansi:
            PutAnsi(c);
            break;
        case TEncoding::Utf8:
            PutUtf8(c);
            break;
        case TEncoding::Utf16LE:
        case TEncoding::Utf16BE:
            if (c >= 0x10000) {
                PutUnit(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
                PutUnit(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
            } else {
                PutUnit(static_cast<char16_t>(c));
            }
            break;
        }
    }
    void Put(std::u32string_view text) {
        for (const char32_t c : text)
            Put(c);
    }
    void Blanks(std::size_t most) {
        for (std::size_t n = FRandom.Below(most + 1); n > 0; --n)
            Put(FRandom.Pick(::Blanks));
    }
    // Something that is no text in the file's encoding.
    void Damage() {
        switch (FEncoding) {
        case TEncoding::Ansi:
            FBytes += FRandom.Pick(BadAnsi);
            break;
        case TEncoding::Utf8:
            FBytes += FRandom.Pick(BadUtf8);
            break;
        case TEncoding::Utf16LE:
        case TEncoding::Utf16BE:
            PutUnit(static_cast<char16_t>(FRandom.Percent(50) ? 0xD800 + FRandom.Below(0x400)
                                                              : 0xDC00 + FRandom.Below(0x400)));
            break;
        }
    }
    void Raw(std::string_view bytes) { FBytes += bytes; }
    std::size_t Size() const { return FBytes.size(); }
    void Truncate(std::size_t size) { FBytes.resize(size); }

    // The text with its byte order mark.
    std::string Finish() const {
        switch (FEncoding) {
        case TEncoding::Ansi:
            return FBytes;
        case TEncoding::Utf8:
            return "\xEF\xBB\xBF" + FBytes;
        case TEncoding::Utf16LE:
            return "\xFF\xFE" + FBytes;
        case TEncoding::Utf16BE:
            break;
        }
        return "\xFE\xFF" + FBytes;
    }

private:
    void PutAnsi(char32_t c) {
        if (c < 0x80) {
            FBytes.push_back(static_cast<char>(c));
            return;
        }
        const TGlyph* g = FindGlyph(c);
        if (g == nullptr || g->Ansi.empty()) {
            FBytes.push_back('?');
            return;
        }
        FBytes += !g->OtherAnsi.empty() && FRandom.Percent(50) ? g->OtherAnsi : g->Ansi;
    }
    void PutUtf8(char32_t c) { AppendUtf8(FBytes, c); }
    void PutUnit(char16_t u) {
        const char low = static_cast<char>(u & 0xFF);
        const char high = static_cast<char>(u >> 8);
        FBytes.push_back(FEncoding == TEncoding::Utf16LE ? low : high);
        FBytes.push_back(FEncoding == TEncoding::Utf16LE ? high : low);
    }

    TEncoding FEncoding;
    TRandom& FRandom;
    std::string FBytes;
};

struct TSectionRecord {
    std::u32string Name;
    std::vector<std::u32string> Keys;
    std::vector<std::u32string> CommentKeys; // lines "; name=value"
};

class TGenerator {
public:
    explicit TGenerator(std::uint64_t seed) : FRandom(seed), FText(PickEncoding(), FRandom) {}

    TGeneratedIni Run();

private:
    TEncoding PickEncoding();
    bool Wide() const { return FText.Encoding() != TEncoding::Ansi; }
    std::u32string SectionName();
    std::u32string KeyName();
    std::u32string Variant(std::u32string_view name, bool inFile);
    void LineEnd();
    void Section();
    void BodyLine(TSectionRecord* section);
    void KeyLine(TSectionRecord* section, std::u32string name);
    void Value();
    void ValueText(std::size_t parts);
    void LongText();
    void CommentLine(TSectionRecord* section);
    void LineWithoutEquals(std::u32string_view name);
    void CutOffLine(TSectionRecord& section);
    std::vector<TIniQuestion> Questions();
    std::string Ask(std::u32string_view name);

    TRandom FRandom;
    TBuilder FText;
    int FLineEnds = 0; // 0 CRLF, 1 LF, 2 CR, 3 mixed
    int FLongLines = 0;
    std::size_t FBeforeLineEnd = 0, FAfterLineEnd = 0;
    std::vector<TSectionRecord> FSections;
    std::vector<std::u32string> FWithoutEquals; // folded
};

TEncoding TGenerator::PickEncoding() {
    const std::size_t roll = FRandom.Below(100);
    if (roll < 62)
        return TEncoding::Ansi;
    if (roll < 76)
        return TEncoding::Utf8;
    if (roll < 91)
        return TEncoding::Utf16LE;
    return TEncoding::Utf16BE;
}

std::u32string TGenerator::SectionName() {
    if (Wide() && FRandom.Percent(10))
        return std::u32string(FRandom.Pick(WideSectionNames));
    return std::u32string(FRandom.Pick(SectionNames));
}

std::u32string TGenerator::KeyName() {
    if (Wide() && FRandom.Percent(10))
        return std::u32string(FRandom.Pick(WideKeyNames));
    return std::u32string(FRandom.Pick(KeyNames));
}

// The name in another letter case; in a Unicode file now and then with a
// letter outside ASCII that folds to an ASCII one under Unicode rules
// (KELVIN SIGN, LONG S, dotted and dotless I).
std::u32string TGenerator::Variant(std::u32string_view name, bool inFile) {
    std::u32string result(name);
    const bool lookAlikes = inFile && Wide() && FRandom.Percent(5);
    for (char32_t& c : result) {
        if (lookAlikes && (c == U'k' || c == U'K'))
            c = U'\u212A';
        else if (lookAlikes && (c == U's' || c == U'S'))
            c = U'\u017F';
        else if (lookAlikes && c == U'i')
            c = U'\u0130';
        else if (lookAlikes && c == U'I')
            c = U'\u0131';
        else if (!FRandom.Percent(30))
            continue;
        else if (c >= U'a' && c <= U'z')
            c -= U'a' - U'A';
        else if (c >= U'A' && c <= U'Z')
            c += U'a' - U'A';
        else if (const TGlyph* g = FindGlyph(c); g != nullptr && g->Partner != 0)
            c = g->Partner;
    }
    return result;
}

void TGenerator::LineEnd() {
    FBeforeLineEnd = FText.Size();
    static constexpr std::array<std::u32string_view, 6> mixed = {U"\r\n", U"\n",   U"\r",
                                                                 U"\n\r", U"\r\r", U"\r\n\r\n"};
    switch (FLineEnds) {
    case 0:
        FText.Put(U"\r\n");
        break;
    case 1:
        FText.Put(U"\n");
        break;
    case 2:
        FText.Put(U"\r");
        break;
    default:
        FText.Put(FRandom.Pick(mixed));
        break;
    }
    FAfterLineEnd = FText.Size();
}

TGeneratedIni TGenerator::Run() {
    FLineEnds = static_cast<int>(FRandom.Below(4));
    FLongLines = FRandom.Percent(2) ? 1 : 0;
    if (FText.Encoding() == TEncoding::Ansi && FRandom.Percent(4)) {
        // Binary bytes before the text, starting with a NUL so that they name
        // nothing, or the start of a byte order mark.
        static constexpr std::array<std::string_view, 4> starts = {
            {{"\0", 1}, "\xEF\xBB", "\xFF", "\xFE"}};
        std::string junk(FRandom.Pick(starts));
        for (std::size_t n = junk.size() == 1 ? 4 + FRandom.Below(24) : 0; n > 0; --n) {
            const char c = static_cast<char>(FRandom.Below(256));
            junk.push_back(c == '\r' || c == '\n' ? '\x1B' : c);
        }
        FText.Raw(junk);
        if (FRandom.Percent(50))
            LineEnd();
    }
    for (std::size_t n = FRandom.Percent(25) ? FRandom.Below(4) : 0; n > 0; --n)
        BodyLine(nullptr);
    for (std::size_t n = FRandom.Percent(5) ? 0 : 1 + FRandom.Below(6); n > 0; --n)
        Section();
    if (!FSections.empty() && FRandom.Percent(10))
        CutOffLine(FSections.back());
    else if (FAfterLineEnd == FText.Size() && FRandom.Percent(20))
        FText.Truncate(FBeforeLineEnd); // the last line without its line end
    return {FText.Finish(), Questions()};
}

// A last line without a line end, whose value a character cut off by the
// end of the file ends, now and then before a closing quote.
void TGenerator::CutOffLine(TSectionRecord& section) {
    static constexpr std::array<std::string_view, 4> cutUtf8 = {"\xE6", "\xE6\x97", "\xF0\x9F",
                                                                "\xF0\x9F\x98"};
    std::u32string name = KeyName();
    FText.Put(Variant(name, true));
    FText.Put(U"= \"x");
    switch (FText.Encoding()) {
    case TEncoding::Ansi:
        FText.Raw("\x81");
        break;
    case TEncoding::Utf8:
        FText.Raw(FRandom.Pick(cutUtf8));
        break;
    case TEncoding::Utf16LE:
    case TEncoding::Utf16BE:
        FText.Damage();
        break;
    }
    if (FRandom.Percent(50))
        FText.Put(U'"');
    section.Keys.push_back(std::move(name));
}

void TGenerator::Section() {
    std::u32string name;
    if (!FSections.empty() && FRandom.Percent(20))
        name = FSections[FRandom.Below(FSections.size())].Name; // a duplicate section
    else
        name = SectionName();
    const std::size_t shape = FRandom.Below(100);
    FText.Blanks(shape < 10 ? 3 : 0);
    FText.Put(U'[');
    FText.Blanks(shape >= 10 && shape < 25 ? 3 : 0);
    FText.Put(Variant(name, true));
    if (shape >= 25 && shape < 28) {
        // A NUL ends the name as the routines see it.
        FText.Put(U'\0');
        FText.Put(U"junk");
    }
    FText.Blanks(shape >= 10 && shape < 25 ? 3 : 0);
    FText.Put(U']');
    if (shape >= 28 && shape < 33)
        FText.Put(U" trailing words");
    FText.Blanks(shape < 10 ? 3 : 0);
    LineEnd();
    FSections.push_back({name, {}, {}});
    for (std::size_t n = FRandom.Below(9); n > 0; --n)
        BodyLine(&FSections.back());
}

void TGenerator::BodyLine(TSectionRecord* section) {
    const std::size_t roll = FRandom.Below(100);
    if (roll < 55) {
        KeyLine(section, KeyName());
    } else if (roll < 63 && section != nullptr && !section->Keys.empty()) {
        // A duplicate key, in its own letter case.
        KeyLine(section, section->Keys[FRandom.Below(section->Keys.size())]);
    } else if (roll < 73) {
        CommentLine(section);
    } else if (roll < 83) {
        FText.Blanks(4);
        LineEnd();
    } else if (roll < 88) {
        LineWithoutEquals(KeyName());
    } else if (roll < 95) {
        LineWithoutEquals(FRandom.Pick(JunkLines));
    } else {
        // A header without its ']', which is no header.
        const std::u32string text = U"[" + Variant(SectionName(), true);
        FText.Put(text);
        if (FRandom.Percent(50)) {
            FText.Put(U'=');
            Value();
        } else {
            FWithoutEquals.push_back(Folded(text));
        }
        LineEnd();
    }
}

void TGenerator::KeyLine(TSectionRecord* section, std::u32string name) {
    FText.Blanks(FRandom.Percent(15) ? 3 : 0);
    FText.Put(Variant(name, true));
    if (FRandom.Percent(2)) {
        FText.Put(U'\0');
        FText.Put(U"tail");
    }
    FText.Blanks(FRandom.Percent(20) ? 3 : 0);
    FText.Put(U'=');
    FText.Blanks(FRandom.Percent(20) ? 3 : 0);
    Value();
    FText.Blanks(FRandom.Percent(15) ? 3 : 0);
    LineEnd();
    if (section != nullptr)
        section->Keys.push_back(std::move(name));
}

void TGenerator::Value() {
    const std::size_t roll = FRandom.Below(1000);
    if (roll < 50)
        return;
    if (roll < 250) {
        FText.Put(U"http://example.com/a?b=c&d==e#f");
        return;
    }
    if (roll < 270) {
        FText.Put(U"24/03/15 21:40");
        return;
    }
    if (roll < 400 && FLongLines > 0) {
        LongText();
        return;
    }
    if (roll < 500) {
        // Quotes: matched, mismatched, alone, empty, inside, with blanks.
        static constexpr std::array<char32_t, 2> quotes = {U'"', U'\''};
        const char32_t open = FRandom.Pick(quotes);
        const std::size_t shape = FRandom.Below(6);
        FText.Put(open);
        if (shape == 1)
            return;
        if (shape != 2)
            ValueText(1 + FRandom.Below(3));
        if (shape == 3)
            FText.Put(open == U'"' ? U'\'' : U'"');
        else if (shape == 4) {
            FText.Put(open);
            ValueText(1);
        }
        if (shape != 5)
            FText.Put(open);
        return;
    }
    ValueText(1 + FRandom.Below(6));
}

void TGenerator::ValueText(std::size_t parts) {
    static constexpr std::array<std::u32string_view, 12> words = {
        U"hello",  U"World",  U"日本語のコメント",
        U"ソ表十", U"ゾ]ゼ[", U"アヂ",
        U"ｶｽﾀﾑ",   U"∵≒纊",   U"①№Ⅰ",
        U"a=b",    U";#&",    U"\\"};
    for (; parts > 0; --parts) {
        const std::size_t roll = FRandom.Below(100);
        if (roll < 55) {
            FText.Put(FRandom.Pick(words));
        } else if (roll < 70) {
            FText.Blanks(3);
        } else if (roll < 78) {
            FText.Put(U'　');
        } else if (roll < 88 && Wide()) {
            FText.Put(FRandom.Pick(WideOnly));
        } else if (roll < 94) {
            FText.Damage();
        } else {
            FText.Put(U'\0');
        }
    }
}

// Tens of kilobytes on one line.
void TGenerator::LongText() {
    --FLongLines;
    static constexpr std::array<std::u32string_view, 4> runs = {U"x", U"日本", U"ソ", U"a b"};
    const std::u32string_view run = FRandom.Pick(runs);
    for (std::size_t n = (10000 + FRandom.Below(30000)) / run.size(); n > 0; --n)
        FText.Put(run);
}

void TGenerator::CommentLine(TSectionRecord* section) {
    FText.Blanks(FRandom.Percent(20) ? 2 : 0);
    if (FRandom.Percent(50)) {
        // Looks like a key: the routines keep it as one named "; name".
        std::u32string name = U";";
        if (FRandom.Percent(50))
            name += U' ';
        name += KeyName();
        FText.Put(Variant(name, true));
        FText.Put(U'=');
        Value();
        if (section != nullptr)
            section->CommentKeys.push_back(name);
    } else {
        // Its words name no key, with or without the ';'.
        FText.Put(U';');
        if (FLongLines > 0 && FRandom.Percent(30))
            LongText();
        ValueText(1 + FRandom.Below(3));
    }
    LineEnd();
}

void TGenerator::LineWithoutEquals(std::u32string_view name) {
    FText.Blanks(FRandom.Percent(20) ? 3 : 0);
    const std::u32string text = Variant(name, true);
    FText.Put(text);
    FText.Blanks(FRandom.Percent(20) ? 3 : 0);
    LineEnd();
    FWithoutEquals.push_back(Folded(text));
}

// The name as a caller passes it: code page 932, each character in either
// spelling; a character the code page lacks becomes '?'.
std::string TGenerator::Ask(std::u32string_view name) {
    TBuilder ansi(TEncoding::Ansi, FRandom);
    if (FRandom.Percent(10))
        ansi.Blanks(2);
    ansi.Put(name);
    if (FRandom.Percent(10))
        ansi.Blanks(2);
    return ansi.Finish();
}

std::vector<TIniQuestion> TGenerator::Questions() {
    std::vector<TIniQuestion> result;
    for (std::size_t n = 5 + FRandom.Below(4); n > 0; --n) {
        const std::size_t roll = FRandom.Below(100);
        std::u32string section = SectionName();
        std::u32string ident = KeyName();
        if (!FSections.empty()) {
            const TSectionRecord& s = FSections[FRandom.Below(FSections.size())];
            if (roll < 80)
                section = s.Name;
            if (roll < 55 && !s.Keys.empty())
                ident = s.Keys[FRandom.Below(s.Keys.size())];
            else if (roll < 65 && !s.CommentKeys.empty())
                ident = s.CommentKeys[FRandom.Below(s.CommentKeys.size())];
            else if (roll < 70)
                ident = FRandom.Pick(AbsentNames);
        }
        ident = Variant(ident, false);
        bool hidden = false;
        for (const std::u32string& line : FWithoutEquals)
            hidden = hidden || line == Folded(ident);
        result.push_back({Ask(Variant(section, false)), Ask(ident), hidden});
    }
    return result;
}

} // namespace

TGeneratedIni GenerateIni(std::uint64_t seed) {
    return TGenerator(seed).Run();
}

std::string EscapeBytes(std::string_view bytes, std::size_t limit) {
    const auto escape = [](std::string_view part) {
        std::string out;
        for (const char c : part) {
            const auto b = static_cast<unsigned char>(c);
            if (c == '\r')
                out += "\\r";
            else if (c == '\n')
                out += "\\n";
            else if (c == '\t')
                out += "\\t";
            else if (c == '\0')
                out += "\\0";
            else if (c == '\\')
                out += "\\\\";
            else if (b >= 0x20 && b < 0x7F)
                out.push_back(c);
            else {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", b);
                out += hex;
            }
        }
        return out;
    };
    if (bytes.size() <= limit / 4)
        return escape(bytes);
    const std::size_t keep = limit / 8;
    return escape(bytes.substr(0, keep)) + "...(" + std::to_string(bytes.size() - 2 * keep) +
           " bytes)..." + escape(bytes.substr(bytes.size() - keep));
}
