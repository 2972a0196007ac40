#pragma once
// Random INI files and the lookups to ask of them, for the tests that hold
// one INI reader against another. Seeded and deterministic: every build
// (native, Win32 under Wine, the fuzzer) makes the same file from the same
// seed, so a seed printed by one reproduces the file everywhere.
//
// A file is code page 932 text, UTF-8 or UTF-16 (either byte order) with its
// byte order mark, and mixes what real and damaged files hold: blank lines,
// ';' comments, quotes (matched, unmatched, single, double), blanks and tabs
// around '=' and inside "[ name ]", duplicate sections and keys, CRLF, CR and
// LF line ends (mixed), lines before the first section and lines without
// '=', names in other letter cases, double-byte text with trail bytes '\',
// '[' and ']', characters the code page spells twice, NUL bytes, byte
// sequences that are no text in the file's encoding, characters code page 932
// lacks, and now and then a line tens of kilobytes long.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TIniQuestion {
    // Code page 932 names, as a caller passes them; never empty once blanks
    // are trimmed, never starting with ';' in the section.
    std::string Section;
    std::string Ident;
    // Some line without '=' in the file holds the same name as Ident.
    bool IdentOnLineWithoutEquals = false;
};

struct TGeneratedIni {
    std::string Bytes;
    std::vector<TIniQuestion> Questions;
};

TGeneratedIni GenerateIni(std::uint64_t seed);

// The bytes for a failure message: printable ASCII as it is, every other
// byte as \xNN (\r, \n, \t and \0 by name), cut in the middle to about limit
// characters with the number of bytes left out.
std::string EscapeBytes(std::string_view bytes, std::size_t limit = 600);
