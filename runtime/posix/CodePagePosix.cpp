// iconv's "CP932" is the Windows variant of Shift_JIS (with the NEC and IBM
// extensions), the code page the Windows routines use.

#include "runtime/CodePage.h"

#include "runtime/Exception.h"

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
            throw EOSError(std::string("The conversion from ") + from + " to " + to +
                           " is not available");
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

bool IsHighSurrogate(unsigned u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(unsigned u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

} // namespace

std::string Utf16ToAnsi(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t u : text) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    TIconv conv("CP932", "UTF-16LE");
    std::string result;
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    while (!conv.Convert(in, left, result)) {
        // Skip the character that has no equivalent: a surrogate pair as a
        // whole, anything else one unit at a time.
        const std::size_t at = (bytes.size() - left) / 2;
        std::size_t skip = 2;
        if (IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]))
            skip = 4;
        skip = std::min(skip, left);
        in += skip;
        left -= skip;
        result.push_back('?');
    }
    return result;
}

std::u16string AnsiToUtf16(std::string_view text) {
    TIconv conv("UTF-16LE", "CP932");
    std::string bytes;
    const char* in = text.data();
    std::size_t left = text.size();
    while (!conv.Convert(in, left, bytes)) {
        ++in;
        --left;
        bytes.append("\xFD\xFF", 2);
    }
    std::u16string result;
    result.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        result.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                               static_cast<unsigned char>(bytes[i + 1]) << 8));
    return result;
}
