#pragma once
// Paths between the host's ANSI form and the wide "\\?\" form, which the
// wide file functions take at any length and without reading device names.

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

// The host's path in UTF-16, converted as the ANSI file functions convert it.
std::wstring WidePath(const std::string& ansiPath);
// A wide name as an ANSI host sees it: converted with the ANSI code page and
// default flags (WideCharToMultiByte(CP_ACP, 0, ...)), best fit included and
// '?' for what has no equivalent, as the ANSI file functions list it.
std::string AnsiName(std::wstring_view name);

// True for "\\?\..." and "\\.\...", which the system takes as they are.
bool HasDevicePrefix(std::wstring_view path);
// The full path as the system makes it from the current folder; a device
// name comes back as "\\.\NAME". Empty when the system makes none, with its
// reason in error.
std::wstring FullPath(const std::wstring& path, DWORD& error);
// The "\\?\" form of a full path: "\\?\C:\..." or "\\?\UNC\server\share\...".
// A path with a device prefix stays as it is.
std::wstring ExtendedPath(const std::wstring& fullPath);
// How long the root of an extended path is, up to and including the
// backslash after it ("\\?\C:\", "\\?\UNC\server\share\"); the whole length
// when nothing follows the root.
std::size_t RootLength(std::wstring_view extendedPath);
// An extended path as a user writes it ("C:\...", "\\server\share\...").
std::wstring WithoutExtendedPrefix(std::wstring_view extendedPath);
