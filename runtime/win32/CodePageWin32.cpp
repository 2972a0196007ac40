// The conversions of the system's "A" routines: the ANSI code page, with the
// system's default character for what has no equivalent.

#include "runtime/CodePage.h"

#include "runtime/Exception.h"

#include <windows.h>

#include <climits>

namespace {

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX / 2))
        throw EConvertError("The text is too long to convert");
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
        throw EConvertError("The text cannot be converted to the ANSI code page");
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
        throw EConvertError("The text cannot be converted from the ANSI code page");
    std::u16string result(static_cast<std::size_t>(size), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(result.data()),
                          size);
    return result;
}
