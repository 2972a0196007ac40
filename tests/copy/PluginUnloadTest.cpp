// Both plug-ins loaded, used and unloaded thousands of times, as by a host
// that loads a plug-in for each command: after a short warm-up, each unload
// gives back everything its load and its calls took. Three figures of this
// process are compared after the warm-up and after the last cycle:
//  - the next free TLS index: TlsAlloc returns the lowest free slot (freed
//    again at once), which rises by one for each slot a cycle keeps;
//  - the kernel handles open, counted by asking for the flags of every
//    handle value (GetProcessHandleCount answers 0 under Wine);
//  - the private memory committed, summed over the address space with
//    VirtualQuery (MEM_PRIVATE, MEM_COMMIT): Windows' private bytes, where
//    GetProcessMemoryInfo's PrivateUsage answers 0 under Wine.

#include "copy/SelectionBuffer.h"
#include "plugin/OrrelPlugins.h"
#include "runtime/Clipboard.h"
#include "runtime/win32/Handles.h"
#include "tests/common/Files.h"
#include "tests/common/MessageBoxes.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/ScratchRegistry.h"
#include "tests/common/ShortcutText.h"
#include "tests/setting/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <functional>
#include <sstream>
#include <string>

namespace {

using TModule = TUniqueHandle<TNullHandleTraits<HMODULE, ::FreeLibrary>>;

struct TProcessUsage {
    DWORD NextTlsIndex = 0;
    std::size_t Handles = 0;
    std::size_t PrivateBytes = 0;
};

std::size_t OpenHandles() {
    // Handle values are multiples of four, handed out from the bottom of the
    // process's table; a test process holds a few hundred.
    constexpr std::uintptr_t HighestValue = 0x10000;
    std::size_t count = 0;
    for (std::uintptr_t value = 4; value <= HighestValue; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

std::size_t CommittedPrivateBytes() {
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return total;
}

TProcessUsage MeasureProcess() {
    TProcessUsage usage;
    usage.NextTlsIndex = ::TlsAlloc();
    ::TlsFree(usage.NextTlsIndex);
    usage.Handles = OpenHandles();
    usage.PrivateBytes = CommittedPrivateBytes();
    return usage;
}

std::string Describe(const TProcessUsage& usage) {
    std::ostringstream text;
    text << "next TLS index " << usage.NextTlsIndex << ", " << usage.Handles << " handles, "
         << usage.PrivateBytes / 1024 << " KB private";
    return text.str();
}

// Runs the cycle warmUp + cycles times and expects the process's figures
// after the last cycle to equal those after the warm-up, memory within the
// tolerance. A failed cycle ends the run.
void ExpectUnloadsGiveEverythingBack(const std::string& what, int warmUp, int cycles,
                                     std::size_t memoryTolerance,
                                     const std::function<bool()>& cycle) {
    for (int i = 0; i < warmUp; ++i)
        ASSERT_TRUE(cycle()) << what << ": warm-up cycle " << i;
    const TProcessUsage before = MeasureProcess();
    for (int i = 0; i < cycles; ++i)
        ASSERT_TRUE(cycle()) << what << ": cycle " << i;
    const TProcessUsage after = MeasureProcess();

    const std::string figures = what + ": after " + std::to_string(warmUp) + " cycles " +
                                Describe(before) + "; after " + std::to_string(cycles) + " more " +
                                Describe(after);
    testing::Test::RecordProperty(what, figures);
    EXPECT_EQ(after.NextTlsIndex, before.NextTlsIndex) << figures;
    EXPECT_EQ(after.Handles, before.Handles) << figures;
    EXPECT_LE(after.PrivateBytes, before.PrivateBytes + memoryTolerance) << figures;
}

// One load, the calls, one unload; false when the DLL did not load, did not
// answer as expected or stayed loaded.
bool CycleModule(const char* path, const std::function<bool(HMODULE)>& calls) {
    bool answered = false;
    {
        const TModule module(::LoadLibraryA(HostPath(path).c_str()));
        if (!module)
            return false;
        const auto describe = reinterpret_cast<TGetPluginInterfalce>(
            reinterpret_cast<void*>(::GetProcAddress(module.get(), "GetPluginInterfalce")));
        TPluginInterface descriptor{};
        answered = describe != nullptr && describe(&descriptor) == 0 && calls(module.get());
    }
    // Nothing else holds the module: the unload really unmapped it.
    const std::string name = path;
    return answered &&
           ::GetModuleHandleA(name.substr(name.find_last_of("/\\") + 1).c_str()) == nullptr;
}

std::int32_t Execute(HMODULE module, const std::string& selection) {
    const auto execute = reinterpret_cast<TExecutePlugin>(
        reinterpret_cast<void*>(::GetProcAddress(module, "ExecutePlugin")));
    if (execute == nullptr)
        return -1;
    return execute(selection.data(), static_cast<std::int32_t>(selection.size()));
}

class PluginUnloadTest : public testing::Test {
protected:
    TScratchFolder Folder;
    // The stored format is put aside: the copy uses the default one.
    TScratchRegistry Store{{}, StoredFormatValue()};
};

// 2,000 loads that each describe the plug-in and copy one shortcut. The
// memory a cycle keeps is what the copy took at least (a few hundred bytes
// of text and objects): the tolerance, 256 KB, is 128 bytes a cycle, while
// the heap of a process of a few megabytes grows in steps of 64 KB.
TEST_F(PluginUnloadTest, CopyCommandGivesEverythingBack) {
    const std::string selection =
        SelectionBuffer({Folder.Write("Alpha.url", ShortcutText("https://a.example/"))});
    const TBoxDismisser dismisser; // an error box fails the cycle instead of hanging it
    ExpectUnloadsGiveEverythingBack("Pellmark.dll copying a file", 20, 2000, 256 * 1024, [&] {
        return CycleModule(PELLMARK_DLL,
                           [&](HMODULE module) { return Execute(module, selection) == 0; });
    });
    EXPECT_EQ(Clipboard().AsText(), "Alpha : https://a.example/\r\n");
}

// A copy that fails throws inside the DLL, shows the error and returns 1:
// what throwing takes in the C++ runtime goes with the DLL too.
TEST_F(PluginUnloadTest, FailedCopyCommandGivesEverythingBack) {
    WriteRegistryValue(StoredFormatValue(), TStoredValue{REG_SZ, std::string("%p%2d") + '\0'});
    const std::string selection =
        SelectionBuffer({Folder.Write("Alpha.url", ShortcutText("https://a.example/"))});
    const TBoxDismisser dismisser;
    ExpectUnloadsGiveEverythingBack("Pellmark.dll failing", 5, 100, 64 * 1024, [&] {
        return CycleModule(PELLMARK_DLL,
                           [&](HMODULE module) { return Execute(module, selection) == 1; });
    });
}

// 200 loads that each open the settings dialog and close it.
TEST_F(PluginUnloadTest, SettingsDialogGivesEverythingBack) {
    ExpectUnloadsGiveEverythingBack("PellmarkSetting.dll", 5, 200, 256 * 1024, [&] {
        return CycleModule(PELLMARK_SETTING_DLL, [](HMODULE module) {
            bool opened = false;
            const int result = RunDialog(module, [&](TDialogDriver& driver) {
                const HWND dialog = driver.WaitForDialog();
                opened = dialog != nullptr;
                if (opened)
                    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
            });
            return opened && result == 0;
        });
    });
}

} // namespace
