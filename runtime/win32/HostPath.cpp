#include "runtime/win32/HostPath.h"

#include "runtime/FileNames.h"
#include "runtime/IniFileErrors.h"
#include "runtime/SystemError.h"
#include "runtime/win32/FolderListing.h"
#include "runtime/win32/WidePath.h"

#include <optional>
#include <vector>

namespace {

bool IsNotFound(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool IsFolder(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

struct TOpenAttempt {
    TFileHandle File;
    // Nothing at the name: worth matching against the folder's names.
    bool NotFound = false;
};

TOpenAttempt TryOpen(const std::wstring& name, const std::string& path) {
    TFileHandle file(::CreateFileW(name.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        return {std::move(file)};
    const DWORD error = ::GetLastError();
    if (IsNotFound(error))
        return {{}, true};
    // A folder does not open as a file; any other entry that is there is a
    // file that cannot be opened now (held without sharing, or denied).
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (IsFolder(attributes))
            return {};
        throw IniReadError(path, SystemErrorMessage(error));
    }
    if (IsNotFound(::GetLastError()))
        return {{}, true};
    throw PathLookupError(path, SystemErrorMessage(error));
}

// The names after the root of an extended path; empty ones (doubled or
// trailing backslashes) left out.
std::vector<std::wstring> NamesAfterRoot(const std::wstring& extended) {
    std::vector<std::wstring> names;
    std::size_t begin = RootLength(extended);
    while (begin < extended.size()) {
        std::size_t end = extended.find(L'\\', begin);
        if (end == std::wstring::npos)
            end = extended.size();
        if (end > begin)
            names.push_back(extended.substr(begin, end - begin));
        begin = end + 1;
    }
    return names;
}

class TNameResolver {
public:
    explicit TNameResolver(const std::string& path) : FPath(path) {}

    // The extended path of the file that extended means, if any.
    std::optional<std::wstring> Resolve(const std::wstring& extended) const {
        const std::vector<std::wstring> names = NamesAfterRoot(extended);
        if (names.empty())
            return std::nullopt;
        std::wstring current = extended.substr(0, RootLength(extended));
        for (std::size_t i = 0; i < names.size(); ++i) {
            const bool last = i + 1 == names.size();
            const std::optional<std::wstring> found = Find(current, names[i], last);
            if (!found)
                return std::nullopt;
            current += *found;
            if (!last)
                current += L'\\';
        }
        return current;
    }

private:
    // The entry of folder that name stands for: a file when the name is the
    // last of the path, a folder on the way.
    std::optional<std::wstring> Find(const std::wstring& folder, const std::wstring& name,
                                     bool file) const {
        if (name.find(L'?') == std::wstring::npos) {
            const DWORD attributes = ::GetFileAttributesW((folder + name).c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES)
                return IsFolder(attributes) != file ? std::optional(name) : std::nullopt;
            if (const DWORD error = ::GetLastError(); !IsNotFound(error))
                throw PathLookupError(FPath, SystemErrorMessage(error));
        }
        return Match(folder, name, file);
    }

    std::optional<std::wstring> Match(const std::wstring& folder, const std::wstring& name,
                                      bool file) const {
        const std::string wanted = AnsiName(name);
        std::optional<std::wstring> match;
        TFolderListing listing(folder);
        while (const WIN32_FIND_DATAW* entry = listing.Next()) {
            if (IsFolder(entry->dwFileAttributes) == file || AnsiName(entry->cFileName) != wanted)
                continue;
            if (match)
                throw AmbiguousNameError(Shown(folder) + wanted);
            match = entry->cFileName;
        }
        if (listing.Error() != 0)
            throw PathLookupError(FPath, SystemErrorMessage(listing.Error()));
        return match;
    }

    // A folder in a message, in the form the host wrote the path.
    std::string Shown(const std::wstring& folder) const {
        const bool hostExtended = FPath.starts_with("\\\\?\\");
        return AnsiName(hostExtended ? folder : WithoutExtendedPrefix(folder));
    }

    const std::string& FPath;
};

} // namespace

TFileHandle OpenHostPath(const std::string& path) {
    if (path.empty() || IsDeviceName(path))
        return {};
    const std::wstring wide = WidePath(path);
    const bool hostPrefixed = HasDevicePrefix(wide);
    std::wstring extended = wide;
    if (!hostPrefixed) {
        DWORD error = 0;
        const std::wstring full = FullPath(wide, error);
        if (full.empty())
            throw PathLookupError(path, SystemErrorMessage(error));
        // The system reads a device name there, by rules wider than ours.
        if (HasDevicePrefix(full))
            return {};
        extended = ExtendedPath(full);
    }
    // A path that ends in a backslash names a folder.
    if (extended.back() == L'\\')
        return {};
    TOpenAttempt attempt{{}, true};
    if (extended.find(L'?', RootLength(extended)) == std::wstring::npos)
        attempt = TryOpen(extended, path);
    if (attempt.NotFound) {
        const std::optional<std::wstring> resolved = TNameResolver(path).Resolve(extended);
        if (!resolved)
            return {};
        attempt = TryOpen(*resolved, path);
    }
    TFileHandle file = std::move(attempt.File);
    // A path the host gave in a device form may name a pipe or a port.
    if (file && hostPrefixed && ::GetFileType(file.get()) != FILE_TYPE_DISK)
        return {};
    return file;
}
