#pragma once
// The registry the runtime sees, made scratch for one scope.
//
// posix: PELLMARK_REGISTRY points at a store file of the scope's own,
// removed at the end, and the variable is put back as it was.
// Win32: the registry is the user's real one. The scratch keys given are
// deleted with all below them before and after; the kept value given is
// saved, deleted, and put back exactly (type and bytes) at the end.

#include "tests/common/ScratchFolder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A value below HKEY_CURRENT_USER.
struct TRegistryValue {
    std::string Key;
    std::string Name;
};

// Where the copy format both plug-ins share is stored.
TRegistryValue StoredFormatValue();

class TScratchRegistry {
public:
    explicit TScratchRegistry(std::vector<std::string> scratchKeys = {},
                              std::optional<TRegistryValue> kept = std::nullopt);
    ~TScratchRegistry();
    TScratchRegistry(const TScratchRegistry&) = delete;
    TScratchRegistry& operator=(const TScratchRegistry&) = delete;

#ifndef _WIN32
    // The store file the runtime uses meanwhile, a posix path (it need not
    // exist yet).
    const std::string& StoreFile() const {
        return FStoreFile;
    }
#endif

private:
#ifdef _WIN32
    std::vector<std::string> FScratchKeys;
    std::optional<TRegistryValue> FKept;
    std::optional<std::string> FKeptData;
    std::uint32_t FKeptType = 0;
#else
    TScratchFolder FFolder;
    std::string FStoreFile;
    std::optional<std::string> FSavedVariable;
#endif
};

// Saves the format text through the format library, as the settings dialog
// does.
void SaveFormat(const std::string& formatText);
// Makes the next read of the stored format fail, as a damaged store would:
// a value of a type the format cannot be read from (Win32), a store file
// that is not one (posix).
void DamageStoredFormat(const TScratchRegistry& registry);

#ifdef _WIN32
// A registry value as it lies in the registry, whatever its type and length.
struct TStoredValue {
    std::uint32_t Type;
    std::string Data;
    bool operator==(const TStoredValue& other) const = default;
};
std::optional<TStoredValue> ReadRegistryValue(const TRegistryValue& where);
// Writes the value, creating its key; nullopt deletes it. Throws on failure.
void WriteRegistryValue(const TRegistryValue& where, const std::optional<TStoredValue>& value);
// Deletes the key below HKEY_CURRENT_USER with all below it.
void DeleteRegistryTree(const std::string& key);
#endif
