// The conversions of the system's "A" routines: the ANSI code page, with the
// system's default character for what has no equivalent; and the system's
// UTF-7 decoder.

#include "runtime/CodePage.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"

#include <windows.h>

#include <climits>

namespace {

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX / 2))
        throw EConvertError(Messages::TextTooLongToConvert());
    return static_cast<int>(size);
}

} // namespace

std::string Utf16ToAnsi(std::u16string_view text) {
    if (text.empty())
        return {};
    const int length = CheckedLength(text.size());
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = ::WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        throw EConvertError(Messages::ToAnsiFailed());
    std::string result(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, length, result.data(), size, nullptr, nullptr);
    return result;
}

std::u16string AnsiToUtf16(std::string_view text) {
    if (text.empty())
        return {};
    const int length = CheckedLength(text.size());
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (size <= 0)
        throw EConvertError(Messages::FromAnsiFailed());
    std::u16string result(static_cast<std::size_t>(size), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(result.data()),
                          size);
    return result;
}

std::optional<std::string> Utf16ToAnsiExactly(std::u16string_view text) {
    if (text.empty())
        return std::string();
    const int length = CheckedLength(text.size());
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0,
                                           nullptr, nullptr);
    if (size <= 0)
        return std::nullopt;
    std::string result(static_cast<std::size_t>(size), '\0');
    BOOL usedDefault = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, result.data(), size, nullptr,
                          &usedDefault);
    // The flag promises bytes that read back as the same text; the way back
    // checks the promise instead of trusting every system's tables.
    if (usedDefault || AnsiToUtf16(result) != text)
        return std::nullopt;
    return result;
}

std::u16string Utf7ToUtf16(std::string_view text) {
    if (text.empty())
        return {};
    const int length = CheckedLength(text.size());
    // CP_UTF7 takes no flags. A text whose runs hold too few bits for one
    // character decodes to nothing, which the routine reports as 0.
    const int size = ::MultiByteToWideChar(CP_UTF7, 0, text.data(), length, nullptr, 0);
    if (size <= 0)
        return {};
    std::u16string result(static_cast<std::size_t>(size), u'\0');
    ::MultiByteToWideChar(CP_UTF7, 0, text.data(), length,
                          reinterpret_cast<wchar_t*>(result.data()), size);
    return result;
}
