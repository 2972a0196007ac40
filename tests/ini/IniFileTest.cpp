// TIniFile of the build's backend, end to end on scratch files.

#include "runtime/IniFile.h"

#include "runtime/Exception.h"
#include "runtime/IniText.h"
#include "runtime/Messages.h"
#include "tests/common/ExpectThrow.h"
#include "tests/common/Files.h"
#include "tests/common/IniGenerator.h"
#include "tests/common/ScratchFolder.h"
#include "tests/ini/IniTestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

class IniFileTest : public testing::Test {
protected:
    TScratchFolder Folder;
};

TEST_F(IniFileTest, MissingFileReadsDefaultsAndStaysMissing) {
    const std::string name = Folder.OsPath("none.url");
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("InternetShortcut", "URL", ""), "");
    EXPECT_EQ(ini.ReadString("InternetShortcut", "URL", "def  "), "def  ");
    EXPECT_EQ(ini.ReadString("Log", "LastVisit", "\x81\x40"), "\x81\x40");
    EXPECT_FALSE(fs::exists(Folder.OsPath("none.url")));
}

TEST_F(IniFileTest, EmptyValueIsNotTheDefault) {
    WriteBytes(Folder.OsPath("a.url"), "[Log]\r\nUserComment=\r\n");
    TIniFile ini(Folder.OsPath("a.url"));
    EXPECT_EQ(ini.ReadString("Log", "UserComment", "def"), "");
    EXPECT_EQ(ini.ReadString("Log", "LastVisit", "def"), "def");
}

TEST_F(IniFileTest, WriteCreatesTheFileAsWindowsLaysItOut) {
    const std::string name = Folder.OsPath("new.url");
    {
        TIniFile ini(name);
        ini.WriteString("InternetShortcut", "URL", "http://example.com/");
        EXPECT_EQ(ReadBytes(Folder.OsPath("new.url")),
                  "[InternetShortcut]\r\nURL=http://example.com/\r\n");
        ini.WriteString("Log", "UserComment", "");
        ini.WriteString("Log", "LastVisit", "01/02/03 04:05");
        EXPECT_EQ(ini.ReadString("Log", "LastVisit", "def"), "01/02/03 04:05");
    }
    EXPECT_EQ(ReadBytes(Folder.OsPath("new.url")),
              "[InternetShortcut]\r\nURL=http://example.com/\r\n"
              "[Log]\r\nUserComment=\r\nLastVisit=01/02/03 04:05\r\n");
}

TEST_F(IniFileTest, SaveKeepsTheRestOfAShortcut) {
    const std::string before = "[{000214A0-0000-0000-C000-000000000046}]\r\n"
                               "Prop3=19,2\r\n"
                               "[InternetShortcut]\r\n"
                               "URL=http://old/\r\n"
                               "IconIndex=1\r\n"
                               "[Log]\r\n"
                               "UserComment=古い\r\n";
    WriteBytes(Folder.OsPath("s.url"), before);
    {
        TIniFile ini(Folder.OsPath("s.url"));
        EXPECT_EQ(ini.ReadString("InternetShortcut", "URL", ""), "http://old/");
        ini.WriteString("InternetShortcut", "URL", "http://new/?a=b");
        ini.WriteString("Log", "UserComment", "新しい");
        ini.WriteString("Log", "LastVisit", "");
        EXPECT_EQ(ini.ReadString("Log", "UserComment", ""), "新しい");
    }
    TIniFile reread(Folder.OsPath("s.url"));
    EXPECT_EQ(reread.ReadString("{000214A0-0000-0000-C000-000000000046}", "Prop3", ""), "19,2");
    EXPECT_EQ(reread.ReadString("InternetShortcut", "URL", ""), "http://new/?a=b");
    EXPECT_EQ(reread.ReadString("InternetShortcut", "IconIndex", ""), "1");
    EXPECT_EQ(reread.ReadString("Log", "UserComment", ""), "新しい");
    EXPECT_EQ(reread.ReadString("Log", "LastVisit", "def"), "");
#ifndef _WIN32
    // Our writer keeps every byte it has no reason to touch.
    EXPECT_EQ(ReadBytes(Folder.OsPath("s.url")),
              "[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n"
              "[InternetShortcut]\r\nURL=http://new/?a=b\r\nIconIndex=1\r\n"
              "[Log]\r\nUserComment=新しい\r\nLastVisit=\r\n");
#endif
}

