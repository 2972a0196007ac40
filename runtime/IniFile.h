#pragma once
// INI file access by section and key, with the Windows private-profile rules:
// names match case-insensitively, blanks are trimmed, a line splits at its
// first '=', one pair of matching quotes around a value is removed, the first
// match wins; a line that starts with ';' is found only by its whole name.
// Values are returned whole.
//
// The file is opened and read once, whole, at the first query (FileFound,
// ModificationTime, ReadString, ReadUnicodeString), and every query is
// answered from that reading: whether a file was found, its date and its
// values come from the same open file, with no second look-up by path. A
// change another writer makes afterwards is not seen by this object; a new
// object sees the file as it is then. A write goes to the file at once, and
// the next query reads the file again, so an object always sees its own
// writes.
//
// A path whose last name is a device name (IsDeviceName) has no file and is
// never opened. The Win32 backend takes the path as the host gives it, in
// the ANSI code page, and finds the file it means by its wide name (see
// runtime/win32/HostPath.h); the posix backend takes the bytes as they are.
// Writing takes the path as it is on both.

#include "runtime/DateTime.h"

#include <memory>
#include <optional>
#include <string>

class TIniFile {
public:
    explicit TIniFile(std::string fileName);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return FFileName; }

    // True when a file was found; a folder, a device name and a path with
    // no file are none. Raises EIniFileException when a file exists but
    // cannot be read, when the path cannot be looked up, and (Win32) when
    // several files match a name the host gave with characters replaced.
    bool FileFound();
    // The found file's last-modification time in local time, to the second,
    // as FileTimeToDateTime takes it; false when no file was found.
    bool ModificationTime(TLocalTimeFields& time);

    // The value, or def when the file, the section or the key is absent.
    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& def);
    // The value by the same rules, as UTF-16 before any conversion to code
    // page 932, for a file in UTF-16 or UTF-8 with a byte order mark;
    // nothing for a code page 932 file and for an absent key.
    std::optional<std::u16string> ReadUnicodeString(const std::string& section,
                                                    const std::string& ident);
    // Creates the file, section and key as needed; replaces an existing value.
    // Raises EIniFileException when the file cannot be written.
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value);

private:
    struct Impl;
    std::string FFileName;
    std::unique_ptr<Impl> FImpl;
};
