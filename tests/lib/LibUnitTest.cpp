// Path helpers: the trailing backslash rules (last byte only) and the
// temporary folder.

#include "lib/LibUnit.h"
#include "runtime/FileSystem.h"
#include "tests/common/Files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

struct Row {
    std::string Path, Added, Removed;
};

TEST(LibUnitBackslashTest, LastByteDecides) {
    const Row rows[] = {
        {"", "", ""},
        {"C:\\Temp", "C:\\Temp\\", "C:\\Temp"},
        {"C:\\Temp\\", "C:\\Temp\\", "C:\\Temp"},
        {"C:\\", "C:\\", "C:"},
        {"C:", "C:\\", "C:"},
        {"\\", "\\", ""},
        {"\\\\", "\\\\", "\\"},
        {"C:\\Temp\\\\", "C:\\Temp\\\\", "C:\\Temp\\"},
        {"/tmp/", "/tmp/\\", "/tmp/"},
        // 表 ends in 0x5C: it counts as a backslash, and removing cuts it.
        {"C:\\表", "C:\\表", "C:\\\x95"},
        {"C:\\ソ\\", "C:\\ソ\\", "C:\\ソ"},
        {"C:\\あ", "C:\\あ\\", "C:\\あ"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(AddTrailingBackslash(row.Path), row.Added) << row.Path;
        EXPECT_EQ(RemoveTrailingBackslash(row.Path), row.Removed) << row.Path;
    }
}

std::string ProcessId() {
#ifdef _WIN32
    return std::to_string(GetCurrentProcessId());
#else
    return std::to_string(getpid());
#endif
}

TEST(LibUnitTempFolderTest, EndsInOneBackslash) {
    const std::string folder = GetTempFolder("", false);
    ASSERT_GE(folder.size(), 2u);
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(folder, SystemTempPath());
    EXPECT_NE(folder[folder.size() - 2], '\\');
    EXPECT_TRUE(IsDirectory(folder));
}

TEST(LibUnitTempFolderTest, CreatesSubFolderWhenAsked) {
    const std::string top = "PellmarkLibTest" + ProcessId();
    const std::string base = GetTempFolder("", false);
    RemoveTree(base + top);

    const std::string plain = GetTempFolder(top, false);
    EXPECT_EQ(plain, base + top);
    EXPECT_FALSE(PathExists(plain));

    const std::string nested = GetTempFolder(top + "\\Sub", true);
    EXPECT_EQ(nested, base + top + "\\Sub");
    EXPECT_TRUE(IsDirectory(nested));
    RemoveTree(base + top);
}

// A temporary folder longer than a fixed buffer of 257 bytes comes back whole.
TEST(LibUnitTempFolderTest, LongTemporaryFolder) {
    const std::string base = GetTempFolder("", false);
#ifdef _WIN32
    // 257 bytes before the added backslash; Wine refuses more than MAX_PATH.
    const std::string longName(257 - base.size(), 'x');
    const char* variable = "TMP";
    char saved[32768] = {};
    const bool had = GetEnvironmentVariableA(variable, saved, sizeof saved) > 0;
    ASSERT_TRUE(SetEnvironmentVariableA(variable, (base + longName).c_str()));
    const std::string folder = GetTempFolder("Sub", false);
    SetEnvironmentVariableA(variable, had ? saved : nullptr);
    EXPECT_EQ(folder, base + longName + "\\Sub");
#else
    const std::string longName(300, 'x');
    const char* variable = "TMPDIR";
    const char* old = std::getenv(variable);
    const std::string saved = old != nullptr ? old : "";
    setenv(variable, ("/tmp/" + longName).c_str(), 1);
    const std::string folder = GetTempFolder("Sub", false);
    if (old != nullptr)
        setenv(variable, saved.c_str(), 1);
    else
        unsetenv(variable);
    EXPECT_EQ(folder, "\\tmp\\" + longName + "\\Sub");
#endif
}

} // namespace
