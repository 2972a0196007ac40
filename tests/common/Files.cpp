// Files by path for the tests. Built with a UTF-8 execution character set:
// <chrono> holds a literal that code page 932 cannot represent, and nothing
// here needs code page 932 text.

#include "tests/common/Files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include "runtime/posix/PosixPath.h"

#include <ctime>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utime.h>
#endif

namespace fs = std::filesystem;

std::string OsPath(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    return ToPosixPath(path);
#endif
}

std::string HostPath(const std::string& machinePath) {
#ifdef _WIN32
    return "Z:" + machinePath;
#else
    return machinePath;
#endif
}

std::string ReadSourceFile(const std::string& relative) {
    return ReadBytes(HostPath(std::string(PELL_SOURCE_DIR) + "/" + relative));
}

std::vector<std::string> ReadSourceFolder(const std::string& relative) {
    std::vector<fs::path> names;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(HostPath(std::string(PELL_SOURCE_DIR) + "/" + relative)))
        if (entry.is_regular_file())
            names.push_back(entry.path());
    std::sort(names.begin(), names.end());
    std::vector<std::string> files;
    for (const fs::path& name : names) {
        // By the path object: its name may hold characters the ANSI code page lacks.
        std::ifstream in(name, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in && !in.eof())
            throw std::runtime_error("cannot read " + relative + "/" + name.filename().string());
    }
    return files;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(OsPath(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path + " for reading");
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw std::runtime_error("cannot read " + path);
    return bytes;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(OsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void OverwriteBytes(const std::string& path, std::string_view bytes) {
    {
        std::fstream out(OsPath(path), std::ios::binary | std::ios::in | std::ios::out);
        if (!out) {
            WriteBytes(path, bytes);
            return;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + path);
    }
    std::error_code error;
    fs::resize_file(OsPath(path), bytes.size(), error);
    if (error)
        throw std::runtime_error("cannot cut " + path + ": " + error.message());
}

bool PathExists(const std::string& path) {
    return fs::exists(OsPath(path));
}

bool IsDirectory(const std::string& path) {
    return fs::is_directory(OsPath(path));
}

void RemoveFile(const std::string& path) {
    std::remove(OsPath(path).c_str());
}

#ifdef _WIN32

namespace {

// Through the "\\?\" form, so that long paths and device names go as well.
void RemoveTreeWide(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..")
                RemoveTreeWide(path + L"\\" + name);
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

std::wstring Widen(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

} // namespace

void RemoveTree(const std::string& path) {
    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return;
    std::wstring wide = WideExtendedPath(std::string(full, length));
    while (wide.size() > 7 && wide.back() == L'\\')
        wide.pop_back();
    RemoveTreeWide(wide);
}

std::wstring WideExtendedPath(const std::string& fullPath) {
    return L"\\\\?\\" + Widen(fullPath);
}

void CreateFolderWide(const std::wstring& path) {
    if (!CreateDirectoryW(path.c_str(), nullptr))
        throw std::runtime_error("cannot create a folder by its wide name");
}

void WriteBytesWide(const std::wstring& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create a file by its wide name");
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size())
        throw std::runtime_error("cannot write a file by its wide name");
}

std::vector<std::string> AnsiListing(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot list " + folder);
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

#else

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    fs::remove_all(OsPath(path), ignored);
}

#endif

void AgeFile(const std::string& path, int days) {
    const std::string file = OsPath(path);
    fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(24) * days);
}

void SetLocalModificationTime(const std::string& path, int year, int month, int day, int hour,
                              int minute, int second) {
#ifdef _WIN32
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(year);
    local.wMonth = static_cast<WORD>(month);
    local.wDay = static_cast<WORD>(day);
    local.wHour = static_cast<WORD>(hour);
    local.wMinute = static_cast<WORD>(minute);
    local.wSecond = static_cast<WORD>(second);
    FILETIME localTime{}, utcTime{};
    if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utcTime))
        throw std::runtime_error("no file time for the date of " + path);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path + " to set its time");
    const BOOL set = SetFileTime(file, nullptr, nullptr, &utcTime);
    CloseHandle(file);
    if (!set)
        throw std::runtime_error("cannot set the time of " + path);
#else
    tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    utimbuf times{};
    times.actime = times.modtime = mktime(&local);
    if (utime(OsPath(path).c_str(), &times) != 0)
        throw std::runtime_error("cannot set the time of " + path);
#endif
}

#ifdef _WIN32

TUnreadableFile::TUnreadableFile(const std::string& path)
    : FPath(path), FHandle(reinterpret_cast<std::intptr_t>(
                       CreateFileW(WideExtendedPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
    if (reinterpret_cast<HANDLE>(FHandle) == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot hold " + path);
}

TUnreadableFile::~TUnreadableFile() {
    CloseHandle(reinterpret_cast<HANDLE>(FHandle));
}

#else

TUnreadableFile::TUnreadableFile(const std::string& path) : FPath(OsPath(path)), FHandle(-1) {
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
