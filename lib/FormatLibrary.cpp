#include "lib/FormatLibrary.h"

#include "lib/LibUnit.h"
#include "runtime/AnsiText.h"
#include "runtime/DateTime.h"
#include "runtime/Exception.h"
#include "runtime/FileNames.h"
#include "runtime/Messages.h"
#include "runtime/RegIniFile.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace {

constexpr char RegistryKeyPrefix[] = "software\\Oskel\\Orrel\\Plugins\\FormatLibrary\\";
// "yyyy/mm/dd" with a separator of one byte.
constexpr std::size_t LongestDate = 10;
constexpr std::size_t MaxReserve = std::size_t{1} << 20;

EConvertError FormatError(const std::string& formatText) {
    return EConvertError(Messages::InvalidFormat(formatText));
}

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

bool StartsDoubleByte(const std::string& text, std::size_t pos) {
    return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
           IsTrailByte(static_cast<unsigned char>(text[pos + 1]));
}

// One allocation for the whole output in the usual case: no directive gives
// more than the longest field or a date. Capped, so that a pathological
// format cannot ask for more than the string grows to.
std::size_t ExpectedSize(const std::string& format, const TUrlFileData& data) {
    const std::size_t longest =
        std::max({data.FileName.size(), data.URL.size(), data.Comment.size(), LongestDate});
    const auto directives = static_cast<std::size_t>(std::count(format.begin(), format.end(), '%'));
    return format.size() + (directives > MaxReserve / longest ? MaxReserve : directives * longest);
}

// A directive as the format spells it after its '%': an optional selector
// digit, then one character, whose lower case is the letter.
struct TDirective {
    int Selector = 0;
    char Letter = 0;      // 0 where the format ends before it, or for a double-byte character
    std::size_t Next = 0; // where the text after the directive starts
};

TDirective ReadDirective(const std::string& format, std::size_t pos) {
    TDirective directive;
    if (pos < format.size() && IsDigit(format[pos]))
        directive.Selector = format[pos++] - '0';
    directive.Next = pos;
    if (pos == format.size())
        return directive;
    // A double-byte character names no directive: it goes whole, so that no
    // lone trail byte fuses with the next byte into another character.
    if (StartsDoubleByte(format, pos)) {
        directive.Next = pos + 2;
        return directive;
    }
    directive.Letter = AnsiLowerCase(std::string(1, format[pos]))[0];
    directive.Next = pos + 1;
    return directive;
}

// The four selector operations of the field directives. The URL ignores its
// selector; the date, time and file directives raise the format error for a
// selector they do not know.
const std::string& ExpandURL([[maybe_unused]] int selector, const std::string& url) {
    return url;
}

std::string ExpandDate(int selector, TDateTime value, const std::string& format) {
    switch (selector) {
    case 0:
        return FormatDateTime("yyyy/mm/dd", value);
    case 1:
        return FormatDateTime("yy/mm/dd", value);
    default:
        throw FormatError(format);
    }
}

std::string ExpandTime(int selector, TDateTime value, const std::string& format) {
    switch (selector) {
    case 0:
        return FormatDateTime("hh:nn:ss", value);
    case 1:
        return FormatDateTime("hh:nn", value);
    default:
        throw FormatError(format);
    }
}

std::string ExpandFile(int selector, const std::string& fileName, const std::string& format) {
    switch (selector) {
    case 0:
        return fileName;
    case 1:
        return ExtractFileName(fileName);
    case 2:
        return RemoveTrailingBackslash(ExtractFilePath(fileName));
    default:
        throw FormatError(format);
    }
}

// The text of a directive that formats a field of the record; empty for a
// letter that names no directive.
std::string FieldText(const TDirective& directive, const TUrlFileData& data,
                      const std::string& format) {
    const int selector = directive.Selector;
    switch (directive.Letter) {
    case 'p':
        return ChangeFileExt(ExtractFileName(data.FileName), "");
    case 'u':
        return ExpandURL(selector, data.URL);
    case 'd':
        return ExpandDate(selector, data.FileDateTime, format);
    case 't':
        return ExpandTime(selector, data.FileDateTime, format);
    case 'v':
        return ExpandDate(selector, data.LastVisit, format);
    case 'a':
        return ExpandTime(selector, data.LastVisit, format);
    case 'f':
        return ExpandFile(selector, data.FileName, format);
    default:
        return {};
    }
}

void AppendDirective(const TDirective& directive, const TUrlFileData& data,
                     const std::string& format, std::string& output) {
    switch (directive.Letter) {
    case 'c':
        output += data.Comment;
        break;
    case '%':
        output += '%';
        break;
    case 'z':
        output += "\r\n";
        break;
    default:
        output += FieldText(directive, data, format);
        break;
    }
}

// Walks the format once by index: no copy of the rest is ever made, so the
// cost grows with the format and the output alone.
std::string ExpandFormat(const std::string& format, const TUrlFileData& data) {
    std::string output;
    output.reserve(ExpectedSize(format, data));
    std::size_t pos = 0;
    while (pos < format.size()) {
        const std::size_t percent = format.find('%', pos);
        if (percent == std::string::npos)
            break;
        output.append(format, pos, percent - pos);
        const TDirective directive = ReadDirective(format, percent + 1);
        AppendDirective(directive, data, format, output);
        pos = directive.Next;
    }
    output.append(format, pos, std::string::npos);
    return output;
}

} // namespace

std::string FormatRegistryKey(const std::string& formatName) {
    return RegistryKeyPrefix + formatName;
}

void TFormatLibrary::LoadFromRegistry() {
    TRegIniFile registry(FormatRegistryKey(FormatName));
    FormatText = registry.ReadString(FormatSection, FormatValueName, DefaultFormatText);
}

void TFormatLibrary::SaveToRegistry() {
    TRegIniFile registry(FormatRegistryKey(FormatName));
    registry.WriteString(FormatSection, FormatValueName, FormatText);
}

void TFormatLibrary::SetFormatText(const std::string& text) {
    FormatText = text;
}

std::string TFormatLibrary::Expand(const TUrlFileData& data) const {
    try {
        return ExpandFormat(FormatText, data);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::length_error&) {
        throw;
    } catch (...) {
        // Whatever else failed inside, the caller sees one error naming the
        // whole format.
        throw FormatError(FormatText);
    }
}
