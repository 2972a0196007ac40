#pragma once
// Sends the calls a loaded module makes to one imported function elsewhere
// for one scope, by rewriting that function's slot in the module's import
// address table. Lets a test count the system calls a DLL makes.

#include <windows.h>

class TImportPatch {
public:
    // Nothing changes when the module does not import the function.
    TImportPatch(HMODULE module, const char* dll, const char* function, void* replacement);
    ~TImportPatch();
    TImportPatch(const TImportPatch&) = delete;
    TImportPatch& operator=(const TImportPatch&) = delete;

    bool Imported() const { return FSlot != nullptr; }
    // What the slot held before: the function itself.
    void* Original() const { return FOriginal; }

private:
    void** FSlot = nullptr;
    void* FOriginal = nullptr;
};
