#pragma once
// UTF-8 text of the source tree (a guide, a form description) in the ANSI
// code page, as the build and the user see it.

#include <string>
#include <string_view>

// Decodes well-formed UTF-8 only; the tests pass their own files.
std::string Utf8ToAnsi(std::string_view utf8);
