#pragma once
// How wide text shows in a fixed-pitch font, in cells: what lines up the
// columns of a plain-text table.

#include <cstddef>
#include <string_view>

enum class TCellRule {
    // Japanese Windows' fixed-pitch fonts: ASCII and half-width katakana take
    // one cell, every other character (two bytes in code page 932) two.
    CodePage932,
    // East Asian wide and full-width characters two cells, marks that combine
    // with the character before them none, the rest one.
    Unicode,
};

// The cells of UTF-8 text; a malformed sequence counts one cell per byte.
std::size_t DisplayCells(std::string_view utf8, TCellRule rule);
