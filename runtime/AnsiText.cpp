#include "runtime/AnsiText.h"

std::string AnsiLowerCase(std::string_view text) {
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); ++i) {
        const auto c = static_cast<unsigned char>(result[i]);
        if (IsLeadByte(c) && i + 1 < result.size())
            ++i;
        else if (c >= 'A' && c <= 'Z')
            result[i] = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}
