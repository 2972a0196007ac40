#include "lib/UrlText.h"

#include "runtime/CodePage.h"

namespace {

bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// Appends each UTF-8 byte of the code point as %XX.
void AppendPercentEncoded(std::string& out, char32_t c) {
    unsigned char bytes[4];
    std::size_t count = 0;
    if (c < 0x80) {
        bytes[count++] = static_cast<unsigned char>(c);
    } else if (c < 0x800) {
        bytes[count++] = static_cast<unsigned char>(0xC0 | c >> 6);
        bytes[count++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        bytes[count++] = static_cast<unsigned char>(0xE0 | c >> 12);
        bytes[count++] = static_cast<unsigned char>(0x80 | (c >> 6 & 0x3F));
        bytes[count++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    } else {
        bytes[count++] = static_cast<unsigned char>(0xF0 | c >> 18);
        bytes[count++] = static_cast<unsigned char>(0x80 | (c >> 12 & 0x3F));
        bytes[count++] = static_cast<unsigned char>(0x80 | (c >> 6 & 0x3F));
        bytes[count++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    }
    constexpr char Hex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < count; ++i) {
        out += '%';
        out += Hex[bytes[i] >> 4];
        out += Hex[bytes[i] & 0x0F];
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
