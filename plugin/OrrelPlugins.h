#pragma once
// The descriptor record a plug-in fills for the host, and the two entry points
// every plug-in exports. The host owns the record and relies on this exact
// layout: each 32-bit field on a 4-byte boundary, fixed-width CP932 texts
// padded with NULs, and two 2-byte gaps that the plug-in never writes.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(__x86_64__)
#define PELL_STDCALL __stdcall
#else
// Only the 32-bit Windows build has a calling convention to choose; the
// portable core compiles the same declarations without one.
#define PELL_STDCALL
#endif

struct TPluginInterface {
    std::int32_t Number1; // name fixed by the host
    char Title[50];
    std::int32_t Number2; // name fixed by the host
    std::int32_t Number3; // name fixed by the host
    char MenuCaption[50];
    char Description[80];
    std::int32_t Number4; // name fixed by the host
    std::int32_t Number5; // name fixed by the host
};

static_assert(sizeof(TPluginInterface) == 204);
static_assert(offsetof(TPluginInterface, Number1) == 0);
static_assert(offsetof(TPluginInterface, Title) == 4);
static_assert(offsetof(TPluginInterface, Number2) == 56);
static_assert(offsetof(TPluginInterface, Number3) == 60);
static_assert(offsetof(TPluginInterface, MenuCaption) == 64);
static_assert(offsetof(TPluginInterface, Description) == 114);
static_assert(offsetof(TPluginInterface, Number4) == 196);
static_assert(offsetof(TPluginInterface, Number5) == 200);

// Fills the record; always returns 0. "Interfalce" is the host's spelling of
// the export it looks up.
using TGetPluginInterfalce = std::int32_t(PELL_STDCALL*)(TPluginInterface* plugin);
// Runs the plug-in's command on the calling thread; 0 when it completed.
using TExecutePlugin = std::int32_t(PELL_STDCALL*)(const char* buffer, std::int32_t length);
