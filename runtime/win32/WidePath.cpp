#include "runtime/win32/WidePath.h"

#include "runtime/CodePage.h"

namespace {

constexpr std::wstring_view ExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view LocalDevicePrefix = L"\\\\.\\";
constexpr std::wstring_view ExtendedUncPrefix = L"\\\\?\\UNC\\";

// The position just after the next backslash at or after from, or the end.
std::size_t AfterNextBackslash(std::wstring_view path, std::size_t from) {
    const std::size_t at = path.find(L'\\', from);
    return at == std::wstring_view::npos ? path.size() : at + 1;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const wchar_t c = text[i] >= L'a' && text[i] <= L'z' ? text[i] - L'a' + L'A' : text[i];
        if (c != prefix[i])
            return false;
    }
    return true;
}

} // namespace

std::wstring WidePath(const std::string& ansiPath) {
    const std::u16string wide = AnsiToUtf16(ansiPath);
    return {wide.begin(), wide.end()};
}

std::string AnsiName(std::wstring_view name) {
    return Utf16ToAnsi(
        std::u16string_view(reinterpret_cast<const char16_t*>(name.data()), name.size()));
}

bool HasDevicePrefix(std::wstring_view path) {
    return path.starts_with(ExtendedPrefix) || path.starts_with(LocalDevicePrefix);
}

std::wstring FullPath(const std::wstring& path, DWORD& error) {
    std::wstring buffer(MAX_PATH, L'\0');
    // The current folder may change between two calls: ask until it fits.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                                buffer.data(), nullptr);
        if (length == 0) {
            error = ::GetLastError();
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(length + 1, L'\0');
    }
    error = ERROR_FILENAME_EXCED_RANGE;
    return {};
}

std::wstring ExtendedPath(const std::wstring& fullPath) {
    if (HasDevicePrefix(fullPath))
        return fullPath;
    if (fullPath.starts_with(L"\\\\"))
        return std::wstring(ExtendedUncPrefix) + fullPath.substr(2);
    return std::wstring(ExtendedPrefix) + fullPath;
}

std::size_t RootLength(std::wstring_view extendedPath) {
    if (StartsWithNoCase(extendedPath, ExtendedUncPrefix)) {
        const std::size_t afterServer = AfterNextBackslash(extendedPath, ExtendedUncPrefix.size());
        return AfterNextBackslash(extendedPath, afterServer);
    }
    return AfterNextBackslash(extendedPath, ExtendedPrefix.size());
}

std::wstring WithoutExtendedPrefix(std::wstring_view extendedPath) {
    if (StartsWithNoCase(extendedPath, ExtendedUncPrefix))
        return L"\\\\" + std::wstring(extendedPath.substr(ExtendedUncPrefix.size()));
    if (extendedPath.starts_with(ExtendedPrefix))
        return std::wstring(extendedPath.substr(ExtendedPrefix.size()));
    return std::wstring(extendedPath);
}
