#pragma once
// A file's modification time as local time fields, the one conversion of the
// posix backend's file-age query and its TIniFile.

#include "runtime/DateTime.h"

#include <ctime>

inline TLocalTimeFields LocalTimeFields(time_t time) {
    tm local{};
    if (localtime_r(&time, &local) == nullptr)
        return {};
    // A year the calendar cannot hold (a huge time) is reported as year 0.
    const long long year = static_cast<long long>(local.tm_year) + 1900;
    return {year >= 1 && year <= 9999 ? static_cast<int>(year) : 0,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            local.tm_sec > 59 ? 59 : local.tm_sec};
}
