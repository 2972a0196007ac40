#pragma once
// INI file access by section and key, with the Windows private-profile rules:
// names match case-insensitively, blanks are trimmed, a line splits at its
// first '=', one pair of matching quotes around a value is removed, the first
// match wins, ';' starts a comment line. Values are returned whole.
//
// When the file is read differs by backend, and callers must not lean on
// either: the Win32 backend asks the system at every read, so it sees what
// another writer changed meanwhile; the posix backend reads the file once, at
// the first read, and answers from that and from the object's own writes. A
// new object always sees the file as it is; an object always sees its own
// writes.

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
