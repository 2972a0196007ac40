#pragma once
// INI file access by section and key, with the Windows private-profile rules:
// names match case-insensitively, blanks are trimmed, a line splits at its
// first '=', one pair of matching quotes around a value is removed, the first
// match wins, ';' starts a comment line. Values are returned whole.

#include <memory>
#include <string>

class TIniFile {
public:
    explicit TIniFile(std::string fileName);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return FFileName; }

    // The value, or def when the section or key is absent.
    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& def);
    // Creates the file, section and key as needed; replaces an existing value.
    // Raises EIniFileException when the file cannot be written.
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value);

private:
    struct Impl;
    std::string FFileName;
    std::unique_ptr<Impl> FImpl;
};
