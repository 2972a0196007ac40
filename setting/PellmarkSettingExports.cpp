// The two entry points of PellmarkSetting.dll. Names and ordinals come from
// PellmarkSetting.def. Loading the module runs none of this code: there are
// no objects built at load time, and DllMain
// (runtime/win32/ModuleRuntime.cpp) works only at unload.

#include "plugin/OrrelPlugins.h"
#include "plugin/PluginDescriptors.h"
#include "plugin/win32/ExportGuard.h"
#include "runtime/DateTime.h"
#include "setting/SetFormatWindow.h"

#include <memory>
#include <type_traits>

// Named as the host spells it. Needs no guard: nothing it calls can throw.
extern "C" std::int32_t PELL_STDCALL GetPluginInterfalce(TPluginInterface* plugin) {
    static_assert(noexcept(WritePluginInterface(PellmarkSettingDescriptor(), plugin)));
    WritePluginInterface(PellmarkSettingDescriptor(), plugin);
    return 0;
}

namespace {
constexpr std::int32_t DialogFailed = 1;
}

// The arguments carry nothing for this command. The result is 0 whatever
// closed the dialog; 1 only when the dialog could not be made or shown, after
// the error has been reported.
extern "C" std::int32_t PELL_STDCALL ExecutePlugin(const char*, std::int32_t) {
    return GuardExport("PellmarkSetting", DialogFailed, [] {
        // The user's date and time settings as they are now, read when the
        // command starts rather than when the module is loaded.
        LoadLocaleFormatSettings();
        const auto form = std::make_unique<TSetFormatForm>(nullptr);
        form->ShowModal();
        return 0;
    });
}

static_assert(std::is_same_v<decltype(&GetPluginInterfalce), TGetPluginInterfalce>);
static_assert(std::is_same_v<decltype(&ExecutePlugin), TExecutePlugin>);
