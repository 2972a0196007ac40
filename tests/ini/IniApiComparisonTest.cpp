// Under Windows, our reader is held against the system's own
// GetPrivateProfileStringA: on every tricky file of the table, on the
// shortcut corpus and on generated files, so that the two cannot drift apart
// unnoticed.

#ifdef _WIN32

#include "runtime/IniText.h"

#include "tests/common/Files.h"
#include "tests/common/IniGenerator.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/ShortcutText.h"
#include "tests/ini/IniReadCases.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <optional>
#include <vector>

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

class IniApiComparisonTest : public testing::TestWithParam<TIniReadCase> {
protected:
    TScratchFolder Folder;
};

TEST_P(IniApiComparisonTest, OurReaderAgreesWithTheSystem) {
    const TIniReadCase& row = GetParam();
    if (row.WineDiffers)
        GTEST_SKIP() << "the system routine under Wine departs from Windows here";
    WriteBytes(Folder.OsPath("case.ini"), row.File);
    const std::optional<std::string> system =
        SystemRead(Folder.OsPath("case.ini"), row.Section, row.Ident);
    EXPECT_EQ(TIniText(row.File).Find(row.Section, row.Ident), system);
}

INSTANTIATE_TEST_SUITE_P(Rows, IniApiComparisonTest, testing::ValuesIn(IniReadCases()),
                         [](const testing::TestParamInfo<TIniReadCase>& param) {
                             return param.param.Name;
                         });

