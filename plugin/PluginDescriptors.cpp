#include "plugin/PluginDescriptors.h"

#include <cstring>

namespace {

// Texts are code page 932 bytes (the compiler converts the literals).
constexpr TPluginDescriptor PellmarkValues{
    10,
    "Quenfield by Venmarlo,Oskel",
    100,
    10,
    "選択ﾘｽﾄｺﾋﾟｰ(ｶｽﾀﾑ(&C))",
    "選択したお気に入りのURLとｺﾒﾝﾄをﾕｰｻﾞ定義の形式でｸﾘｯﾌﾟﾎﾞｰﾄﾞに転送します",
    110,
    200,
};

constexpr TPluginDescriptor PellmarkSettingValues{
    10,
    "Quenfield by Venmarlo,Oskel",
    100,
    10,
    "ｶｽﾀﾑﾘｽﾄ設定(&S)",
    "選択ﾘｽﾄｺﾋﾟｰのﾕｰｻﾞ定義形式を設定します",
    100,
    200,
};

// The host reads these byte counts; they hold where narrow literals are
// code page 932 (a half-width katakana is then one byte). Builds that keep
// literals in UTF-8 (clang) only get the truncation below.
constexpr bool LiteralsAreCp932 = sizeof("ｶ") == 2;
static_assert(!LiteralsAreCp932 ||
              (PellmarkValues.Title.size() == 27 && PellmarkValues.MenuCaption.size() == 21 &&
               PellmarkValues.Description.size() == 69 &&
               PellmarkSettingValues.Title.size() == 27 &&
               PellmarkSettingValues.MenuCaption.size() == 15 &&
               PellmarkSettingValues.Description.size() == 37));

// Keeps at least one NUL at the end of the field, whatever the text.
template <std::size_t N> void WriteText(char (&field)[N], std::string_view text) noexcept {
    static_assert(noexcept(std::memcpy(field, text.data(), 0)));
    static_assert(noexcept(std::memset(field, 0, 0)));
    const std::size_t n = text.size() < N ? text.size() : N - 1;
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, N - n);
}

} // namespace

const TPluginDescriptor& PellmarkDescriptor() noexcept {
    return PellmarkValues;
}

const TPluginDescriptor& PellmarkSettingDescriptor() noexcept {
    return PellmarkSettingValues;
}

void WritePluginInterface(const TPluginDescriptor& descriptor, TPluginInterface* plugin) noexcept {
    plugin->Number1 = descriptor.Number1;
    WriteText(plugin->Title, descriptor.Title);
    plugin->Number2 = descriptor.Number2;
    plugin->Number3 = descriptor.Number3;
    WriteText(plugin->MenuCaption, descriptor.MenuCaption);
    WriteText(plugin->Description, descriptor.Description);
    plugin->Number4 = descriptor.Number4;
    plugin->Number5 = descriptor.Number5;
}
