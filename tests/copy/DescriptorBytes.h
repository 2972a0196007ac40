#pragma once
// The 204 bytes each plug-in must leave in a record the host filled with
// 0xFF, spelled out independently of the code that writes them.

#include "plugin/OrrelPlugins.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

using TRecordBytes = std::array<unsigned char, sizeof(TPluginInterface)>;

namespace DescriptorBytesDetail {

inline void PutNumber(TRecordBytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

inline void PutText(TRecordBytes& bytes, std::size_t offset, std::size_t width,
                    std::string_view text) {
    for (std::size_t i = 0; i < width; ++i)
        bytes[offset + i] = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
}

// Texts as code page 932 bytes, written out so that no compiler setting can
// change them.
constexpr std::string_view Title = "Quenfield by Venmarlo,Oskel";
constexpr std::string_view CopyCaption =
    "\x91\x49\x91\xf0\xd8\xbd\xc4\xba\xcb\xdf\xb0(\xb6\xbd\xc0\xd1(&C))";
constexpr std::string_view CopyDescription =
    "\x91\x49\x91\xf0\x82\xb5\x82\xbd\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8\x82\xcc"
    "URL\x82\xc6\xba\xd2\xdd\xc4\x82\xf0\xd5\xb0\xbb\xde\x92\xe8\x8b\x60\x82\xcc\x8c\x60"
    "\x8e\xae\x82\xc5\xb8\xd8\xaf\xcc\xdf\xce\xde\xb0\xc4\xde\x82\xc9\x93\x5d\x91\x97"
    "\x82\xb5\x82\xdc\x82\xb7";
constexpr std::string_view SettingCaption = "\xb6\xbd\xc0\xd1\xd8\xbd\xc4\x90\xdd\x92\xe8(&S)";
constexpr std::string_view SettingDescription =
    "\x91\x49\x91\xf0\xd8\xbd\xc4\xba\xcb\xdf\xb0\x82\xcc\xd5\xb0\xbb\xde\x92\xe8\x8b\x60"
    "\x8c\x60\x8e\xae\x82\xf0\x90\xdd\x92\xe8\x82\xb5\x82\xdc\x82\xb7";
static_assert(CopyCaption.size() == 21 && CopyDescription.size() == 69);
static_assert(SettingCaption.size() == 15 && SettingDescription.size() == 37);

inline TRecordBytes Record(std::string_view caption, std::string_view description,
                           std::uint32_t number4) {
    TRecordBytes bytes;
    bytes.fill(0xFF);
    PutNumber(bytes, 0, 10);
    PutText(bytes, 4, 50, Title);
    PutNumber(bytes, 56, 100);
    PutNumber(bytes, 60, 10);
    PutText(bytes, 64, 50, caption);
    PutText(bytes, 114, 80, description);
    PutNumber(bytes, 196, number4);
    PutNumber(bytes, 200, 200);
    return bytes;
}

} // namespace DescriptorBytesDetail

inline TRecordBytes ExpectedPellmarkRecord() {
    using namespace DescriptorBytesDetail;
    return Record(CopyCaption, CopyDescription, 110);
}

inline TRecordBytes ExpectedPellmarkSettingRecord() {
    using namespace DescriptorBytesDetail;
    return Record(SettingCaption, SettingDescription, 100);
}

// The record after write(record) on a record filled with 0xFF.
template <typename Write> TRecordBytes WrittenRecord(Write write) {
    TRecordBytes bytes;
    bytes.fill(0xFF);
    alignas(TPluginInterface) unsigned char storage[sizeof(TPluginInterface)];
    std::memcpy(storage, bytes.data(), bytes.size());
    write(reinterpret_cast<TPluginInterface*>(storage));
    std::memcpy(bytes.data(), storage, bytes.size());
    return bytes;
}
