// TIniFile over the Windows private-profile routines.

#include "runtime/IniFile.h"

#include "runtime/Exception.h"
#include "runtime/IniText.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

// No value read from a file can hold a line feed, so this default tells an
// absent key from any value, the empty one included; the routine would also
// strip trailing blanks from a default of ours.
constexpr char AbsentMarker[] = "\n";

EIniFileException WriteError(const std::string& fileName, const std::string& reason) {
    return EIniFileException("Cannot write the INI file \"" + fileName + "\": " + reason);
}

std::string SystemMessage(DWORD error) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = "system error " + std::to_string(error);
    if (length > 0 && text != nullptr) {
        message.assign(text, length);
        while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                                    message.back() == ' ' || message.back() == '.'))
            message.pop_back();
    }
    if (text != nullptr)
        ::LocalFree(text);
    return message;
}

} // namespace

struct TIniFile::Impl {};

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

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
                                                     buffer.data(), size, FFileName.c_str());
        if (got + 2 < size) {
            buffer.resize(::strnlen(buffer.data(), got));
            break;
        }
        if (buffer.size() > buffer.max_size() / 2)
            throw EIniFileException("A value in \"" + FFileName + "\" is too long to read");
        buffer.assign(buffer.size() * 2, '\0');
    }
    return buffer == AbsentMarker ? def : buffer;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
    // The routine would write a line break into the file as it stands.
    if (std::string problem = TIniText::WriteProblem(section, ident, value); !problem.empty())
        throw WriteError(FFileName, problem);
    if (!::WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(),
                                      FFileName.c_str()))
        throw WriteError(FFileName, SystemMessage(::GetLastError()));
}
