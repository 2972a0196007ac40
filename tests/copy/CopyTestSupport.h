#pragma once
// Scratch files, a scratch format store and guarded buffers for the copy
// command's tests, the same on the posix and the Win32 backend.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A fresh folder, removed with its files at the end of the test. Paths are
// Windows-style (backslashes) on both backends, as the host passes them.
class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    // The folder, ending in a backslash.
    const std::string& Path() const { return FPath; }
    // Writes the bytes exactly into a file of that name (code page 932) in
    // the folder and returns its full path.
    std::string Write(const std::string& name, std::string_view bytes);

private:
    std::string FPath;
};

// Keeps the user's stored copy format as it was: the posix backend gets a
// store file of its own, the Win32 registry value is saved and put back.
class TScratchFormatStore {
public:
    TScratchFormatStore();
    ~TScratchFormatStore();
    TScratchFormatStore(const TScratchFormatStore&) = delete;
    TScratchFormatStore& operator=(const TScratchFormatStore&) = delete;

    void Save(const std::string& formatText);
    // Makes the next read of the format fail, as a damaged store would.
    void Damage();

private:
    std::string FSaved;
    bool FHadValue = false;
};

// Bytes placed so that the first byte after them cannot be read: reading
// past the end faults instead of passing unnoticed.
class TGuardedBuffer {
public:
    // High asks the system for the highest free addresses (Win32 only).
    enum class Placement { Anywhere, High };
    explicit TGuardedBuffer(std::string_view bytes, Placement placement = Placement::Anywhere);
    ~TGuardedBuffer();
    TGuardedBuffer(const TGuardedBuffer&) = delete;
    TGuardedBuffer& operator=(const TGuardedBuffer&) = delete;

    const char* Data() const { return FData; }

private:
    char* FBase = nullptr;
    std::size_t FSize = 0;
    const char* FData = nullptr;
};

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

// A shortcut file's text with CRLF line ends; an empty lastVisit or comment
// leaves its key out, and both empty leave the Log section out.
std::string ShortcutText(const std::string& url, const std::string& comment = "",
                         const std::string& lastVisit = "");
