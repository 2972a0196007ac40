// Scratch files and file times for the runtime suites.

#include "RuntimeTestSupport.h"

#include "runtime/FileSystem.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include "runtime/posix/PosixPath.h"

#include <ctime>
#include <unistd.h>
#include <utime.h>
#endif

namespace {

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

// The operating system's own spelling of a runtime path.
std::string SystemPath(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    return ToPosixPath(path);
#endif
}

} // namespace

std::string ScratchPath(const std::string& name) {
    return SystemTempPath() + "pellrt" + std::to_string(ProcessId()) + "_" + name;
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(SystemPath(path), std::ios::binary);
    out << text;
    ASSERT_TRUE(out.good()) << path;
}

void RemoveFile(const std::string& path) {
    std::remove(SystemPath(path).c_str());
}

void RemoveTree(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(SystemPath(path)), error);
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
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
    ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &utcTime));
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    const BOOL set = SetFileTime(file, nullptr, nullptr, &utcTime);
    CloseHandle(file);
    ASSERT_TRUE(set);
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
    ASSERT_EQ(utime(SystemPath(path).c_str(), &times), 0) << path;
#endif
}
