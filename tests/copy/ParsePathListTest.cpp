// Splitting the host's selection buffer into paths.

#include "copy/CopyCommand.h"
#include "copy/SelectionBuffer.h"
#include "tests/common/GuardedBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::string_literals;

TStringList Parse(std::string_view bytes, std::int32_t length) {
    TStringList list;
    ParsePathList(list, bytes.data(), length);
    return list;
}

struct TParseRow {
    const char* Name;
    std::string Bytes;
    std::int32_t Length;
    TStringList Expected;
};

// Path A is 8 bytes, path B 9 bytes: the buffer "A\0B\0\0" is 20 bytes.
const std::string PathA = "C:\\a.url";
const std::string PathB = "C:\\bb.url";
const std::string TwoPaths = PathA + '\0' + PathB + '\0' + '\0';
const auto BothPathBytes = static_cast<std::int32_t>(PathA.size() + PathB.size());

class ParsePathListRowsTest : public testing::TestWithParam<TParseRow> {};

TEST_P(ParsePathListRowsTest, GivesTheEntriesInBufferOrder) {
    const TParseRow& row = GetParam();
    EXPECT_EQ(Parse(row.Bytes, row.Length), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, ParsePathListRowsTest,
    testing::Values(
        TParseRow{"LengthZero", TwoPaths, 0, {}}, TParseRow{"NegativeLength", TwoPaths, -1, {}},
        TParseRow{"MostNegativeLength", TwoPaths, INT32_MIN, {}},
        TParseRow{"FirstByteNul", "\0C:\\a.url\0\0"s, 11, {}},
        TParseRow{"EndsJustBeforeSecondNul", TwoPaths, BothPathBytes + 1, {PathA}},
        TParseRow{"EndsOnSecondNul", TwoPaths, BothPathBytes + 2, {PathA, PathB}},
        TParseRow{"WholeBuffer", TwoPaths, BothPathBytes + 3, {PathA, PathB}},
        TParseRow{"NoNulWithinLength", TwoPaths, static_cast<std::int32_t>(PathA.size()), {}},
        TParseRow{"UnterminatedLastPath", PathA + '\0' + "C:\\cut", 15, {PathA}},
        TParseRow{"DoubleNulEndsTheList", PathA + '\0' + '\0' + PathB + '\0', 19, {PathA}},
        TParseRow{"SamePathTwice", PathA + '\0' + PathA + '\0' + '\0', 19, {PathA, PathA}},
        TParseRow{"OneByteEntries", "a\0b\0c\0"s, 6, {"a", "b", "c"}},
        // Trail bytes 0x5C and lead bytes belong to the path unchanged.
        TParseRow{"DoubleByteCharacters",
                  "C:\\\x95\x5C\x82\xA0.url\0"s,
                  12,
                  {"C:\\\x95\x5C\x82\xA0.url"s}}),
    [](const testing::TestParamInfo<TParseRow>& row) { return std::string(row.param.Name); });

TEST(ParsePathListTest, AppendsAfterWhatTheListHolds) {
    TStringList list{"kept"};
    ParsePathList(list, TwoPaths.data(), static_cast<std::int32_t>(TwoPaths.size()));
    EXPECT_EQ(list, (TStringList{"kept", PathA, PathB}));
}

TEST(ParsePathListTest, ReadsNothingAfterTheSecondNul) {
    // The second NUL is the last readable byte; a length far beyond it must
    // not make the parser look further.
    const TGuardedBuffer buffer(TwoPaths);
    TStringList list;
    ParsePathList(list, buffer.Data(), BothPathBytes + 3 + 4096);
    EXPECT_EQ(list, (TStringList{PathA, PathB}));
}

TEST(ParsePathListTest, ReadsNoByteBeyondTheLength) {
    const std::string bytes = PathA + '\0' + "C:\\unterminated";
    const TGuardedBuffer buffer(bytes);
    TStringList list;
    ParsePathList(list, buffer.Data(), static_cast<std::int32_t>(bytes.size()));
    EXPECT_EQ(list, TStringList{PathA});
}

TEST(ParsePathListTest, NullBufferIsEmptyWhateverTheLength) {
    for (const std::int32_t length : {0, 1, 4096, INT32_MAX}) {
        TStringList list;
        ParsePathList(list, nullptr, length);
        EXPECT_TRUE(list.empty()) << length;
    }
}

#ifdef _WIN32
TEST(ParsePathListTest, BufferNearTheTopOfTheAddressSpaceKeepsItsEntries) {
    // This program is large-address-aware: a host like it may hand over a
    // buffer so high that buffer + length passes 4 GB.
    const TGuardedBuffer buffer(TwoPaths, TGuardedBuffer::Placement::High);
    const auto address = reinterpret_cast<std::uintptr_t>(buffer.Data());
    if (address < 0x80000000u)
        GTEST_SKIP() << "the system gave no address above 2 GB";
    ASSERT_LT(UINT32_MAX - address, static_cast<std::uintptr_t>(INT32_MAX));
    TStringList list;
    ParsePathList(list, buffer.Data(), INT32_MAX);
    EXPECT_EQ(list, (TStringList{PathA, PathB}));
}
#endif

TEST(ParsePathListTest, KeepsEveryEntryOfALargeSelection) {
    std::vector<std::string> paths;
    for (int i = 0; i < 100000; ++i)
        paths.push_back("C:\\Favorites\\Folder " + std::to_string(i % 97) + "\\Page " +
                        std::to_string(i) + ".url");
    const std::string buffer = SelectionBuffer(paths);
    TStringList list;
    ParsePathList(list, buffer.data(), static_cast<std::int32_t>(buffer.size()));
    ASSERT_EQ(list.size(), 100000u);
    EXPECT_EQ(list.front(), "C:\\Favorites\\Folder 0\\Page 0.url");
    EXPECT_EQ(list[54321], "C:\\Favorites\\Folder 1\\Page 54321.url");
    EXPECT_EQ(list.back(), "C:\\Favorites\\Folder 89\\Page 99999.url");
}

} // namespace
