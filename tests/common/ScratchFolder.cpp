// Scratch and current folders for the tests. Built with a UTF-8 execution
// character set (<filesystem>); nothing here needs code page 932 text.

#include "tests/common/ScratchFolder.h"

#include "runtime/FileSystem.h"
#include "tests/common/Files.h"

#include <cstdlib>
#include <stdexcept>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

} // namespace

TScratchFolder::TScratchFolder() {
#ifdef _WIN32
    char temp[MAX_PATH + 1];
    char name[MAX_PATH + 1];
    if (GetTempPathA(sizeof temp, temp) == 0 || GetTempFileNameA(temp, "pel", 0, name) == 0)
        throw std::runtime_error("no scratch folder in the temporary folder");
    DeleteFileA(name);
    if (!CreateDirectoryA(name, nullptr))
        throw std::runtime_error(std::string("cannot create the scratch folder ") + name);
    FPath = std::string(name) + "\\";
#else
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/pelXXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder " + pattern);
    for (char& c : pattern)
        if (c == '/')
            c = '\\';
    FPath = pattern + "\\";
#endif
}

TScratchFolder::~TScratchFolder() {
    RemoveTree(FPath.substr(0, FPath.size() - 1));
}

std::string TScratchFolder::OsPath(const std::string& entry) const {
    return ::OsPath(FPath) + entry;
}

std::string TScratchFolder::Write(const std::string& entry, std::string_view bytes) const {
    WriteBytes(OsPath(entry), bytes);
    return Name(entry);
}

std::string ScratchPath(const std::string& name) {
    return SystemTempPath() + "pellrt" + std::to_string(ProcessId()) + "_" + name;
}

#ifdef _WIN32

TCurrentFolder::TCurrentFolder(const std::string& folder) {
    char old[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof old, old);
    FOld = old;
    if (!SetCurrentDirectoryA(folder.c_str()))
        throw std::runtime_error("cannot enter " + folder);
}

TCurrentFolder::~TCurrentFolder() {
    SetCurrentDirectoryA(FOld.c_str());
}

#else

TCurrentFolder::TCurrentFolder(const std::string& folder) {
    char old[4096] = {};
    if (getcwd(old, sizeof old) == nullptr)
        throw std::runtime_error("cannot tell the current folder");
    FOld = old;
    if (chdir(::OsPath(folder).c_str()) != 0)
        throw std::runtime_error("cannot enter " + folder);
}

TCurrentFolder::~TCurrentFolder() {
    if (chdir(FOld.c_str()) != 0) {
        // The next test starts elsewhere; nothing here can report it.
    }
}

#endif
