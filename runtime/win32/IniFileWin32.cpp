// TIniFile over the Windows private-profile routines.

#include "runtime/IniFile.h"

#include "runtime/IniFileErrors.h"
#include "runtime/IniText.h"
#include "runtime/SystemError.h"
#include "runtime/win32/Handles.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

// No value read from a file can hold a line feed, so this default tells an
// absent key from any value, the empty one included; the routine would also
// strip trailing blanks from a default of ours.
constexpr char AbsentMarker[] = "\n";

// The private-profile routines look for a name without a folder in the
// Windows folder, where FileExists and FileAge look in the current one; a
// full path makes all of them read the same file.
std::string FullPath(const std::string& fileName) {
    if (fileName.empty())
        return fileName;
    std::string buffer(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length = ::GetFullPathNameA(fileName.c_str(), static_cast<DWORD>(buffer.size()),
                                                buffer.data(), nullptr);
        if (length == 0)
            return fileName;
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(length + 1, '\0');
    }
    return fileName;
}

// The routines read a file they cannot open as an empty one. An existing file
// that cannot be opened (held by another program without sharing, or denied)
// raises instead, so that it never reads as a shortcut without values. Only
// a lookup that found nothing asks, and only until the object has found a
// value or checked once: an optional key that a shortcut lacks costs no
// further open.
void CheckReadable(const std::string& path, const std::string& fileName) {
    const TFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        return;
    const DWORD error = ::GetLastError();
    // A missing file or a folder reads as an empty file, as the routines read it.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return;
    throw IniReadError(fileName, SystemErrorMessage(error));
}

} // namespace

struct TIniFile::Impl {
    std::string Path;
    // Set once the file was found readable, so that each later absent key
    // costs no further open.
    bool Readable = false;
};

TIniFile::TIniFile(std::string fileName)
    : FFileName(std::move(fileName)), FImpl(std::make_unique<Impl>()) {
    FImpl->Path = FullPath(FFileName);
}

TIniFile::~TIniFile() = default;

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& def) {
    // A value cut to the buffer comes back as size - 1 characters, or one
    // fewer when the cut would split a double-byte character; only a result
    // below size - 2 is sure to be whole.
    std::string buffer(1024, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD got = ::GetPrivateProfileStringA(section.c_str(), ident.c_str(), AbsentMarker,
                                                     buffer.data(), size, FImpl->Path.c_str());
        if (got + 2 < size) {
            buffer.resize(::strnlen(buffer.data(), got));
            break;
        }
        if (buffer.size() > buffer.max_size() / 2)
            throw EIniFileException("A value in \"" + FFileName + "\" is too long to read");
        buffer.assign(buffer.size() * 2, '\0');
    }
    if (buffer != AbsentMarker) {
        // A value found proves the file readable: no later absent key of this
        // object needs the check.
        FImpl->Readable = true;
        return buffer;
    }
    if (!FImpl->Readable) {
        CheckReadable(FImpl->Path, FFileName);
        FImpl->Readable = true;
    }
    return def;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
    // The routine would write a line break into the file as it stands.
    if (std::string problem = TIniText::WriteProblem(section, ident, value); !problem.empty())
        throw IniWriteError(FFileName, problem);
    if (!::WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(),
                                      FImpl->Path.c_str()))
        throw IniWriteError(FFileName, SystemErrorMessage(::GetLastError()));
}