// The rows Wine reads differently still hold what Wine does, so that a change
// in Wine is noticed and the exclusion can be dropped.
TEST(IniApiComparisonWineTest, ExcludedRowsDifferAsNoted) {
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

std::string Shown(const std::optional<std::string>& value) {
    if (!value)
        return "absent";
    std::string shown = "\"";
    shown += EscapeBytes(*value);
    shown += '"';
    return shown;
}

// Asks the system and our reader the same questions about one file after
// another and reports each answer that differs, with what reproduces it.
class TSystemComparison {
public:
    void Compare(const std::string& origin, const std::string& bytes,
                 const std::vector<TIniQuestion>& questions);

    std::size_t Files = 0, Questions = 0, LeftOut = 0, LeftOutFiles = 0, Differences = 0;

private:
    std::optional<std::string> Ask(const std::string& file, const TIniQuestion& question);

    TScratchFolder FFolder;
    // Most values fit the small buffer; a long one is asked again.
    std::vector<char> FSmall = std::vector<char>(4096), FLarge;
};

std::optional<std::string> TSystemComparison::Ask(const std::string& file,
                                                  const TIniQuestion& question) {
    std::vector<char>* buffer = &FSmall;
    for (;;) {
        const DWORD got = GetPrivateProfileStringA(
            question.Section.c_str(), question.Ident.c_str(), "\n", buffer->data(),
            static_cast<DWORD>(buffer->size()), file.c_str());
        if (got + 2 < buffer->size()) {
            const std::string value(buffer->data(), got);
            return value == "\n" ? std::nullopt : std::optional<std::string>(value);
        }
        if (buffer == &FLarge) {
            ADD_FAILURE() << "a value longer than " << FLarge.size() << " bytes";
            return std::nullopt;
        }
        FLarge.resize(1024 * 1024);
        buffer = &FLarge;
    }
}

// A UTF-8 file that ends inside a character. Windows replaces a broken
// sequence with U+FFFD and keeps what follows; Wine lets a sequence cut off by
// the end of the file take the rest of it, a quote or ']' too (see the row
// Utf8SequenceCutByTheEnd).
bool EndsInsideUtf8Character(std::string_view bytes) {
    if (!bytes.starts_with("\xEF\xBB\xBF"))
        return false;
    for (std::size_t back = 1; back <= 4 && back + 3 <= bytes.size(); ++back) {
        const auto c = static_cast<unsigned char>(bytes[bytes.size() - back]);
        const std::size_t following = c >= 0xF0 && c <= 0xF4   ? 3
                                      : c >= 0xE0 && c <= 0xEF ? 2
                                      : c >= 0xC2 && c <= 0xDF ? 1
                                                               : 0;
        if (following >= back)
            return true;
    }
    return false;
}

void TSystemComparison::Compare(const std::string& origin, const std::string& bytes,
                                const std::vector<TIniQuestion>& questions) {
    if (EndsInsideUtf8Character(bytes)) {
        ++LeftOutFiles;
        return;
    }
    // The routines keep the last ten files they read and read one again only
    // when its time of last write has changed or is recent. Sixteen names in
    // turn make each file one they have not kept, without creating and
    // deleting a file per case (which costs Wine ten times as much).
    const std::string file = FFolder.OsPath(std::to_string(Files++ % 16).append(".ini"));
    OverwriteBytes(file, bytes);
    const TIniText ours(bytes);
    for (const TIniQuestion& question : questions) {
        // Windows lists no key for a line without '='; Wine keeps it as a key
        // without a value, which hides a key of the same name after it (see
        // the row LineWithoutEqualsIsNoKey).
        if (question.IdentOnLineWithoutEquals) {
            ++LeftOut;
            continue;
        }
        ++Questions;
        const std::optional<std::string> system = Ask(file, question);
        const std::optional<std::string> found = ours.Find(question.Section, question.Ident);
        if (system == found)
            continue;
        if (++Differences > 20)
            continue; // enough to go on; the count says the rest
        ADD_FAILURE() << origin << ": [" << EscapeBytes(question.Section) << "] "
                      << EscapeBytes(question.Ident) << "\n  system: " << Shown(system)
                      << "\n  ours:   " << Shown(found) << "\n  file:   " << EscapeBytes(bytes);
    }
}

// What every shortcut reader asks, and a few names it does not hold.
std::vector<TIniQuestion> ShortcutQuestions(std::vector<TIniQuestion> extra = {}) {
    static const char* const pairs[][2] = {
        {"InternetShortcut", "URL"},
        {"InternetShortcut", "IDList"},
        {"InternetShortcut", "HotKey"},
        {"InternetShortcut", "IconFile"},
        {"InternetShortcut", "IconIndex"},
        {"InternetShortcut", "Modified"},
        {"InternetShortcut.W", "URL"},
        {"Log", "UserComment"},
        {"Log", "LastVisit"},
        {"{000214A0-0000-0000-C000-000000000046}", "Prop3"},
        {"internetshortcut", "url"},
        {" log\t", "  lastvisit "},
        {"InternetShortcut", "Missing"},
        {"Missing", "URL"},
    };
    for (const auto& pair : pairs)
        extra.push_back({pair[0], pair[1]});
    return extra;
}

// A seed of the INI fuzzer: three strings as FuzzedDataProvider's
// ConsumeRandomLengthString takes them (ended by a backslash and one more
// byte; two backslashes are one), then the file. The first two are the
// lookup it makes.
TIniQuestion FuzzSeedQuestion(std::string& bytes) {
    std::size_t at = 0;
    const auto take = [&](std::size_t most) {
        std::string s;
        for (std::size_t i = 0; i < most && at < bytes.size(); ++i) {
            char c = bytes[at++];
            if (c == '\\' && at < bytes.size()) {
                c = bytes[at++];
                if (c != '\\')
                    break;
            }
            s.push_back(c);
        }
        return s;
    };
    TIniQuestion question;
    question.Section = take(24);
    question.Ident = take(24);
    take(96);
    bytes.erase(0, at);
    return question;
}

std::vector<std::pair<std::string, std::string>> ShortcutCorpus() {
    std::vector<std::pair<std::string, std::string>> corpus;
    for (const std::string& file : ReadSourceFolder("examples"))
        corpus.emplace_back("examples", file);
    for (const std::string& text :
         {ShortcutText("https://a.example/?q=1&r=2"),
          ShortcutText("https://b.example/", "note", "24/03/15 21:40"),
          ShortcutText("https://www.example.jp/tabi/", "紅葉の季節", "24/03/15 21:40"),
          ShortcutText("https://news.example.jp/?id=4&x=5", "", "24.03.15 21-40"),
          ShortcutText("https://bad.example/", "", "not a date")})
        corpus.emplace_back("ShortcutText", text);
    return corpus;
}

TEST(IniApiComparisonWineTest, CorpusAndGeneratedFilesReadAsTheSystemReadsThem) {
    TSystemComparison comparison;
    for (const auto& [origin, file] : ShortcutCorpus())
        comparison.Compare(origin, file, ShortcutQuestions());
    for (std::string seed : ReadSourceFolder("fuzz/corpus/fuzz_ini")) {
        const TIniQuestion question = FuzzSeedQuestion(seed);
        comparison.Compare("fuzz seed", seed, ShortcutQuestions({question}));
    }
    for (const TIniReadCase& row : IniReadCases())
        if (!row.WineDiffers)
            comparison.Compare("row " + row.Name, row.File,
                               ShortcutQuestions({{row.Section, row.Ident}}));
    const std::size_t corpusFiles = comparison.Files;

    for (std::uint64_t seed = 1; comparison.Files < corpusFiles + 10000; ++seed) {
        const TGeneratedIni ini = GenerateIni(seed);
        comparison.Compare(std::string("GenerateIni(").append(std::to_string(seed)).append(")"),
                           ini.Bytes, ini.Questions);
    }
    EXPECT_EQ(comparison.Differences, 0U);
    std::printf("compared %zu files (%zu of the corpus) and %zu questions; left out %zu files and "
                "%zu questions\n",
                comparison.Files, corpusFiles, comparison.Questions, comparison.LeftOutFiles,
                comparison.LeftOut);
}

} // namespace

#endif
