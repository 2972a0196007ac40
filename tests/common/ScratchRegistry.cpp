#include "tests/common/ScratchRegistry.h"

#include "lib/FormatLibrary.h"
#include "tests/common/Files.h"

#include <cstdlib>
#include <stdexcept>
#include <utility>

#ifdef _WIN32
#include "runtime/win32/Handles.h"

#include <windows.h>
#endif

TRegistryValue StoredFormatValue() {
    return {FormatRegistryKey(ClipBoardFormatName) + "\\" + FormatSection, FormatValueName};
}

void SaveFormat(const std::string& formatText) {
    TFormatLibrary format;
    format.FormatName = ClipBoardFormatName;
    format.SetFormatText(formatText);
    format.SaveToRegistry();
}

#ifdef _WIN32

std::optional<TStoredValue> ReadRegistryValue(const TRegistryValue& where) {
    TRegKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, where.Key.c_str(), 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), where.Name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::string data(size, '\0');
    if (::RegQueryValueExA(key.get(), where.Name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return TStoredValue{type, data};
}

void WriteRegistryValue(const TRegistryValue& where, const std::optional<TStoredValue>& value) {
    const std::string name = "HKEY_CURRENT_USER\\" + where.Key + " " + where.Name;
    if (!value) {
        TRegKey key;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, where.Key.c_str(), 0, KEY_SET_VALUE, key.put()) !=
            ERROR_SUCCESS)
            return;
        const LONG code = ::RegDeleteValueA(key.get(), where.Name.c_str());
        if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND)
            throw std::runtime_error("cannot delete the registry value " + name);
        return;
    }
    TRegKey key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, where.Key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the registry key of " + name);
    if (::RegSetValueExA(key.get(), where.Name.c_str(), 0, value->Type,
                         reinterpret_cast<const BYTE*>(value->Data.data()),
                         static_cast<DWORD>(value->Data.size())) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the registry value " + name);
}

void DeleteRegistryTree(const std::string& key) {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}

TScratchRegistry::TScratchRegistry(std::vector<std::string> scratchKeys,
                                   std::optional<TRegistryValue> kept)
    : FScratchKeys(std::move(scratchKeys)), FKept(std::move(kept)) {
    for (const std::string& key : FScratchKeys)
        DeleteRegistryTree(key);
    if (FKept) {
        if (const std::optional<TStoredValue> value = ReadRegistryValue(*FKept)) {
            FKeptType = value->Type;
            FKeptData = value->Data;
        }
        WriteRegistryValue(*FKept, std::nullopt);
    }
}

TScratchRegistry::~TScratchRegistry() {
    for (const std::string& key : FScratchKeys)
        DeleteRegistryTree(key);
    if (FKept) {
        try {
            WriteRegistryValue(
                *FKept, FKeptData ? std::optional<TStoredValue>(TStoredValue{FKeptType, *FKeptData})
                                  : std::nullopt);
        } catch (const std::exception&) {
            // A destructor cannot report it; the next run starts from a scratch value anyway.
        }
    }
}

void DamageStoredFormat(const TScratchRegistry&) {
    const char seven[4] = {7, 0, 0, 0};
    WriteRegistryValue(StoredFormatValue(), TStoredValue{REG_DWORD, std::string(seven, 4)});
}

#else

namespace {
constexpr const char* StoreVariable = "PELLMARK_REGISTRY";
} // namespace

TScratchRegistry::TScratchRegistry(std::vector<std::string>, std::optional<TRegistryValue>)
    : FStoreFile(FFolder.OsPath("registry")) {
    if (const char* old = std::getenv(StoreVariable))
        FSavedVariable = old;
    setenv(StoreVariable, FStoreFile.c_str(), 1);
}

TScratchRegistry::~TScratchRegistry() {
    if (FSavedVariable)
        setenv(StoreVariable, FSavedVariable->c_str(), 1);
    else
        unsetenv(StoreVariable);
}

void DamageStoredFormat(const TScratchRegistry& registry) {
    WriteBytes(registry.StoreFile(), "not a registry store\n");
}

#endif