// Lengths around the sizes a buffer-based reader would use, in single and
// double bytes, so that no cut can go unnoticed.
TEST_F(IniFileTest, ValuesComeBackWholeWhateverTheirLength) {
    for (const std::size_t length : {1021u, 1022u, 1023u, 1024u, 2047u, 4095u, 65535u, 70001u}) {
        for (const bool doubleByte : {false, true}) {
            std::string value;
            while (value.size() + 1 < length)
                value += doubleByte ? "日" : "ab";
            if (value.size() < length)
                value += 'z';
            SCOPED_TRACE(std::to_string(length) + (doubleByte ? " double-byte" : ""));
            WriteBytes(Folder.OsPath("long.ini"), "[S]\r\nk=" + value + "\r\nz=1\r\n");
            TIniFile ini(Folder.OsPath("long.ini"));
            EXPECT_EQ(ini.ReadString("S", "k", ""), value);
            fs::remove(Folder.OsPath("long.ini"));
        }
    }
}

// Every generated file read from disk answers as its bytes do: a fault in
// reading the file (a short read, a lost byte order mark or NUL, a stale
// copy) shows here, with the seed that makes the file again.
TEST_F(IniFileTest, GeneratedFilesReadAsTheirBytes) {
    std::size_t differences = 0;
    for (std::uint64_t seed = 1; seed <= 10000; ++seed) {
        const TGeneratedIni generated = GenerateIni(seed);
        const std::string file = Folder.OsPath(std::to_string(seed % 16).append(".ini"));
        OverwriteBytes(file, generated.Bytes);
        TIniFile ini(file);
        const TIniText text(generated.Bytes);
        for (const TIniQuestion& q : generated.Questions) {
            const std::string read = ini.ReadString(q.Section, q.Ident, "\n");
            if (read == text.Find(q.Section, q.Ident).value_or("\n") || ++differences > 10)
                continue;
            ADD_FAILURE() << "GenerateIni(" << seed << "): [" << EscapeBytes(q.Section) << "] "
                          << EscapeBytes(q.Ident) << " reads \"" << EscapeBytes(read)
                          << "\"\n  file: " << EscapeBytes(generated.Bytes);
        }
    }
    EXPECT_EQ(differences, 0U);
}

