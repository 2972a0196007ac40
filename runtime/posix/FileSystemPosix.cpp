// File-system queries of the posix backend on Windows-style paths.

#include "runtime/FileSystem.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/SystemError.h"
#include "runtime/posix/PosixPath.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool FileExists(const std::string& fileName) {
    struct stat info {};
    return !fileName.empty() && stat(ToPosixPath(fileName).c_str(), &info) == 0 &&
           !S_ISDIR(info.st_mode);
}

std::string SystemTempPath() {
    const char* dir = std::getenv("TMPDIR");
    std::string path = dir != nullptr && *dir != '\0' ? dir : "/tmp";
    if (path.back() != '/')
        path += '/';
    // '/' is never a trail byte in code page 932, so a byte-wise swap is safe.
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool ForceDirectories(const std::string& dir) {
    std::string path = ToPosixPath(dir);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.empty())
        return false;
    if (DirectoryExists(path))
        return true;
    // '/' is never a trail byte in code page 932, so a byte search is safe here.
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !ForceDirectories(path.substr(0, slash)))
        return false;
    return mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(path));
}

void EraseFile(const std::string& fileName) {
    if (unlink(ToPosixPath(fileName).c_str()) != 0)
        throw EOSError(Messages::FileDeleteFailed(
            fileName, SystemErrorMessage(static_cast<unsigned long>(errno))));
}
