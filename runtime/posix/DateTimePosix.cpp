// Date-time services of the posix backend: the clock, file times and fixed
// settings (there is no user locale to follow here).

#include "runtime/DateTime.h"

#include "runtime/posix/PosixPath.h"

#include <ctime>
#include <sys/stat.h>

void LoadLocaleFormatSettings() {
    FormatSettings = {'/', ':', "yyyy/mm/dd"};
}

TDateTime Now() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec,
                      static_cast<int>(now.tv_nsec / 1000000));
}

int FileAge(const std::string& fileName) {
    struct stat info {};
    if (stat(ToPosixPath(fileName).c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return -1;
    tm local{};
    if (localtime_r(&info.st_mtime, &local) == nullptr)
        return -1;
    const int year = local.tm_year + 1900;
    // The packed form holds 1980 to 2107 only.
    if (year < 1980 || year > 2107)
        return -1;
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    const unsigned date =
        static_cast<unsigned>(((year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    const unsigned time =
        static_cast<unsigned>((local.tm_hour << 11) | (local.tm_min << 5) | (second / 2));
    return static_cast<int>((date << 16) | time);
}
