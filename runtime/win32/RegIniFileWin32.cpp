// The registry of the Win32 backend: keys below HKEY_CURRENT_USER through the
// registry API, each key held by a TRegKey for exactly as long as it is used.

#include "runtime/RegIniFile.h"

#include "runtime/AnsiText.h"
#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/RegistryPath.h"
#include "runtime/SystemError.h"
#include "runtime/win32/Handles.h"

#include <windows.h>

#include <vector>

namespace {

constexpr int ReadAttempts = 8;

// The key as the registry editor shows it, for messages. HKEY_CURRENT_USER's
// Software key always exists, so spelt, whatever case the path gives it.
std::string KeyName(const std::string& path) {
    constexpr std::string_view software = "Software";
    const bool underSoftware = path.size() >= software.size() &&
                               (path.size() == software.size() || path[software.size()] == '\\') &&
                               AnsiLowerCase(path.substr(0, software.size())) == "software";
    return "HKEY_CURRENT_USER\\" +
           (underSoftware ? std::string(software) + path.substr(software.size()) : path);
}

std::string CodeText(LONG code) {
    return SystemErrorMessage(static_cast<DWORD>(code));
}

TRegKey CreateKey(HKEY parent, const std::string& subKey, const std::string& fullName) {
    TRegKey key;
    const LONG code = RegCreateKeyExA(parent, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE, nullptr, key.put(), nullptr);
    if (code != ERROR_SUCCESS)
        throw ERegistryException(Messages::RegistryKeyFailed(fullName, CodeText(code)));
    return key;
}

} // namespace

struct TRegIniFile::Impl {
    std::string Path;
    TRegKey Key;

    std::string SectionName(const std::string& section) const {
        return KeyName(section.empty() ? Path : Path + "\\" + section);
    }
};

TRegIniFile::TRegIniFile(const std::string& keyPath) : FImpl(std::make_unique<Impl>()) {
    FImpl->Path = NormaliseKeyPath(keyPath);
    FImpl->Key = CreateKey(HKEY_CURRENT_USER, FImpl->Path, KeyName(FImpl->Path));
}

TRegIniFile::~TRegIniFile() = default;

std::string TRegIniFile::ReadString(const std::string& sectionName, const std::string& ident,
                                    const std::string& def) {
    const std::string section = NormaliseKeyPath(sectionName);
    TRegKey sectionKey;
    HKEY key = FImpl->Key.get();
    if (!section.empty()) {
        const LONG code = RegOpenKeyExA(key, section.c_str(), 0, KEY_READ, sectionKey.put());
        if (code == ERROR_FILE_NOT_FOUND)
            return def;
        if (code != ERROR_SUCCESS)
            throw ERegistryException(
                Messages::RegistryKeyFailed(FImpl->SectionName(section), CodeText(code)));
        key = sectionKey.get();
    }

    // The value may grow between the size query and the read: ask again then,
    // a few times; a value that keeps growing is another program's fault.
    std::vector<char> buffer(256);
    for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
        DWORD type = 0;
        // One byte is kept back for a terminator the stored data may lack.
        DWORD size = static_cast<DWORD>(buffer.size() - 1);
        const LONG code = RegQueryValueExA(key, ident.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (code == ERROR_FILE_NOT_FOUND)
            return def;
        if (code == ERROR_MORE_DATA) {
            buffer.assign(static_cast<std::size_t>(size) + 2, '\0');
            continue;
        }
        if (code != ERROR_SUCCESS)
            throw ERegistryException(Messages::RegistryValueReadFailed(FImpl->SectionName(section),
                                                                       ident, CodeText(code)));
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw ERegistryException(
                Messages::RegistryValueNotString(FImpl->SectionName(section), ident));
        buffer[size] = '\0';
        return std::string(buffer.data());
    }
    throw ERegistryException(
        Messages::RegistryValueKeepsChanging(FImpl->SectionName(section), ident));
}

void TRegIniFile::WriteString(const std::string& sectionName, const std::string& ident,
                              const std::string& value) {
    const std::string section = NormaliseKeyPath(sectionName);
    TRegKey sectionKey;
    HKEY key = FImpl->Key.get();
    if (!section.empty()) {
        sectionKey = CreateKey(key, section, FImpl->SectionName(section));
        key = sectionKey.get();
    }
    // A string value ends at its first NUL; the terminator is part of the data.
    const std::string data = value.substr(0, value.find('\0'));
    const LONG code =
        RegSetValueExA(key, ident.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    if (code != ERROR_SUCCESS)
        throw ERegistryException(
            Messages::RegistryValueWriteFailed(FImpl->SectionName(section), ident, CodeText(code)));
}
