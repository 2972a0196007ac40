#pragma once
// The bytes of one INI file, read and edited by the rules of the Windows
// private-profile routines, with no file access of its own.
//
// Reading answers as GetPrivateProfileStringA does under Wine (a test there
// asks both the same questions about thousands of generated files), except
// where Windows is known to differ, as marked:
// - CRLF, CR and LF each end a line; blanks (space, tab, VT, FF, ^Z) around
//   a line, a name, a value and inside "[ name ]" are ignored; names match
//   without regard to ASCII letter case (no other letters fold); a line
//   splits at its first '='; lines before the first section belong to none.
// - A line without '=' is no key (Windows; Wine keeps it as a key without a
//   value, which hides a key of the same name after it).
// - ';' starts no comment for a lookup: "; name=value" is a key that only the
//   name "; name" finds (Windows' documentation says nothing of comments).
// - Only the first section of a name is searched and its first matching key
//   wins (Windows' documentation says nothing of duplicates).
// - An empty name finds nothing (Windows reads the default; Wine finds keys
//   before the first section and keys named "").
// - One pair of matching quotes around a value is removed and a value ends at
//   a NUL, both before any conversion. Values come back whole, however long;
//   the routine cuts them to the caller's buffer.
//
// Encodings: the system converts the whole file to Unicode before it reads
// it, and names and values from and to code page 932 (with best fit, as the
// system converts; posix has '?' instead), and a file is edited in its own
// encoding.
// - A UTF-16 byte order mark (either order) makes a UTF-16 file; an odd last
//   byte is no unit of it (Wine reads past the file's end there).
// - A UTF-8 byte order mark makes a UTF-8 file (Wine; Windows reportedly
//   reads it as code page 932 and loses the first section, which is no sound
//   reading). Each start of a sequence that breaks off reads as one U+FFFD,
//   at the end of the file too (Windows replaces broken sequences and keeps
//   what follows; Wine lets one cut off by the end take the rest of it).
// - Any other file is code page 932: a lead byte takes the byte after it,
//   whatever it is (a line end, '=', ']'), unless that is a NUL; a lead byte
//   no trail byte follows reads as the default character U+30FB; a character
//   the code page codes twice (NEC and IBM extensions) comes back in the code
//   the system writes. Whether Windows' routine hands back a code page 932
//   file's bytes as they are instead is not documented.
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
    // with ';' or '[', a name or value that is not code page 932 text (a lead
    // byte would take the byte after it). Empty if none.
    static std::string WriteProblem(std::string_view section, std::string_view ident,
                                    std::string_view value);

private:
    enum class TLineKind { Blank, Section, Key, Other };
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
    void IndexLine(const TLine& line);
    struct TLineMarks;
    template <typename Unit>
    TLine ScanLine(std::basic_string_view<Unit> text, std::size_t pos) const;
    template <typename Unit>
    TLineMarks MarkLine(std::basic_string_view<Unit> text, std::size_t pos) const;
    template <typename Unit>
    static void ClassifyLine(std::basic_string_view<Unit> text, const TLineMarks& marks,
                             TLine& line);
    template <typename Unit>
    std::size_t Width(std::basic_string_view<Unit> text, std::size_t i) const;
    std::u16string Utf8Units(std::size_t begin, std::size_t end) const;
    bool IsWide() const;
    std::size_t BomSize() const;
    std::size_t UnitCount() const;
    std::string MatchName(std::string_view ansiName) const;
    std::string UnitsMatchName(std::size_t begin, std::size_t end) const;
    std::u16string UnitsUnicodeValue(std::size_t begin, std::size_t end) const;
    std::string UnitsValue(std::size_t begin, std::size_t end) const;
    void Splice(std::size_t begin, std::size_t end, std::initializer_list<std::string_view> pieces);
    const TSection* FindSection(const std::string& name) const;
    const TLine* FindKey(std::string_view section, std::string_view ident) const;

    std::string FBytes;
    TIniEncoding FEncoding = TIniEncoding::Ansi;
    std::u16string FWide; // the text of a UTF-16 file, in native units
    std::vector<TLine> FLines;
    std::vector<TSection> FSections;
};
