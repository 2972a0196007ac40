#pragma once
// File-system queries. Paths are Windows-style; the posix backend maps '\' to
// '/' (lead-byte aware) when it calls the operating system.

#include <string>

// True for an existing file, false for a folder or nothing.
bool FileExists(const std::string& fileName);

// The user's temporary folder as the system gives it, whatever its length,
// Windows-style and ending in a backslash on both backends (posix: $TMPDIR
// or /tmp as "\tmp\"). Raises EOSError when the system cannot give one.
std::string SystemTempPath();

// Creates a folder and its missing parents. False when it could not.
bool ForceDirectories(const std::string& dir);

// Deletes a file. Raises EOSError, naming the file and the system's reason,
// when it cannot.
void EraseFile(const std::string& fileName);
