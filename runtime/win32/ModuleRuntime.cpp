// What the C++ runtime linked into a plug-in DLL keeps for the module, made
// to go with the module. A host may load and unload a plug-in for every
// command, so each unload must give back everything the load and the calls
// took. Linked into each DLL as an object of its own, ahead of libstdc++.
//
// - Each thread's exception globals (the exceptions being handled, the count
//   of uncaught ones). libstdc++ keeps them in GCC's emulated thread-local
//   storage, which takes a TLS slot of the process, and a block on each
//   thread, the first time an exception is thrown, and never gives them
//   back: a process that loads, fails a command and unloads the DLL a
//   thousand times has no slot left. Defining the two functions libstdc++
//   reaches them through keeps its own out of the link; here they live in
//   the module's block of the image's TLS directory, which the loader makes
//   for every thread and frees with the module.
// - The emergency pool, from which libstdc++ takes exceptions when the heap
//   is exhausted: about 18 KB, allocated when the module is loaded (by the
//   runtime's start-up, not by our code) and freed only on request, which
//   DllMain makes when the module is unloaded.
// - The semaphore of libgcc's unwinder: the lock around its table of the
//   module's frames, created when the start-up registers the frames and
//   never closed (the unwinder creates it inline, through the module's
//   import of CreateSemaphoreW, and keeps it in a variable of its own file).
//   The module's import slot of CreateSemaphoreW is defined here, so the
//   unwinder's call creates the same semaphore and leaves its handle where
//   DllMain closes it at unload. The unwinder is the only caller: the
//   other mutexes of the runtime need no kernel object (ModuleLocks.cpp).

#include <windows.h>

#include <cxxabi.h>

#include <cstddef>
#include <iterator>

static_assert(sizeof(void*) == 4, "the TEB offset below is the one of 32-bit Windows");

// MinGW-w64's TLS directory of this module (its tlssup.c), filled in by the
// loader: the index of the module's block on each thread, and the template
// each thread's block is copied from.
extern "C" const IMAGE_TLS_DIRECTORY _tls_used;

// libstdc++'s release of its emergency pool (meant for leak checkers).
namespace __gnu_cxx {
void __freeres();
}

namespace {

// The Itanium C++ ABI's exception globals, which libstdc++ reads and writes
// through the pointer __cxa_get_globals returns.
struct TExceptionGlobals {
    void* CaughtExceptions;
    unsigned int UncaughtExceptions;
};

// The template in the module's TLS section: every thread starts with none
// caught and none uncaught. The linker sorts ".tls$<name>" sections between
// the directory's start and end.
[[gnu::section(".tls$PELL"), gnu::used]] TExceptionGlobals ThreadExceptionGlobals = {nullptr, 0};

TExceptionGlobals* ThisThreadsExceptionGlobals() noexcept {
    // TEB.ThreadLocalStoragePointer (fs:[0x2C]): this thread's block of each
    // module with a TLS directory, by the module's index.
    char* const* blocks = nullptr;
    asm("movl %%fs:0x2C, %0" : "=r"(blocks));
    char* const block = blocks[*reinterpret_cast<const ULONG*>(_tls_used.AddressOfIndex)];
    const std::ptrdiff_t offset = reinterpret_cast<const char*>(&ThreadExceptionGlobals) -
                                  reinterpret_cast<const char*>(_tls_used.StartAddressOfRawData);
    return reinterpret_cast<TExceptionGlobals*>(block + offset);
}

// The semaphores created through the import slot below, closed at unload.
HANDLE UnwinderSemaphores[4];
LONG UnwinderSemaphoreCount;

HANDLE WINAPI CreateUnwinderSemaphore(LPSECURITY_ATTRIBUTES attributes, LONG initialCount,
                                      LONG maximumCount, LPCWSTR name) {
    const HANDLE semaphore =
        ::CreateSemaphoreExW(attributes, initialCount, maximumCount, name, 0, SEMAPHORE_ALL_ACCESS);
    if (semaphore != nullptr) {
        const LONG slot = ::InterlockedIncrement(&UnwinderSemaphoreCount) - 1;
        if (slot < static_cast<LONG>(std::size(UnwinderSemaphores)))
            UnwinderSemaphores[slot] = semaphore;
    }
    return semaphore;
}

void CloseUnwinderSemaphores() {
    const LONG count = ::InterlockedExchange(&UnwinderSemaphoreCount, 0);
    for (LONG i = 0; i < count && i < static_cast<LONG>(std::size(UnwinderSemaphores)); ++i)
        ::CloseHandle(UnwinderSemaphores[i]);
}

} // namespace

// The module's import slot of CreateSemaphoreW, under the name the import
// library gives it; the linker takes this one instead.
extern "C" decltype(&::CreateSemaphoreW)
    const ImportedCreateSemaphoreW asm("__imp__CreateSemaphoreW@16") = CreateUnwinderSemaphore;

__cxxabiv1::__cxa_eh_globals* __cxxabiv1::__cxa_get_globals() noexcept {
    return reinterpret_cast<__cxa_eh_globals*>(ThisThreadsExceptionGlobals());
}

__cxxabiv1::__cxa_eh_globals* __cxxabiv1::__cxa_get_globals_fast() noexcept {
    return reinterpret_cast<__cxa_eh_globals*>(ThisThreadsExceptionGlobals());
}

// Nothing at load. At FreeLibrary (reserved is null) the emergency pool and
// the unwinder's semaphore go; at the end of the process the system takes
// everything back anyway. The runtime's exit functions run after this one:
// the unwinder then removes the module's frames from its table under its
// lock, which waits on the semaphore only when another thread holds it, and
// no other thread runs the module's code while it is unloaded.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) noexcept {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        __gnu_cxx::__freeres();
        CloseUnwinderSemaphores();
    }
    return TRUE;
}
