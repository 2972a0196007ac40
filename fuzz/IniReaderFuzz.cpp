// Arbitrary file bytes through the INI reader and editor: a few lookups, one
// write, and the written value must read back, from the edited index and
// from a fresh parse of the new bytes, while an unrelated key keeps its value.

#include "runtime/CodePage.h"
#include "runtime/Exception.h"
#include "runtime/IniText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool IsBlank(unsigned char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// What a value reads back as: blanks around it and one pair of quotes gone,
// and a character the code page codes twice in the code the conversion gives.
std::string AsRead(std::string_view value) {
    value = Trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return Utf16ToAnsi(AnsiToUtf16(value));
}

bool IsPrintableAscii(std::string_view s) {
    for (const char c : s)
        if (c < 0x20 || c > 0x7E)
            return false;
    return true;
}

bool SameAsciiName(std::string_view a, std::string_view b) {
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(24);
    const std::string ident = input.ConsumeRandomLengthString(24);
    const std::string value = input.ConsumeRandomLengthString(96);
    const std::string file = input.ConsumeRemainingBytesAsString();

    TIniText text(file);
    const std::optional<std::string> url = text.Find("InternetShortcut", "URL");
    text.Find("Log", "UserComment");
    text.Find("Log", "LastVisit");
    text.Find(section, ident);
    // The value before conversion stands beside the converted one exactly
    // for a UTF-16 or UTF-8 file.
    if (text.FindUnicode("InternetShortcut", "URL").has_value() !=
        (url.has_value() && text.Encoding() != TIniEncoding::Ansi))
        std::abort();

    if (!TIniText::WriteProblem(section, ident, value).empty()) {
        try {
            text.Write(section, ident, value);
            std::abort();
        } catch (const EIniFileException&) {
        }
        if (text.Bytes() != file)
            std::abort();
        return 0;
    }

    text.Write(section, ident, value);
    const std::optional<std::string> written = text.Find(section, ident);
    if (!written)
        std::abort();
    // Values in a UTF-16 or UTF-8 file pass through a code page conversion,
    // which only ASCII is sure to survive unchanged.
    if ((text.Encoding() == TIniEncoding::Ansi || IsPrintableAscii(value)) &&
        *written != AsRead(value))
        std::abort();
    if (TIniText(text.Bytes()).Find(section, ident) != written)
        std::abort();
    const bool sameKey = SameAsciiName(section, "InternetShortcut") && SameAsciiName(ident, "URL");
    if (!sameKey && text.Find("InternetShortcut", "URL") != url)
        std::abort();
    return 0;
}
