#include "tests/common/SettingsScope.h"

#ifdef _WIN32
#include <windows.h>

TUserLocaleSetting::TUserLocaleSetting(unsigned long type, const char* value) : FType(type) {
    char old[100] = {};
    FHadOld = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, old, sizeof old) > 0;
    FOld = old;
    FSet = SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value) != FALSE;
}

TUserLocaleSetting::~TUserLocaleSetting() {
    if (FSet && FHadOld)
        SetLocaleInfoA(LOCALE_USER_DEFAULT, FType, FOld.c_str());
}
#endif
