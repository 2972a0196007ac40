#pragma once
// The date-time settings for one scope: the runtime's FormatSettings and,
// on Win32, the user's regional settings they are loaded from.

#include "runtime/DateTime.h"

#include <string>

// Replaces FormatSettings for one scope and puts the old ones back.
class TSettingsScope {
public:
    explicit TSettingsScope(const TFormatSettings& settings) : FSaved(FormatSettings) {
        FormatSettings = settings;
    }
    ~TSettingsScope() { FormatSettings = FSaved; }
    TSettingsScope(const TSettingsScope&) = delete;
    TSettingsScope& operator=(const TSettingsScope&) = delete;

private:
    TFormatSettings FSaved;
};

// The settings of the Japanese locale the host runs under.
inline constexpr TFormatSettings SlashColonSettings{'/', ':', "yyyy/mm/dd"};

#ifdef _WIN32
// Sets one of the user's regional settings (an LCTYPE) for one scope and puts
// the old value back.
class TUserLocaleSetting {
public:
    TUserLocaleSetting(unsigned long type, const char* value);
    ~TUserLocaleSetting();
    TUserLocaleSetting(const TUserLocaleSetting&) = delete;
    TUserLocaleSetting& operator=(const TUserLocaleSetting&) = delete;
    // Whether the system took the value.
    bool IsSet() const { return FSet; }

private:
    unsigned long FType;
    std::wstring FOld;
    bool FHadOld = false;
    bool FSet = false;
};
#endif
