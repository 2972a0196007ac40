#pragma once
// The text of one line of Markdown without its inline markup: code spans give
// their contents as they are, **strong** and *emphasis* their text, a link its
// text and, when that differs, its address in parentheses; backslash escapes
// and the common character references are resolved. A picture, inline HTML,
// strikethrough, a reference link or an unclosed span throws EMarkdownError.

#include <string>
#include <string_view>

std::string PlainInline(std::string_view markdown);
