// File existence, the temporary folder and folder creation.

#include "runtime/FileSystem.h"
#include "tests/common/Files.h"
#include "tests/common/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(FileSystemTest, TempPathEndsInADelimiter) {
    const std::string temp = SystemTempPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(ForceDirectories(temp));
}

#ifndef _WIN32
TEST(FileSystemTest, TempPathFollowsTmpdir) {
    const char* saved = std::getenv("TMPDIR");
    const std::string restore = saved != nullptr ? saved : "";
    setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(SystemTempPath(), "\\var\\tmp\\");
    setenv("TMPDIR", "/var/tmp/", 1);
    EXPECT_EQ(SystemTempPath(), "\\var\\tmp\\");
    unsetenv("TMPDIR");
    EXPECT_EQ(SystemTempPath(), "\\tmp\\");
    if (saved != nullptr)
        setenv("TMPDIR", restore.c_str(), 1);
}
#endif

TEST(FileSystemTest, FileExistsOnlyForFiles) {
    const std::string file = ScratchPath("exists.url");
    const std::string folder = ScratchPath("existsfolder");
    WriteBytes(file, "x");
    ASSERT_TRUE(ForceDirectories(folder));
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(ScratchPath("nothing.url")));
    EXPECT_FALSE(FileExists(""));
    RemoveFile(file);
    RemoveTree(folder);
}

TEST(FileSystemTest, ForceDirectoriesCreatesTheMissingParents) {
    const std::string root = ScratchPath("force");
    RemoveTree(root);
    // Windows-style delimiters work on both backends; "表" and "ソ" end in 0x5C.
    const std::string deep = root + "\\a\\表\\ソ";
    ASSERT_TRUE(ForceDirectories(deep + "\\"));
    EXPECT_TRUE(ForceDirectories(deep));
    const std::string file = deep + "\\f.url";
    WriteBytes(file, "x");
    EXPECT_TRUE(FileExists(file));
#ifndef _WIN32
    EXPECT_TRUE(FileExists(root + "/a/表/ソ/f.url"));
#endif
    EXPECT_FALSE(ForceDirectories(file + "\\below"));
    EXPECT_FALSE(ForceDirectories(""));
    RemoveTree(root);
}
