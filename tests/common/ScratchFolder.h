#pragma once
// Folders for one scope: a fresh scratch folder, scratch names in the
// temporary folder, and the current folder.

#include <string>
#include <string_view>

// A fresh folder below the system's temporary folder, removed with all it
// holds when the object goes.
class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    // The folder as the host passes paths, Windows-style (backslashes) on
    // both backends, ending in a backslash.
    const std::string& Path() const { return FPath; }
    // An entry of the folder, Windows-style.
    std::string Name(const std::string& entry) const { return FPath + entry; }
    // An entry of the folder in the system's own form (posix paths natively).
    std::string OsPath(const std::string& entry) const;
    // Writes the bytes exactly into that entry (code page 932 names) and
    // returns Name(entry).
    std::string Write(const std::string& entry, std::string_view bytes) const;

private:
    std::string FPath;
};

// A path in the temporary folder that nothing else uses, with the process id
// in it; name is appended as it is. Windows-style, as the runtime gives it.
std::string ScratchPath(const std::string& name);

// Makes the folder current for one scope.
class TCurrentFolder {
public:
    explicit TCurrentFolder(const std::string& folder);
    ~TCurrentFolder();
    TCurrentFolder(const TCurrentFolder&) = delete;
    TCurrentFolder& operator=(const TCurrentFolder&) = delete;

private:
    std::string FOld;
};
