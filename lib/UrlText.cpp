#include "lib/UrlText.h"

#include "runtime/CodePage.h"
#include "runtime/Utf8.h"

namespace {

bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// Appends each UTF-8 byte of the code point as %XX.
void AppendPercentEncoded(std::string& out, char32_t c) {
    std::string bytes;
    AppendUtf8(bytes, c);
    constexpr char Hex[] = "0123456789ABCDEF";
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        out += '%';
        out += Hex[value >> 4];
        out += Hex[value & 0x0F];
    }
}

} // namespace

std::optional<std::string> AnsiUrl(std::u16string_view url) {
    std::string result;
    result.reserve(url.size());
    for (std::size_t i = 0; i < url.size();) {
        const char16_t unit = url[i];
        std::size_t length = 1;
        char32_t c = unit;
        if (IsHighSurrogate(unit) && i + 1 < url.size() && IsLowSurrogate(url[i + 1])) {
            length = 2;
            c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (url[i + 1] - 0xDC00);
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit) || unit == u'\uFFFD' ||
                   unit == u'\0') {
            return std::nullopt;
        }
        if (const std::optional<std::string> bytes = Utf16ToAnsiExactly(url.substr(i, length)))
            result += *bytes;
        else
            AppendPercentEncoded(result, c);
        i += length;
    }
    return result;
}

std::string ShortcutUrl(const std::string& ansiUrl, const std::string& utf7Url,
                        const std::optional<std::u16string>& unicodeUrl) {
    if (unicodeUrl)
        return AnsiUrl(*unicodeUrl).value_or(ansiUrl);
    if (utf7Url.empty() || utf7Url == ansiUrl)
        return ansiUrl;
    const std::u16string url = Utf7ToUtf16(utf7Url);
    if (Utf16ToAnsi(url) != ansiUrl)
        return ansiUrl;
    return AnsiUrl(url).value_or(ansiUrl);
}
