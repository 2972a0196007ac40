#pragma once
// Tricky files and what a lookup in them must give. The same rows drive the
// portable reader's tests everywhere and, under Windows, the comparison with
// the system's own routine.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

struct TIniReadCase {
    std::string Name;
    std::string File;
    std::string Section;
    std::string Ident;
    std::optional<std::string> Expected; // nothing: the key is absent
    // Wine's routine departs here from the behaviour Windows shows; the
    // comparison leaves the row out and the row states the Windows result.
    bool WineDiffers = false;
};

const std::vector<TIniReadCase>& IniReadCases();

// Names the row in test output.
void PrintTo(const TIniReadCase& row, std::ostream* out);
