#include "lib/LibUnit.h"

#include "runtime/FileSystem.h"

std::string AddTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() != '\\')
        path.push_back('\\');
    return path;
}

std::string RemoveTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string GetTempFolder(const std::string& subFolder, bool create) {
    std::string folder = AddTrailingBackslash(SystemTempPath());
    folder += subFolder;
    // A folder that cannot be created shows itself when the caller writes
    // into it, with that write's own error.
    if (create)
        static_cast<void>(ForceDirectories(folder));
    return folder;
}
