// File-system queries of the Win32 backend.

#include "runtime/FileSystem.h"

#include "runtime/Exception.h"
#include "runtime/FileNames.h"
#include "runtime/Messages.h"
#include "runtime/SystemError.h"

#include <windows.h>

#include <vector>

namespace {

bool DirectoryExists(const std::string& dir) {
    const DWORD attributes = GetFileAttributesA(dir.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Without its trailing delimiter, unless that would leave a bare drive ("C:").
std::string WithoutTrailingDelimiter(std::string dir) {
    while (dir.size() > 1 && dir.back() == '\\' && ExtractFilePath(dir) == dir &&
           dir[dir.size() - 2] != ':')
        dir.pop_back();
    return dir;
}

} // namespace

bool FileExists(const std::string& fileName) {
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    return !fileName.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string SystemTempPath() {
    std::vector<char> buffer(MAX_PATH + 1);
    // The folder may change between the calls, so ask until it fits.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD length = GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            throw EOSError(Messages::TempFolderFailed(SystemErrorMessage(GetLastError())));
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length + 1);
    }
    throw EOSError(Messages::TempFolderKeepsChanging());
}

bool ForceDirectories(const std::string& dir) {
    const std::string path = WithoutTrailingDelimiter(dir);
    if (path.empty())
        return false;
    if (DirectoryExists(path))
        return true;
    const std::string parent = WithoutTrailingDelimiter(ExtractFilePath(path));
    if (!parent.empty() && parent != path && !ForceDirectories(parent))
        return false;
    return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path);
}

void EraseFile(const std::string& fileName) {
    if (!DeleteFileA(fileName.c_str()))
        throw EOSError(Messages::FileDeleteFailed(fileName, SystemErrorMessage(GetLastError())));
}
