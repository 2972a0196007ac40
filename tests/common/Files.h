#pragma once
// Files by path for the tests: their bytes, existence, times and removal.
// Each function takes a path as the runtime takes it (Windows-style
// delimiters) or in the system's own form, and fails by throwing an error
// that names the file.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The system's own spelling of a path: on posix each delimiting '\' becomes
// '/' (a posix path stays as it is); on Win32 the path as it is.
std::string OsPath(const std::string& path);
// A path of the build machine (the source or build tree) as this program
// sees it: under Wine the machine's root is drive Z:.
std::string HostPath(const std::string& machinePath);
// A file of the source tree, by its path below the repository's root.
std::string ReadSourceFile(const std::string& relative);
// The bytes of every file in a folder of the source tree, in name order.
std::vector<std::string> ReadSourceFolder(const std::string& relative);

std::string ReadBytes(const std::string& path);
// Creates or replaces the file with exactly these bytes.
void WriteBytes(const std::string& path, std::string_view bytes);
// The same, for a file written again and again: an existing file is written
// over and then cut after the bytes. Cutting it to nothing first, as
// WriteBytes does, makes the file system flush it to disk each time (ext4
// guards replace-by-truncate so), which costs ten times as much under Wine.
void OverwriteBytes(const std::string& path, std::string_view bytes);

bool PathExists(const std::string& path);
bool IsDirectory(const std::string& path);
// Nothing when the file or folder is not there.
void RemoveFile(const std::string& path);
void RemoveTree(const std::string& path);

// Moves a file's last-modification time back by the given number of days.
void AgeFile(const std::string& path, int days);
// Sets the file's last-modification time to a local date-time.
void SetLocalModificationTime(const std::string& path, int year, int month, int day, int hour,
                              int minute, int second);

#ifdef _WIN32
// A full path ("C:\...") in its "\\?\" UTF-16 form, which the wide functions
// take at any length and with any name (device names included).
std::wstring WideExtendedPath(const std::string& fullPath);
// Creates a folder, or a file with exactly these bytes, by a wide path.
void CreateFolderWide(const std::wstring& path);
void WriteBytesWide(const std::wstring& path, std::string_view bytes);
// The names in a folder as an ANSI program such as the host lists them
// (FindFirstFileA), "." and ".." left out.
std::vector<std::string> AnsiListing(const std::string& folder);
#endif

// Keeps an existing file from being opened for reading while it lives: held
// open without sharing on Win32, as a sync client or a virus scanner does;
// replaced by a socket on posix, which no one can open, root included.
class TUnreadableFile {
public:
    explicit TUnreadableFile(const std::string& path);
    ~TUnreadableFile();
    TUnreadableFile(const TUnreadableFile&) = delete;
    TUnreadableFile& operator=(const TUnreadableFile&) = delete;

private:
    std::string FPath;
    std::intptr_t FHandle;
};