TEST_F(IniFileTest, Utf16FileIsWrittenBackInUtf16) {
    WriteBytes(Folder.OsPath("w.url"), Utf16LEFile(u"[InternetShortcut]\r\nURL=http://a/\r\n"));
    {
        TIniFile ini(Folder.OsPath("w.url"));
        EXPECT_EQ(ini.ReadString("InternetShortcut", "URL", ""), "http://a/");
        ini.WriteString("Log", "UserComment", "日本");
    }
    const std::string after = ReadBytes(Folder.OsPath("w.url"));
    EXPECT_EQ(after.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(after.find(Utf16LEFile(u"UserComment=日本", false)), std::string::npos);
    EXPECT_EQ(TIniFile(Folder.OsPath("w.url")).ReadString("Log", "UserComment", ""), "日本");
#ifndef _WIN32
    EXPECT_EQ(after,
              Utf16LEFile(u"[InternetShortcut]\r\nURL=http://a/\r\n[Log]\r\nUserComment=日本\r\n"));
#endif
}

TEST_F(IniFileTest, BinaryFileNeitherCrashesNorLosesItsBytes) {
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk.push_back(static_cast<char>((i * 7919) & 0xFF));
    WriteBytes(Folder.OsPath("bin.url"), junk);
    TIniFile ini(Folder.OsPath("bin.url"));
    EXPECT_EQ(ini.ReadString("InternetShortcut", "URL", "none"), "none");
#ifndef _WIN32
    ini.WriteString("InternetShortcut", "URL", "u");
    EXPECT_EQ(ReadBytes(Folder.OsPath("bin.url")).substr(0, junk.size()), junk);
    EXPECT_EQ(TIniFile(Folder.OsPath("bin.url")).ReadString("InternetShortcut", "URL", ""), "u");
#endif
}

TEST_F(IniFileTest, WriteIntoMissingFolderRaises) {
    const std::string name = Folder.OsPath("no-such-folder") + "\\x.url";
    TIniFile ini(name);
    ExpectThrowMessageWithSystemText<EIniFileException>([&] { ini.WriteString("S", "k", "v"); },
                                                        Messages::FileWriteFailed(name, {}));
}

TEST_F(IniFileTest, WriteOverAFolderRaisesAndLeavesItAlone) {
    fs::create_directory(Folder.OsPath("dir.url"));
    TIniFile ini(Folder.OsPath("dir.url"));
    EXPECT_EQ(ini.ReadString("S", "k", "def"), "def");
    EXPECT_THROW(ini.WriteString("S", "k", "v"), EIniFileException);
    EXPECT_TRUE(fs::is_directory(Folder.OsPath("dir.url")));
}

TEST_F(IniFileTest, LineBreakInValueIsRefusedAndFileUnchanged) {
    const std::string before = "[Log]\r\nUserComment=a\r\n";
    WriteBytes(Folder.OsPath("c.url"), before);
    const std::string name = Folder.OsPath("c.url");
    TIniFile ini(name);
    ExpectThrowMessage<EIniFileException>(
        [&] {
            ini.WriteString("Log", "UserComment", "x\r\n[InternetShortcut]\r\nURL=http://evil/");
        },
        Messages::FileWriteRefused(name, Messages::IniLineBreakOrNul()));
    EXPECT_EQ(ReadBytes(Folder.OsPath("c.url")), before);
}

// The file is read once per object, at the first query; a new object reads
// it as it is then.
TEST_F(IniFileTest, AnotherWritersChangeIsSeenByANewObject) {
    WriteBytes(Folder.OsPath("once.url"), "[S]\r\nk=1\r\n");
    TIniFile ini(Folder.OsPath("once.url"));
    EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
    WriteBytes(Folder.OsPath("once.url"), "[S]\r\nk=2\r\n");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
    EXPECT_EQ(TIniFile(Folder.OsPath("once.url")).ReadString("S", "k", ""), "2");
}

// The value as written, before any conversion to code page 932, from a
// UTF-16 or UTF-8 file by the rules ReadString follows; nothing from a code
// page 932 file, for an absent key or for a missing file.
TEST_F(IniFileTest, ReadUnicodeStringGivesTheValueBeforeConversion) {
    using namespace std::string_literals;
    const std::u16string url = u"http://example.com/caf\u00E9/\uD55C\uAD6D?q=\U0001F363";
    const std::u8string url8 = u8"http://example.com/caf\u00E9/\uD55C\uAD6D?q=\U0001F363";
    struct TRow {
        const char* Name;
        std::string Bytes;
        std::optional<std::u16string> Expected;
    };
    const TRow rows[] = {
        {"utf-16le", Utf16LEFile(u"[InternetShortcut]\r\nURL=" + url + u"\r\n"), url},
        {"utf-16be, case, blanks and quotes",
         Utf16BEFile(u"[ internetshortcut ]\nurl = \"" + url + u"\" \n"), url},
        {"utf-8", Utf8File(u8"[InternetShortcut]\r\nURL=" + url8 + u8"\r\n"), url},
        {"first section and key win",
         Utf16LEFile(u"[InternetShortcut]\rURL=" + url + u"\rURL=x\r[InternetShortcut]\rURL=y\r"),
         url},
        {"a NUL ends the value", Utf16LEFile(u"[InternetShortcut]\r\nURL=" + url + u"\0tail\r\n"s),
         url},
        {"absent key", Utf16LEFile(u"[InternetShortcut]\r\nIconIndex=0\r\n"), std::nullopt},
        {"code page 932", "[InternetShortcut]\r\nURL=http://example.com/\r\n", std::nullopt},
    };
    for (const TRow& row : rows) {
        WriteBytes(Folder.OsPath("w.url"), row.Bytes);
        EXPECT_EQ(TIniFile(Folder.OsPath("w.url")).ReadUnicodeString("InternetShortcut", "URL"),
                  row.Expected)
            << row.Name;
    }
    EXPECT_EQ(TIniFile(Folder.OsPath("none.url")).ReadUnicodeString("InternetShortcut", "URL"),
              std::nullopt);
}

#ifndef _WIN32

TEST_F(IniFileTest, WriteKeepsPermissionsAndFollowsLinks) {
    const std::string real = Folder.OsPath("real.url");
    WriteBytes(real, "[S]\r\nk=1\r\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, Folder.OsPath("link.url"));
    TIniFile(Folder.OsPath("link.url")).WriteString("S", "k", "2");
    EXPECT_TRUE(fs::is_symlink(Folder.OsPath("link.url")));
    EXPECT_EQ(ReadBytes(real), "[S]\r\nk=2\r\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder.OsPath("")), fs::directory_iterator()),
              2);
}
#endif

} // namespace
