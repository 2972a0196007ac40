#pragma once
// The runtime's ordered string list: unsorted, duplicates allowed, items in
// the order they were appended.

#include <string>
#include <vector>

using TStringList = std::vector<std::string>;
