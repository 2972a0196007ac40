// What each plug-in announces, written into a record the host owns.

#include "plugin/PluginDescriptors.h"
#include "tests/copy/DescriptorBytes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(PluginDescriptorTest, PellmarkRecordHoldsExactlyTheAnnouncedBytes) {
    EXPECT_EQ(
        WrittenRecord([](TPluginInterface* p) { WritePluginInterface(PellmarkDescriptor(), p); }),
        ExpectedPellmarkRecord());
}

TEST(PluginDescriptorTest, PellmarkSettingRecordHoldsExactlyTheAnnouncedBytes) {
    EXPECT_EQ(WrittenRecord([](TPluginInterface* p) {
                  WritePluginInterface(PellmarkSettingDescriptor(), p);
              }),
              ExpectedPellmarkSettingRecord());
}

TEST(PluginDescriptorTest, TheTwoDifferOnlyInMenuCaptionDescriptionAndNumber4) {
    const TRecordBytes copy = ExpectedPellmarkRecord();
    const TRecordBytes setting = ExpectedPellmarkSettingRecord();
    for (std::size_t i = 0; i < copy.size(); ++i) {
        const bool mayDiffer = (i >= 64 && i < 194) || (i >= 196 && i < 200);
        if (!mayDiffer) {
            EXPECT_EQ(copy[i], setting[i]) << "offset " << i;
        }
    }
    EXPECT_NE(copy, setting);
}

TEST(PluginDescriptorTest, SecondWriteChangesNothing) {
    TRecordBytes bytes;
    bytes.fill(0xFF);
    TPluginInterface record;
    std::memcpy(&record, bytes.data(), bytes.size());
    WritePluginInterface(PellmarkDescriptor(), &record);
    TRecordBytes once;
    std::memcpy(once.data(), &record, once.size());
    WritePluginInterface(PellmarkDescriptor(), &record);
    TRecordBytes twice;
    std::memcpy(twice.data(), &record, twice.size());
    EXPECT_EQ(once, twice);
}

} // namespace
