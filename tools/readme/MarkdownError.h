#pragma once
// A Markdown construct the plain-text converter does not know: the readme
// must not pass markup through, so conversion stops and says what and where.

#include <stdexcept>
#include <string>

class EMarkdownError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
