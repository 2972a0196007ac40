#include "tests/ini/IniReadCases.h"

#include "tests/ini/IniTestFiles.h"

#include <ostream>

using namespace std::string_literals;

namespace {

const std::string Shortcut = "[{000214A0-0000-0000-C000-000000000046}]\r\n"
                             "Prop3=19,2\r\n"
                             "[InternetShortcut]\r\n"
                             "IDList=\r\n"
                             "URL=http://example.com/a?b=c&d==e#f \r\n"
                             "HotKey=0\r\n"
                             "[Log]\r\n"
                             "UserComment=日本語のコメント\r\n"
                             "LastVisit=01/02/03 04:05\r\n";

std::vector<TIniReadCase> MakeCases() {
    const std::string longValue = std::string(70000, 'x') + "日本" + std::string(70000, 'y');
    std::vector<TIniReadCase> c = {
        {"TypicalShortcutUrl", Shortcut, "InternetShortcut", "URL",
         "http://example.com/a?b=c&d==e#f"},
        {"TypicalShortcutComment", Shortcut, "Log", "UserComment", "日本語のコメント"},
        {"PropertySetSection", Shortcut, "{000214A0-0000-0000-C000-000000000046}", "prop3", "19,2"},
        {"EmptyValueIsPresent", Shortcut, "InternetShortcut", "IDList", ""},
        {"NamesIgnoreCase", "[InternetShortcut]\r\nURL=u\r\n", "internetSHORTCUT", "url", "u"},
        {"LfLines", "[S]\na=1\nk=v\n", "S", "k", "v"},
        {"CrLines", "[S]\ra=1\rk=v\r", "S", "k", "v"},
        {"MixedAndDoubledLineEnds", "[S]\n\r\r\n\ra=1\n\rk=v", "S", "k", "v"},
        {"BlanksTrimmed", "  [ Log ]  \r\n\t UserComment \t=\t hello  world \t\r\n", "Log",
         "UserComment", "hello  world"},
        {"ControlBlanksTrimmed", "[S]\r\nk=\x0B\x0C\x1Av\x1A\r\n", "S", "k", "v"},
        {"IdeographicSpaceKept", "[S]\r\nk=\x81\x40v\x81\x40\r\n", "S", "k", "\x81\x40v\x81\x40"},
        {"RequestedNamesTrimmed", "[S]\r\nk=v\r\n", " S\t", " k ", "v"},
        {"SplitAtFirstEquals", "[S]\r\nk = a=b==c\r\n", "S", "k", "a=b==c"},
        {"DoubleQuotesRemoved", "[S]\r\nk=\"quoted \"\r\n", "S", "k", "quoted "},
        {"SingleQuotesRemoved", "[S]\r\nk= 'q' \r\n", "S", "k", "q"},
        {"UnmatchedQuotesKept", "[S]\r\nk=\"q'\r\n", "S", "k", "\"q'"},
        {"LoneQuoteKept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
        {"EmptyQuotes", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
        {"OnlyOuterQuotesRemoved", "[S]\r\nk=\"a\"b\"\r\n", "S", "k", "a\"b"},
        {"CommentLineIsNoKey", "[S]\r\n; k=1\r\n ;k=2\r\nk=3\r\n", "S", "k", "3"},
        {"CommentLineIsAKeyOfItsWholeName", "[S]\r\n; k=1\r\n", "S", "; k", "1"},
        {"NoInlineComment", "[S]\r\nk=a ; b # c\r\n", "S", "k", "a ; b # c"},
        {"FirstSectionOnly", "[S]\r\na=1\r\n[T]\r\n[s]\r\nk=2\r\n", "S", "k", std::nullopt},
        {"FirstKeyWins", "[S]\r\nK=1\r\nk=2\r\n", "S", "k", "1"},
        {"KeysBeforeSectionsBelongToNone", "k=0\r\n[S]\r\n", "S", "k", std::nullopt},
        // Windows reads an empty section name as the default; Wine finds the
        // keys before the first section.
        {"EmptySectionNameFindsNothing", "k=0\r\n[S]\r\n", "", "k", std::nullopt, true},
        // Windows reads an empty key name as the default; Wine finds "=1".
        {"EmptyKeyNameFindsNothing", "[S]\r\n=1\r\n", "S", "", std::nullopt, true},
        {"MissingSection", "[S]\r\nk=1\r\n", "T", "k", std::nullopt},
        {"MissingKey", "[S]\r\nk=1\r\n", "S", "j", std::nullopt},
        // Windows lists no key for a line without '='; Wine lets it hide the
        // key after it.
        {"LineWithoutEqualsIsNoKey", "[S]\r\nk\r\nk=2\r\n", "S", "k", "2", true},
        {"KeyWithEmptyName", "[S]\r\n=1\r\nk=2\r\n", "S", "k", "2"},
        {"TextAfterHeaderIgnored", "[S] junk\r\nk=1\r\n", "S", "k", "1"},
        {"LastBracketClosesHeader", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
        {"UnclosedHeaderIsNoSection", "[S\r\nk=1\r\n", "S", "k", std::nullopt},
        {"TrailByteIsNoBracket", "[ゾ\r\nk=1\r\n[ゾ]\r\nk=2\r\n", "ゾ", "k", "2"},
        {"TrailByteAfterBracket", "[a]ゾ\r\nk=1\r\n", "a", "k", "1"},
        {"FullWidthLettersKeepCase", "[ＡＢＣ]\r\nk=1\r\n", "ａｂｃ", "k", std::nullopt},
        {"TrailByteIsNoLetter", "[S]\r\nア=1\r\n", "S", "ヂ", std::nullopt},
        {"DoubleByteNames", "[ログ]\r\nコメント=あ\r\n", "ログ", "コメント", "あ"},
        // The system reads the file as Unicode: a lead byte takes the byte
        // after it, a line end too, and what is no character becomes its
        // default character; a character with two codes comes back in the
        // code the system writes.
        {"LeadByteTakesTheLineEnd", "[S]\nk=a\x81\nj=2\n", "S", "j", std::nullopt},
        {"LeadByteAloneIsTheDefaultCharacter", "[S]\r\nk=a\x81\r\n", "S", "k", "a\x81\x45"},
        {"DoubleCodedCharacterInTheSystemsCode", "[S]\r\nk=\x87\x9A\xED\x40\r\n", "S", "k",
         "\x81\xE6\xFA\x5C"},
        {"DoubleCodedNamesMatch", "[\x87\x9A]\r\nk=1\r\n", "\x81\xE6", "k", "1"},
        {"ValueEndsAtNul", "[S]\r\nk=a\0b\r\n"s, "S", "k", "a"},
        {"VeryLongValue", "[S]\r\nk=" + longValue + "\r\n", "S", "k", longValue},
        {"BinaryBeforeText", "\x81\xFF\x00\x80\x1B\r\n[S]\r\nk=v"s, "S", "k", "v"},
        {"NotIniText",
         "\x7F"
         "ELF\x01\x01\x00\x00[S\x00=="s,
         "S", "k", std::nullopt},
        {"Utf16LE", Utf16LEFile(u"[S]\r\nk=日本\r\n"), "s", "K", "日本"},
        {"Utf16LEUnmappable", Utf16LEFile(u"[S]\r\nk=a\u20ACb\r\n"), "S", "k", "a?b"},
        {"Utf16BE", Utf16BEFile(u"[S]\r\nk= \"日本\" \r\n"), "S", "k", "日本"},
        {"Utf16LENamesDoubleByte", Utf16LEFile(u"[ログ]\r\nコメント=v\r\n"), "ログ", "コメント",
         "v"},
        {"Utf16WithoutBomIsNotText", Utf16LEFile(u"[S]\r\nk=v\r\n", false), "S", "k", std::nullopt},
        {"Utf8BomFirstSection", Utf8File(u8"[S]\r\nk=日本\r\n"), "S", "k", "日本"},
        // Each start of a sequence that breaks off is one character.
        {"Utf8BrokenSequences", "\xEF\xBB\xBF[S]\r\nk=a\xE6\x97z\xED\xA0\x80\r\n", "S", "k",
         "a?z??"},
        // A sequence cut off by the end of the file ends there, as anywhere
        // else; Wine lets it take the rest of the file, here the quote.
        {"Utf8SequenceCutByTheEnd", "\xEF\xBB\xBF[S]\r\nk=\"x\xE6\"", "S", "k", "x?", true},
    };
    return c;
}

} // namespace

void PrintTo(const TIniReadCase& row, std::ostream* out) {
    *out << row.Name;
}

const std::vector<TIniReadCase>& IniReadCases() {
    static const std::vector<TIniReadCase> cases = MakeCases();
    return cases;
}
