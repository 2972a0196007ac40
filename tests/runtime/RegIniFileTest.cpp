// Registry access by sections and values, under a scratch key removed before
// and after each test (posix: a scratch store file).

#include "runtime/RegIniFile.h"
#include "runtime/Exception.h"
#include "runtime/FileSystem.h"
#include "runtime/Messages.h"
#include "tests/common/ExpectThrow.h"
#include "tests/common/Files.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/ScratchRegistry.h"

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const std::string ScratchKey = "Software\\PellmarkTests\\RegIniFile";

class RegIniFileTest : public testing::Test {
protected:
    TScratchRegistry FRegistry{{ScratchKey}};
#ifndef _WIN32
    const std::string FStore = FRegistry.StoreFile();
#endif
};

} // namespace

TEST_F(RegIniFileTest, MissingSectionOrValueGivesTheDefault) {
    TRegIniFile reg(ScratchKey);
    EXPECT_EQ(reg.ReadString("Format", "FormatText", "%p : %u%z"), "%p : %u%z");
    reg.WriteString("Format", "Other", "x");
    EXPECT_EQ(reg.ReadString("Format", "FormatText", "%p : %u%z"), "%p : %u%z");
}

TEST_F(RegIniFileTest, AnEmptyValueIsNotMissing) {
    TRegIniFile(ScratchKey).WriteString("Format", "FormatText", "");
    EXPECT_EQ(TRegIniFile(ScratchKey).ReadString("Format", "FormatText", "default"), "");
}

TEST_F(RegIniFileTest, ValuesRoundTripByteForByte) {
    // Every one-byte character of code page 932; the real registry stores
    // text as Unicode, so only valid code page 932 text survives it.
    std::string everyByte;
    for (int c = 1; c < 256; ++c)
        if (c < 0x80 || (c >= 0xA1 && c <= 0xDF))
            everyByte += static_cast<char>(c);
    const std::string values[] = {"%p : %u%z",
                                  "a\tb\r\nc\\d\\\\e\\n",
                                  "表示\\ソ %1d",
                                  "  blanks around  ",
                                  "K\tfake\tline\nV\t\t\t",
                                  everyByte,
                                  std::string(100000, 'w')};
    for (const std::string& value : values) {
        TRegIniFile(ScratchKey).WriteString("Format", "FormatText", value);
        EXPECT_EQ(TRegIniFile(ScratchKey).ReadString("Format", "FormatText", "default"), value)
            << value.size();
    }
}

TEST_F(RegIniFileTest, NamesMatchWhateverTheirCase) {
    TRegIniFile reg(ScratchKey);
    reg.WriteString("Format", "FormatText", "first");
    reg.WriteString("FORMAT", "formattext", "second");
    EXPECT_EQ(TRegIniFile(ScratchKey).ReadString("format", "FORMATTEXT", ""), "second");
    EXPECT_EQ(
        TRegIniFile("software\\pellmarktests\\reginifile").ReadString("Format", "FormatText", ""),
        "second");
}

TEST_F(RegIniFileTest, DelimitersAroundKeysAndSectionsNameTheSameKey) {
    TRegIniFile("\\" + ScratchKey + "\\").WriteString("\\Format\\", "FormatText", "trimmed");
    EXPECT_EQ(TRegIniFile(ScratchKey).ReadString("Format", "FormatText", ""), "trimmed");
    EXPECT_EQ(TRegIniFile("\\" + ScratchKey).ReadString("Format\\", "FormatText", ""), "trimmed");
    TRegIniFile(ScratchKey).WriteString("\\", "V", "in key");
    EXPECT_EQ(TRegIniFile(ScratchKey).ReadString("", "V", ""), "in key");
}

TEST_F(RegIniFileTest, EachReadSeesTheLatestWrite) {
    TRegIniFile reader(ScratchKey);
    TRegIniFile writer(ScratchKey);
    EXPECT_EQ(reader.ReadString("Format", "FormatText", "none"), "none");
    writer.WriteString("Format", "FormatText", "saved");
    EXPECT_EQ(reader.ReadString("Format", "FormatText", "none"), "saved");
    writer.WriteString("Format", "FormatText", "again");
    EXPECT_EQ(reader.ReadString("Format", "FormatText", "none"), "again");
}

TEST_F(RegIniFileTest, SectionsAreSeparateAndTheEmptySectionIsTheKey) {
    TRegIniFile reg(ScratchKey);
    reg.WriteString("A", "V", "in A");
    reg.WriteString("B", "V", "in B");
    reg.WriteString("", "V", "in key");
    EXPECT_EQ(reg.ReadString("A", "V", ""), "in A");
    EXPECT_EQ(reg.ReadString("B", "V", ""), "in B");
    EXPECT_EQ(reg.ReadString("", "V", ""), "in key");
    EXPECT_EQ(reg.ReadString("C", "V", "none"), "none");
}

TEST_F(RegIniFileTest, AStringEndsAtItsFirstNul) {
    TRegIniFile reg(ScratchKey);
    reg.WriteString("Format", "FormatText", std::string("ab\0cd", 5));
    EXPECT_EQ(reg.ReadString("Format", "FormatText", ""), "ab");
}

#ifdef _WIN32
TEST_F(RegIniFileTest, OpeningCreatesTheKeyAndANonStringValueRaises) {
    { TRegIniFile reg(ScratchKey + "\\Made"); }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (ScratchKey + "\\Made").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    WriteRegistryValue({ScratchKey + "\\Made\\Format", "FormatText"},
                       TStoredValue{REG_DWORD, std::string("\x07\0\0\0", 4)});
    ExpectThrowMessage<ERegistryException>(
        [&] { TRegIniFile(ScratchKey + "\\Made").ReadString("Format", "FormatText", ""); },
        Messages::RegistryValueNotString("HKEY_CURRENT_USER\\" + ScratchKey + "\\Made\\Format",
                                         "FormatText"));
}
#else
TEST_F(RegIniFileTest, TheStoreKeepsBytesThatAreNoText) {
    std::string everyByte;
    for (int c = 1; c < 256; ++c)
        everyByte += static_cast<char>(c);
    TRegIniFile(ScratchKey).WriteString("Format", "FormatText", everyByte);
    EXPECT_EQ(TRegIniFile(ScratchKey).ReadString("Format", "FormatText", ""), everyByte);
}

TEST_F(RegIniFileTest, OpeningCreatesTheStoreAndADamagedStoreRaises) {
    { TRegIniFile reg(ScratchKey); }
    EXPECT_TRUE(FileExists(FStore));
    WriteBytes(FStore, "K\tSoftware\nV\tonly two\n");
    ExpectThrowMessage<ERegistryException>([&] { TRegIniFile reg(ScratchKey); },
                                           Messages::RegistryStoreDamaged(FStore, 2));
}

TEST_F(RegIniFileTest, TheStoreFollowsTheEnvironment) {
    const std::string other = OsPath(ScratchPath("config"));
    RemoveTree(other);
    unsetenv("PELLMARK_REGISTRY");
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string restoreConfig = savedConfig != nullptr ? savedConfig : "";
    setenv("XDG_CONFIG_HOME", (other + "/deeper").c_str(), 1);
    TRegIniFile(ScratchKey).WriteString("S", "V", "here");
    EXPECT_TRUE(FileExists(other + "/deeper/pellmark-registry"));
    if (savedConfig != nullptr)
        setenv("XDG_CONFIG_HOME", restoreConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    RemoveTree(other);
}
#endif
