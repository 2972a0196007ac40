// The two entry points of Pellmark.dll. Names and ordinals come from
// Pellmark.def; the module has no DllMain and no objects built at load time.

#include "copy/CopyCommand.h"
#include "plugin/ExportGuard.h"
#include "plugin/OrrelPlugins.h"
#include "plugin/PluginDescriptors.h"
#include "runtime/DateTime.h"

#include <type_traits>

namespace {
constexpr std::int32_t CommandFailed = 1;
}

extern "C" std::int32_t PELL_STDCALL GetPluginInterfalce(TPluginInterface* plugin) {
    WritePluginInterface(PellmarkDescriptor(), plugin);
    return 0;
}

extern "C" std::int32_t PELL_STDCALL ExecutePlugin(const char* buffer, std::int32_t length) {
    return GuardExport("Pellmark", CommandFailed, [&] {
        // The user's date and time settings as they are now, read when the
        // command starts rather than when the module is loaded.
        LoadLocaleFormatSettings();
        RunCopyCommand(buffer, length);
        return 0;
    });
}

static_assert(std::is_same_v<decltype(&GetPluginInterfalce), TGetPluginInterfalce>);
static_assert(std::is_same_v<decltype(&ExecutePlugin), TExecutePlugin>);
