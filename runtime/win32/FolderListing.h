#pragma once
// The entries of one folder, listed with the wide functions.

#include "runtime/win32/Handles.h"

#include <windows.h>

#include <string>

class TFolderListing {
public:
    // folder ends in a backslash; an extended ("\\?\") path reaches any length.
    explicit TFolderListing(const std::wstring& folder);
    TFolderListing(const TFolderListing&) = delete;
    TFolderListing& operator=(const TFolderListing&) = delete;

    // The next entry, "." and ".." left out; nullptr after the last one or
    // when the listing failed, which Error tells apart.
    const WIN32_FIND_DATAW* Next();
    // 0 when the listing ended normally (a folder with no entries, or one
    // that is gone, ends at once); otherwise the system's error.
    DWORD Error() const { return FError; }

private:
    TFindHandle FFind;
    WIN32_FIND_DATAW FData{};
    bool FHasData = false;
    DWORD FError = 0;
};
