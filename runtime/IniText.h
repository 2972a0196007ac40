#pragma once
// The bytes of one INI file, read and edited by the rules of the Windows
// private-profile routines, with no file access of its own.
//
// Reading: CRLF, CR and LF each end a line; blanks (space, tab, VT, FF, ^Z)
// around a line, a name, a value and inside "[ name ]" are ignored; names
// match without regard to ASCII letter case; a line splits at its first '=';
// a line without '=' is no key; a line starting with ';' is a comment; only
// the first section of a name is searched and its first matching key wins;
// lines before the first section belong to none; one pair of matching quotes
// around a value is removed; a value ends at a NUL byte. Values come back
// whole, however long.
//
// Encodings: a file that starts with a UTF-16 byte order mark (either order)
// or a UTF-8 one is text in that encoding, converted to and from code page
// 932 for names and values and edited in its own encoding; any other file is
// code page 932 bytes, taken as they are.
//
// Writing changes one line or adds one and keeps every other byte. A new key
// goes after the last non-blank line of its section, a new section at the end
// of the file with no blank line before it; a file that does not end in a
// line end gets CRLF first. New lines end in CRLF, so a new file is exactly
// "[Section]\r\nkey=value\r\n".

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TIniEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

class TIniText {
public:
    // An empty file, as a missing file reads.
    TIniText() = default;
    explicit TIniText(std::string bytes);

    // The file as it stands, after any writes.
    const std::string& Bytes() const { return FBytes; }
    TIniEncoding Encoding() const { return FEncoding; }

    // The value of the first key ident in the first section named section,
    // or nothing when there is none (or either name is empty).
    std::optional<std::string> Find(std::string_view section, std::string_view ident) const;
    // The same value as UTF-16, before any conversion to code page 932, for
    // a UTF-16 or UTF-8 file; nothing for a code page 932 file.
    std::optional<std::u16string> FindUnicode(std::string_view section,
                                              std::string_view ident) const;

    // Sets ident in section to value, as described above. Raises
    // EIniFileException with IniWriteProblem's text for names or a value that
    // the file cannot hold.
    void Write(std::string_view section, std::string_view ident, std::string_view value);

    // What keeps a write from being stored so that it reads back: a line
    // break or NUL anywhere, an empty name, a key name with '=' or starting
    // with ';' or '[', a name that is not code page 932 text. Empty if none.
    static std::string WriteProblem(std::string_view section, std::string_view ident,
                                    std::string_view value);

private:
    enum class TLineKind { Blank, Comment, Section, Key, Other };
    // Positions are in code units of the text after the byte order mark.
    struct TLine {
        std::size_t Begin = 0, End = 0, Next = 0;
        TLineKind Kind = TLineKind::Blank;
        std::size_t NameBegin = 0, NameEnd = 0, ValueBegin = 0, ValueEnd = 0;
    };
    struct TKey {
        std::string Name;
        std::size_t Line;
    };
    struct TSection {
        std::string Name;
        std::size_t LastLine;
        std::vector<TKey> Keys;
    };

    void Parse();
    template <typename Unit> void ParseUnits(std::basic_string_view<Unit> text);
    bool IsWide() const;
    std::size_t BomSize() const;
    std::size_t UnitCount() const;
    std::string MatchName(std::string_view ansiName) const;
    std::string UnitsMatchName(std::size_t begin, std::size_t end) const;
    std::string UnitsToAnsi(std::size_t begin, std::size_t end) const;
    void Splice(std::size_t begin, std::size_t end, std::initializer_list<std::string_view> pieces);
    const TSection* FindSection(const std::string& name) const;
    const TLine* FindKey(std::string_view section, std::string_view ident) const;

    std::string FBytes;
    TIniEncoding FEncoding = TIniEncoding::Ansi;
    std::u16string FWide; // the text of a UTF-16 file, in native units
    std::vector<TLine> FLines;
    std::vector<TSection> FSections;
};
