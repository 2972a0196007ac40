#pragma once
// What each of the two plug-ins announces to the host, as data, and the one
// routine that writes such a descriptor into the host's record.

#include "plugin/OrrelPlugins.h"

#include <cstdint>
#include <string_view>

// The fields of TPluginInterface, named as the host names them.
struct TPluginDescriptor {
    std::int32_t Number1;
    std::string_view Title;
    std::int32_t Number2;
    std::int32_t Number3;
    std::string_view MenuCaption;
    std::string_view Description;
    std::int32_t Number4;
    std::int32_t Number5;
};

// The copy command's descriptor (Pellmark.dll).
const TPluginDescriptor& PellmarkDescriptor() noexcept;
// The format settings dialog's descriptor (PellmarkSetting.dll).
const TPluginDescriptor& PellmarkSettingDescriptor() noexcept;

// Writes every field in offset order, each text followed by NULs to the end of
// its field. The two gap bytes after Title and after Description keep
// whatever the host left there. Throws nothing: GetPluginInterfalce calls it
// with no guard, and nothing may leave an export.
void WritePluginInterface(const TPluginDescriptor& descriptor, TPluginInterface* plugin) noexcept;
