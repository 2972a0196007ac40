// Under Windows, every tricky file is also read with the system's own
// GetPrivateProfileStringA, so that our reader and the system's cannot drift
// apart unnoticed.

#ifdef _WIN32

#include "runtime/IniText.h"

#include "tests/common/Files.h"
#include "tests/common/ScratchFolder.h"
#include "tests/ini/IniReadCases.h"
#include "tests/ini/IniTestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

namespace {

// A value from a file never holds a line feed: this default marks "absent".
std::optional<std::string> SystemRead(const std::string& file, const std::string& section,
                                      const std::string& ident) {
    std::string buffer(512 * 1024, '\0');
    const DWORD got = GetPrivateProfileStringA(section.c_str(), ident.c_str(), "\n", buffer.data(),
                                               static_cast<DWORD>(buffer.size()), file.c_str());
    EXPECT_LT(got + 2, buffer.size()) << "value longer than the test's buffer";
    buffer.resize(got);
    if (buffer == "\n")
        return std::nullopt;
    return buffer;
}

class IniApiComparison : public testing::TestWithParam<TIniReadCase> {
protected:
    TScratchFolder Folder;
};

TEST_P(IniApiComparison, OurReaderAgreesWithTheSystem) {
    const TIniReadCase& row = GetParam();
    if (row.WineDiffers)
        GTEST_SKIP() << "the system routine under Wine departs from Windows here";
    WriteBytes(Folder.OsPath("case.ini"), row.File);
    const std::optional<std::string> system =
        SystemRead(Folder.OsPath("case.ini"), row.Section, row.Ident);
    EXPECT_EQ(TIniText(row.File).Find(row.Section, row.Ident), system);
}

INSTANTIATE_TEST_SUITE_P(Rows, IniApiComparison, testing::ValuesIn(IniReadCases()),
                         [](const testing::TestParamInfo<TIniReadCase>& param) {
                             return param.param.Name;
                         });

// The rows Wine reads differently still hold what Wine does, so that a change
// in Wine is noticed and the exclusion can be dropped.
TEST(IniApiComparisonWine, ExcludedRowsDifferAsNoted) {
    TScratchFolder folder;
    for (const TIniReadCase& row : IniReadCases()) {
        if (!row.WineDiffers)
            continue;
        SCOPED_TRACE(row.Name);
        WriteBytes(folder.OsPath(row.Name + ".ini"), row.File);
        EXPECT_NE(SystemRead(folder.OsPath(row.Name + ".ini"), row.Section, row.Ident),
                  row.Expected);
    }
}

} // namespace

#endif
