#include "tools/readme/DisplayCells.h"

#include <array>
#include <utility>

namespace {

// The bytes of the UTF-8 sequence a lead byte starts; 0 for no lead byte.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return (lead & 0xF8) == 0xF0 ? 4 : 0;
}

// One code point of UTF-8 from text[pos], advancing pos; U+FFFD for a
// malformed sequence (one byte).
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = SequenceLength(lead);
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return U'\uFFFD';
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[pos + k]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return U'\uFFFD';
        }
        c = (c << 6) | (next & 0x3F);
    }
    pos += length;
    return c;
}

bool HalfWidthKatakana(char32_t c) {
    return c >= 0xFF61 && c <= 0xFF9F;
}

// East Asian Width W and F, by blocks.
constexpr std::array<std::pair<char32_t, char32_t>, 12> WideRanges{{
    {0x1100, 0x115F},   // Hangul initial consonants
    {0x2E80, 0x303E},   // CJK radicals, ideographic description, CJK punctuation
    {0x3041, 0x33FF},   // kana, bopomofo, Hangul compatibility, kanbun, CJK symbols
    {0x3400, 0x4DBF},   // CJK extension A
    {0x4E00, 0x9FFF},   // CJK ideographs
    {0xA000, 0xA4CF},   // Yi
    {0xAC00, 0xD7A3},   // Hangul syllables
    {0xF900, 0xFAFF},   // CJK compatibility ideographs
    {0xFE30, 0xFE4F},   // CJK compatibility forms
    {0xFF00, 0xFF60},   // full-width forms
    {0xFFE0, 0xFFE6},   // full-width signs
    {0x1F300, 0x3FFFD}, // pictographs and emoji, CJK extensions B and later
}};

bool Combining(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0xFE00 && c <= 0xFE0F);
}

std::size_t UnicodeCells(char32_t c) {
    if (Combining(c))
        return 0;
    for (const auto& [first, last] : WideRanges)
        if (c >= first && c <= last)
            return 2;
    return 1;
}

} // namespace

std::size_t DisplayCells(std::string_view utf8, TCellRule rule) {
    std::size_t cells = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, pos);
        if (rule == TCellRule::CodePage932)
            cells += c < 0x80 || HalfWidthKatakana(c) ? 1 : 2;
        else
            cells += UnicodeCells(c);
    }
    return cells;
}
