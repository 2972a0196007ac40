#include "tests/common/SettingsScope.h"

#ifdef _WIN32
#include <windows.h>

// The value is code page 932 text, as the tests' literals are; the ANSI
// functions would read it in the code page of the user's locale instead,
// which may be another one.
TUserLocaleSetting::TUserLocaleSetting(unsigned long type, const char* value) : FType(type) {
    wchar_t old[100] = {};
    FHadOld = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, old, 100) > 0;
    FOld = old;
    wchar_t wide[100] = {};
    FSet = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, value, -1, wide, 100) > 0 &&
           SetLocaleInfoW(LOCALE_USER_DEFAULT, type, wide) != FALSE;
}

TUserLocaleSetting::~TUserLocaleSetting() {
    if (FSet && FHadOld)
        SetLocaleInfoW(LOCALE_USER_DEFAULT, FType, FOld.c_str());
}
#endif
