// File-system helpers of the library tests. Built with a UTF-8 execution
// character set: the standard <chrono> header holds a literal that code page
// 932 cannot represent, and nothing here needs code page 932 text.

#include "tests/lib/LibTestSupport.h"

#include <atomic>
#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

TScratchFolder::TScratchFolder() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path dir = fs::temp_directory_path() /
                         ("pell-lib-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(dir);
    FDir = dir.string();
}

TScratchFolder::~TScratchFolder() {
    RemoveTree(FDir);
}

std::string TScratchFolder::Path(const std::string& name) const {
    return (fs::path(FDir) / name).string();
}

void AgeFile(const std::string& path, int days) {
    fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(24) * days);
}

bool IsDirectory(const std::string& path) {
    return fs::is_directory(path);
}

bool PathExists(const std::string& path) {
    return fs::exists(path);
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}
