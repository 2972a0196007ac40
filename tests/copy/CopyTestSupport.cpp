#include "tests/copy/CopyTestSupport.h"

#include "lib/FormatLibrary.h"
#include "runtime/RegIniFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32
std::string PosixFrom(const std::string& windowsPath) {
    std::string path = windowsPath;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::string WindowsFrom(const std::string& posixPath) {
    std::string path = posixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}
#endif

} // namespace

#ifdef _WIN32

namespace {
std::string FormatSubkey() {
    return FormatRegistryKey(ClipBoardFormatName) + "\\" + FormatSection;
}
} // namespace

TScratchFolder::TScratchFolder() {
    char temp[MAX_PATH + 1];
    char name[MAX_PATH + 1];
    if (GetTempPathA(sizeof temp, temp) == 0 || GetTempFileNameA(temp, "pel", 0, name) == 0)
        throw std::runtime_error("no scratch folder");
    DeleteFileA(name);
    if (!CreateDirectoryA(name, nullptr))
        throw std::runtime_error("no scratch folder");
    FPath = std::string(name) + "\\";
}

TScratchFolder::~TScratchFolder() {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((FPath + "*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((FPath + found.cFileName).c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(FPath.c_str());
}

std::string TScratchFolder::Write(const std::string& name, std::string_view bytes) {
    const std::string path = FPath + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + path);
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size())
        throw std::runtime_error("cannot write " + path);
    return path;
}

TScratchFormatStore::TScratchFormatStore() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, FormatSubkey().c_str(), 0, KEY_READ, &key) ==
        ERROR_SUCCESS) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key, FormatValueName, nullptr, &type, nullptr, &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ) {
            std::string data(size, '\0');
            if (RegQueryValueExA(key, FormatValueName, nullptr, &type,
                                 reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS) {
                data.resize(strnlen(data.c_str(), size));
                FSaved = data;
                FHadValue = true;
            }
        }
        RegCloseKey(key);
    }
    HKEY format;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, FormatSubkey().c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &format, nullptr) == ERROR_SUCCESS) {
        RegDeleteValueA(format, FormatValueName);
        RegCloseKey(format);
    }
}

TScratchFormatStore::~TScratchFormatStore() {
    HKEY format;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, FormatSubkey().c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &format, nullptr) != ERROR_SUCCESS)
        return;
    if (FHadValue)
        RegSetValueExA(format, FormatValueName, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(FSaved.c_str()),
                       static_cast<DWORD>(FSaved.size() + 1));
    else
        RegDeleteValueA(format, FormatValueName);
    RegCloseKey(format);
}

void TScratchFormatStore::Damage() {
    // A value of a type the format cannot be read from.
    HKEY format;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, FormatSubkey().c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &format, nullptr),
              ERROR_SUCCESS);
    const DWORD value = 7;
    RegSetValueExA(format, FormatValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegCloseKey(format);
}

TGuardedBuffer::TGuardedBuffer(std::string_view bytes, Placement placement) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const std::size_t page = info.dwPageSize;
    const std::size_t pages = (bytes.size() + page - 1) / page + 1;
    FSize = pages * page;
    const DWORD top = placement == Placement::High ? MEM_TOP_DOWN : 0;
    FBase = static_cast<char*>(
        VirtualAlloc(nullptr, FSize, MEM_COMMIT | MEM_RESERVE | top, PAGE_READWRITE));
    if (FBase == nullptr)
        throw std::runtime_error("no guarded buffer");
    DWORD old;
    VirtualProtect(FBase + FSize - page, page, PAGE_NOACCESS, &old);
    char* data = FBase + FSize - page - bytes.size();
    std::memcpy(data, bytes.data(), bytes.size());
    FData = data;
}

TGuardedBuffer::~TGuardedBuffer() {
    VirtualFree(FBase, 0, MEM_RELEASE);
}

