#include "runtime/win32/FolderListing.h"

#include <cwchar>

namespace {

bool IsDotEntry(const wchar_t* name) {
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

// Nothing to list is no failure: the folder is empty or no longer there.
DWORD ListingError(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                   error == ERROR_NO_MORE_FILES
               ? 0
               : error;
}

} // namespace

TFolderListing::TFolderListing(const std::wstring& folder)
    : FFind(::FindFirstFileW((folder + L"*").c_str(), &FData)) {
    FHasData = static_cast<bool>(FFind);
    if (!FHasData)
        FError = ListingError(::GetLastError());
}

const WIN32_FIND_DATAW* TFolderListing::Next() {
    for (;;) {
        if (!FHasData) {
            if (!FFind)
                return nullptr;
            if (!::FindNextFileW(FFind.get(), &FData)) {
                FError = ListingError(::GetLastError());
                FFind.reset();
                return nullptr;
            }
        }
        FHasData = false;
        if (!IsDotEntry(FData.cFileName))
            return &FData;
    }
}
