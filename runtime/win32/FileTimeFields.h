#pragma once
// A file time of the system as local time fields, the one conversion of the
// Win32 backend's file-age query and its TIniFile.

#include "runtime/DateTime.h"

#include <windows.h>

// Year 0 for a time the system cannot convert: it lies beyond any calendar
// date.
inline TLocalTimeFields LocalTimeFields(const FILETIME& utc) {
    FILETIME local{};
    SYSTEMTIME time{};
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &time))
        return {};
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}
