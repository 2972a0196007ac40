#pragma once
// Whole-file reading and replacing for the posix backend's stores (INI files,
// the registry file). Paths are posix paths.

#include <string>
#include <sys/types.h>
#include <utility>

// Owns one file descriptor.
class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : FFd(fd) {}
    ~TFileDescriptor();
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return FFd; }
    // Closes now, for the caller to see the error a late write may report.
    int Close();

private:
    int FFd;
};

enum class TReadStatus { Read, Missing, Unreadable };

struct TReadResult {
    TReadStatus Status;
    std::string Bytes;
    // errno of the failure when Status is not Read.
    int Error;
    // The last-modification time of the file read, from the open file.
    time_t ModificationTime = 0;
};

// The file's bytes and time. A missing file, a missing folder on the way and
// a folder are Missing; any other failure to open or read is Unreadable.
TReadResult ReadWholeFile(const std::string& path);

// Replaces the file at path with bytes, or creates it with newFileMode (less
// the umask). The bytes go to an exclusively created temporary file beside
// it, are flushed to disk and renamed over the old file, so a failure never
// leaves the file half written. An existing file keeps its permission bits,
// and a symbolic link is written through, not replaced. Returns the reason of
// a failure, empty on success.
std::string ReplaceWholeFile(const std::string& path, const std::string& bytes, mode_t newFileMode);
