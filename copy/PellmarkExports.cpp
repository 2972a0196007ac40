// The two entry points of Pellmark.dll. Names and ordinals come from
// Pellmark.def. Loading the module runs none of this code: there are no
// objects built at load time, and DllMain (runtime/win32/ModuleRuntime.cpp)
// works only at unload.

#include "copy/CopyCommand.h"
#include "plugin/OrrelPlugins.h"
#include "plugin/PluginDescriptors.h"
#include "plugin/win32/ExportGuard.h"
#include "runtime/DateTime.h"

#include <type_traits>

namespace {
constexpr std::int32_t CommandFailed = 1;
}

// Named as the host spells it. Needs no guard: nothing it calls can throw.
extern "C" std::int32_t PELL_STDCALL GetPluginInterfalce(TPluginInterface* plugin) {
    static_assert(noexcept(WritePluginInterface(PellmarkDescriptor(), plugin)));
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
