// iconv's "CP932" is the Windows variant of Shift_JIS (with the NEC and IBM
// extensions), the code page the Windows routines use. It has no best fit
// for Latin letters, but maps a few characters one way ("¥" to 0x5C, "〜" to
// the bytes of "～"). Its "UTF-7" decoder is stricter than Windows': it
// rejects a raw '\' or '~' and a lone surrogate.

#include "runtime/CodePage.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace {

class TIconv {
public:
    TIconv(const char* to, const char* from) : FHandle(iconv_open(to, from)) {
        // iconv_open reports failure as (iconv_t)-1.
        if (FHandle == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr)
            throw EOSError(Messages::ConversionUnavailable(from, to));
    }
    ~TIconv() { iconv_close(FHandle); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Converts from in to out until the input ends or a sequence cannot be
    // converted; returns false in the latter case with in at that sequence.
    bool Convert(const char*& in, std::size_t& inLeft, std::string& out) {
        char buffer[4096];
        while (inLeft > 0) {
            char* to = buffer;
            std::size_t toLeft = sizeof buffer;
            char* from = const_cast<char*>(in);
            const std::size_t r = iconv(FHandle, &from, &inLeft, &to, &toLeft);
            in = from;
            out.append(buffer, to);
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
                iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

private:
    iconv_t FHandle;
};

// The code units as UTF-16LE bytes, and back.
std::string Utf16LEBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t u : text) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

std::u16string FromUtf16LEBytes(std::string_view bytes) {
    std::u16string result;
    result.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        result.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                               static_cast<unsigned char>(bytes[i + 1]) << 8));
    return result;
}

// Decodes text in the given encoding; each byte that starts no valid
// sequence becomes U+FFFD.
std::u16string DecodeToUtf16(const char* encoding, std::string_view text) {
    TIconv conv("UTF-16LE", encoding);
    std::string bytes;
    const char* in = text.data();
    std::size_t left = text.size();
    while (!conv.Convert(in, left, bytes)) {
        ++in;
        --left;
        bytes.append("\xFD\xFF", 2);
    }
    return FromUtf16LEBytes(bytes);
}

} // namespace

std::string Utf16ToAnsi(std::u16string_view text) {
    const std::string bytes = Utf16LEBytes(text);
    TIconv conv("CP932", "UTF-16LE");
    std::string result;
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    while (!conv.Convert(in, left, result)) {
        // One '?' for each code unit that has no equivalent, as Windows gives
        // "??" for a surrogate pair.
        const std::size_t skip = std::min<std::size_t>(2, left);
        in += skip;
        left -= skip;
        result.push_back('?');
    }
    return result;
}

std::u16string AnsiToUtf16(std::string_view text) {
    return DecodeToUtf16("CP932", text);
}

std::optional<std::string> Utf16ToAnsiExactly(std::u16string_view text) {
    const std::string bytes = Utf16LEBytes(text);
    TIconv conv("CP932", "UTF-16LE");
    std::string result;
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    // The way back catches the characters mapped one way only.
    if (!conv.Convert(in, left, result) || AnsiToUtf16(result) != text)
        return std::nullopt;
    return result;
}

std::u16string Utf7ToUtf16(std::string_view text) {
    return DecodeToUtf16("UTF-7", text);
}
