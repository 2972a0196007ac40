#pragma once
// Registry access in sections and values below HKEY_CURRENT_USER: the key is
// opened (and created) by its relative path, a section is a subkey, an ident
// a string value. Key paths and sections are read without the delimiters at
// their start and end (runtime/RegistryPath.h); names match whatever their
// case; every read sees the latest write, from any object or process. The
// posix backend keeps the same tree in a file: the path in $PELLMARK_REGISTRY,
// else pellmark-registry under $XDG_CONFIG_HOME (or ~/.config).

#include <memory>
#include <string>

class TRegIniFile {
public:
    // Raises ERegistryException when the key cannot be opened or created.
    explicit TRegIniFile(const std::string& keyPath);
    ~TRegIniFile();
    TRegIniFile(const TRegIniFile&) = delete;
    TRegIniFile& operator=(const TRegIniFile&) = delete;

    // The string value, or def when the subkey or the value is missing.
    // Raises ERegistryException for a value that is not a string.
    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& def);
    // Creates the subkey as needed. Raises ERegistryException on failure.
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value);

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};
