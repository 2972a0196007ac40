// Date-time services of the posix backend: the clock, file times and fixed
// settings (there is no user locale to follow here).

#include "runtime/DateTime.h"

#include "runtime/posix/PosixFileTime.h"
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

bool LocalModificationTime(const std::string& fileName, TLocalTimeFields& fields) {
    struct stat info {};
    if (stat(ToPosixPath(fileName).c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    fields = LocalTimeFields(info.st_mtime);
    return true;
}
