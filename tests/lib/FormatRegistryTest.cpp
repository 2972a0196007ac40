// The format's storage in the registry: the default, an empty format and an
// exact round trip. Natively the registry is a scratch file; under Windows a
// scratch key of the real current-user hive, deleted before and after.

#include "lib/FormatLibrary.h"
#include "tests/common/ScratchRegistry.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// The one place that spells the key the two plug-ins agree on.
const std::string KeyPrefix = "software\\Oskel\\Orrel\\Plugins\\FormatLibrary\\";

std::string ScratchName() {
#ifdef _WIN32
    return "PellmarkTest" + std::to_string(GetCurrentProcessId());
#else
    return "PellmarkTest" + std::to_string(getpid());
#endif
}

class FormatRegistryTest : public testing::Test {
protected:
    static TFormatLibrary Library(const std::string& name) {
        TFormatLibrary library;
        library.FormatName = name;
        return library;
    }

    static std::string Loaded(const std::string& name) {
        TFormatLibrary library = Library(name);
        library.LoadFromRegistry();
        return library.FormatText;
    }

    static void Saved(const std::string& name, const std::string& text) {
        TFormatLibrary library = Library(name);
        library.SetFormatText(text);
        library.SaveToRegistry();
        EXPECT_EQ(library.FormatText, text);
    }

    const std::string FName = ScratchName();

private:
    TScratchRegistry FRegistry{{KeyPrefix + FName, KeyPrefix + FName + "b"}};
};

TEST(FormatRegistryKeyTest, IsTheKeyBothPlugInsAgreeOn) {
    EXPECT_EQ(FormatRegistryKey(ClipBoardFormatName), KeyPrefix + "PellmarkClipBoard");
    EXPECT_STREQ(FormatSection, "Format");
    EXPECT_STREQ(FormatValueName, "FormatText");
    EXPECT_STREQ(DefaultFormatText, "%p : %u%z");
}

TEST_F(FormatRegistryTest, DefaultWhenNeverSaved) {
    EXPECT_EQ(Loaded(FName), "%p : %u%z");
#ifdef _WIN32
    // The first load leaves the key behind, without a value.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (KeyPrefix + FName).c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
#endif
}

TEST_F(FormatRegistryTest, LoadReplacesTheText) {
    TFormatLibrary library = Library(FName);
    library.SetFormatText("%c");
    library.LoadFromRegistry();
    EXPECT_EQ(library.FormatText, "%p : %u%z");
    EXPECT_EQ(library.FormatName, FName);
}

TEST_F(FormatRegistryTest, EmptyFormatIsNotTheDefault) {
    Saved(FName, "");
    EXPECT_EQ(Loaded(FName), "");
}

TEST_F(FormatRegistryTest, TextRoundTripsByteForByte) {
    const std::string texts[] = {
        "%u",
        " leading and trailing blanks ",
        "\"quoted\"",
        "'single'",
        "a=b;c#d\\e\\",
        "tab\there\r\nline two\nline three",
        "表ソ\\%p：%u　全角%z",
        "%2d is stored although invalid",
    };
    for (const std::string& text : texts) {
        Saved(FName, text);
        EXPECT_EQ(Loaded(FName), text);
    }
}

TEST_F(FormatRegistryTest, NamesKeepSeparateFormats) {
    Saved(FName, "first");
    Saved(FName + "b", "second");
    EXPECT_EQ(Loaded(FName), "first");
    EXPECT_EQ(Loaded(FName + "b"), "second");
}

#ifdef _WIN32
TEST_F(FormatRegistryTest, StoredAsStringValueOfFormatSubkey) {
    Saved(FName, "%c%z");
    char buffer[64] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, (KeyPrefix + FName + "\\Format").c_str(),
                           "FormatText", RRF_RT_ANY, &type, buffer, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(buffer, "%c%z");
}
#endif

} // namespace
