// TIniFile of the Win32 backend. The file is opened once, by its wide name
// (OpenHostPath), read whole and parsed by the same reader as the posix
// backend's, which follows the private-profile rules; its date comes from
// the same handle. The private-profile routines would open the file again
// for every key, and each open costs a path look-up (and, on most machines,
// a virus scan). Writing, which only the dialog's sample does, stays with
// the private-profile routine.

#include "runtime/IniFile.h"

#include "runtime/IniFileErrors.h"
#include "runtime/IniText.h"
#include "runtime/SystemError.h"
#include "runtime/win32/FileTimeFields.h"
#include "runtime/win32/Handles.h"
#include "runtime/win32/HostPath.h"
#include "runtime/win32/WidePath.h"

#include <windows.h>

#include <climits>
#include <string>
#include <utility>

namespace {

// The private-profile routine looks for a name without a folder in the
// Windows folder, where the reading looks in the current one; the full path
// makes both use the same file. The wide routine takes it at any length.
std::wstring WritablePath(const std::string& fileName) {
    const std::wstring wide = WidePath(fileName);
    DWORD error = 0;
    const std::wstring full = wide.empty() ? wide : FullPath(wide, error);
    return full.empty() ? wide : full;
}

// The whole file, as long as the open handle says it is.
std::string ReadWhole(HANDLE file, const std::string& fileName) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size))
        throw IniReadError(fileName, SystemErrorMessage(::GetLastError()));
    if (size.QuadPart > INT_MAX)
        throw EIniFileException(Messages::FileTooLarge(fileName));
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                        nullptr))
            throw IniReadError(fileName, SystemErrorMessage(::GetLastError()));
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

} // namespace

struct TIniFile::Impl {
    bool Loaded = false;
    bool Found = false;
    TLocalTimeFields Time{};
    TIniText Text;

    void Load(const std::string& fileName) {
        if (Loaded)
            return;
        const TFileHandle file = OpenHostPath(fileName);
        Found = static_cast<bool>(file);
        Text = TIniText();
        if (Found) {
            // GetFileTime and GetFileSizeEx, not GetFileInformationByHandle,
            // which also asks for the volume's serial number: under Wine that
            // costs four times the open.
            FILETIME written{};
            if (!::GetFileTime(file.get(), nullptr, nullptr, &written))
                throw IniReadError(fileName, SystemErrorMessage(::GetLastError()));
            Time = LocalTimeFields(written);
            Text = TIniText(ReadWhole(file.get(), fileName));
        }
        Loaded = true;
    }
};

TIniFile::TIniFile(std::string fileName)
    : FFileName(std::move(fileName)), FImpl(std::make_unique<Impl>()) {}

TIniFile::~TIniFile() = default;

bool TIniFile::FileFound() {
    FImpl->Load(FFileName);
    return FImpl->Found;
}

bool TIniFile::ModificationTime(TLocalTimeFields& time) {
    if (!FileFound())
        return false;
    time = FImpl->Time;
    return true;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& def) {
    FImpl->Load(FFileName);
    std::optional<std::string> value = FImpl->Text.Find(section, ident);
    if (value)
        return std::move(*value);
    return def;
}

std::optional<std::u16string> TIniFile::ReadUnicodeString(const std::string& section,
                                                          const std::string& ident) {
    FImpl->Load(FFileName);
    return FImpl->Text.FindUnicode(section, ident);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
    // The routine would write a line break into the file as it stands.
    if (std::string problem = TIniText::WriteProblem(section, ident, value); !problem.empty())
        throw IniWriteRefused(FFileName, problem);
    // Names and value converted as the ANSI routine would convert them.
    if (!::WritePrivateProfileStringW(WidePath(section).c_str(), WidePath(ident).c_str(),
                                      WidePath(value).c_str(), WritablePath(FFileName).c_str()))
        throw IniWriteError(FFileName, SystemErrorMessage(::GetLastError()));
    // The next query reads the file as written.
    FImpl->Loaded = false;
}