TUnreadableFile::TUnreadableFile(const std::string& path)
    : FPath(path), FHandle(reinterpret_cast<std::intptr_t>(
                       CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
    if (reinterpret_cast<HANDLE>(FHandle) == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot hold " + path);
}

TUnreadableFile::~TUnreadableFile() {
    CloseHandle(reinterpret_cast<HANDLE>(FHandle));
}

#else

TScratchFolder::TScratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/pelXXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("no scratch folder");
    FPath = WindowsFrom(pattern) + "\\";
}

TScratchFolder::~TScratchFolder() {
    const std::string dir = PosixFrom(FPath);
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* entry = readdir(d))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                unlink((dir + entry->d_name).c_str());
        closedir(d);
    }
    rmdir(dir.c_str());
}

std::string TScratchFolder::Write(const std::string& name, std::string_view bytes) {
    const std::string path = FPath + name;
    FILE* file = std::fopen(PosixFrom(path).c_str(), "wb");
    if (file == nullptr)
        throw std::runtime_error("cannot create " + path);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !ok)
        throw std::runtime_error("cannot write " + path);
    return path;
}

namespace {
std::string StoreFile() {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/pellmark-copy-test-" +
           std::to_string(getpid()) + ".reg";
}
} // namespace

TScratchFormatStore::TScratchFormatStore() {
    if (const char* old = std::getenv("PELLMARK_REGISTRY")) {
        FSaved = old;
        FHadValue = true;
    }
    unlink(StoreFile().c_str());
    setenv("PELLMARK_REGISTRY", StoreFile().c_str(), 1);
}

TScratchFormatStore::~TScratchFormatStore() {
    unlink(StoreFile().c_str());
    if (FHadValue)
        setenv("PELLMARK_REGISTRY", FSaved.c_str(), 1);
    else
        unsetenv("PELLMARK_REGISTRY");
}

void TScratchFormatStore::Damage() {
    FILE* file = std::fopen(StoreFile().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("not a registry store\n", file);
    std::fclose(file);
}

TGuardedBuffer::TGuardedBuffer(std::string_view bytes, Placement) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t pages = (bytes.size() + page - 1) / page + 1;
    FSize = pages * page;
    void* base = mmap(nullptr, FSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED)
        throw std::runtime_error("no guarded buffer");
    FBase = static_cast<char*>(base);
    mprotect(FBase + FSize - page, page, PROT_NONE);
    char* data = FBase + FSize - page - bytes.size();
    std::memcpy(data, bytes.data(), bytes.size());
    FData = data;
}

TGuardedBuffer::~TGuardedBuffer() {
    munmap(FBase, FSize);
}

TUnreadableFile::TUnreadableFile(const std::string& path) : FPath(PosixFrom(path)), FHandle(-1) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (FPath.size() >= sizeof address.sun_path)
        throw std::runtime_error("path too long for a socket: " + FPath);
    std::memcpy(address.sun_path, FPath.c_str(), FPath.size() + 1);
    unlink(FPath.c_str());
    FHandle = socket(AF_UNIX, SOCK_STREAM, 0);
    if (FHandle < 0 ||
        bind(static_cast<int>(FHandle), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot make " + FPath + " unreadable");
}

TUnreadableFile::~TUnreadableFile() {
    if (FHandle >= 0)
        close(static_cast<int>(FHandle));
    unlink(FPath.c_str());
}

#endif

void TScratchFormatStore::Save(const std::string& formatText) {
    TFormatLibrary format;
    format.FormatName = ClipBoardFormatName;
    format.SetFormatText(formatText);
    format.SaveToRegistry();
}

std::string ShortcutText(const std::string& url, const std::string& comment,
                         const std::string& lastVisit) {
    std::string text = "[InternetShortcut]\r\nURL=" + url + "\r\n";
    if (!comment.empty() || !lastVisit.empty()) {
        text += "[Log]\r\n";
        if (!comment.empty())
            text += "UserComment=" + comment + "\r\n";
        if (!lastVisit.empty())
            text += "LastVisit=" + lastVisit + "\r\n";
    }
    return text;
}
