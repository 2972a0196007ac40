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
    const std::string& format = FormatText;
    const std::size_t size = format.size();
    try {
        // One allocation for the whole output in the usual case: no directive
        // gives more than the longest field or a date. Capped, so that a
        // pathological format cannot ask for more than the string grows to.
        const std::size_t longest =
            std::max({data.FileName.size(), data.URL.size(), data.Comment.size(), LongestDate});
        const auto directives =
            static_cast<std::size_t>(std::count(format.begin(), format.end(), '%'));
        std::string output;
        output.reserve(size +
                       (directives > MaxReserve / longest ? MaxReserve : directives * longest));
        // Walks the format once by index: no copy of the rest is ever made,
        // so the cost grows with the format and the output alone.
        std::size_t pos = 0;
        while (pos < size) {
            const std::size_t percent = format.find('%', pos);
            if (percent == std::string::npos)
                break;
            output.append(format, pos, percent - pos);
            pos = percent + 1;
            if (pos == size)
                break;
            int selector = 0;
            if (format[pos] >= '0' && format[pos] <= '9') {
                selector = format[pos] - '0';
                if (++pos == size)
                    break;
            }
            // A double-byte character names no directive: it goes whole, so
            // that no lone trail byte fuses with the next byte into another
            // character.
            if (IsLeadByte(static_cast<unsigned char>(format[pos])) && pos + 1 < size &&
                IsTrailByte(static_cast<unsigned char>(format[pos + 1]))) {
                pos += 2;
                continue;
            }
            const std::string letter = AnsiLowerCase(std::string(1, format[pos++]));
            switch (letter[0]) {
            case 'p':
                output += ChangeFileExt(ExtractFileName(data.FileName), "");
                break;
            case 'u':
                output += ExpandURL(selector, data.URL);
                break;
            case 'c':
                output += data.Comment;
                break;
            case 'd':
                output += ExpandDate(selector, data.FileDateTime);
                break;
            case 't':
                output += ExpandTime(selector, data.FileDateTime);
                break;
            case 'v':
                output += ExpandDate(selector, data.LastVisit);
                break;
            case 'a':
                output += ExpandTime(selector, data.LastVisit);
                break;
            case 'f':
                output += ExpandFile(selector, data.FileName);
                break;
            case '%':
                output += '%';
                break;
            case 'z':
                output += "\r\n";
                break;
            default:
                break;
            }
        }
        output.append(format, pos, std::string::npos);
        return output;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::length_error&) {
        throw;
    } catch (...) {
        // Whatever else failed inside, the caller sees one error naming the
        // whole format.
        throw FormatError(format);
    }
}

std::string TFormatLibrary::ExpandURL([[maybe_unused]] int selector, const std::string& url) const {
    return url;
}

std::string TFormatLibrary::ExpandDate(int selector, TDateTime value) const {
    switch (selector) {
    case 0:
        return FormatDateTime("yyyy/mm/dd", value);
    case 1:
        return FormatDateTime("yy/mm/dd", value);
    default:
        throw FormatError(FormatText);
    }
}

std::string TFormatLibrary::ExpandTime(int selector, TDateTime value) const {
    switch (selector) {
    case 0:
        return FormatDateTime("hh:nn:ss", value);
    case 1:
        return FormatDateTime("hh:nn", value);
    default:
        throw FormatError(FormatText);
    }
}

std::string TFormatLibrary::ExpandFile(int selector, const std::string& fileName) const {
    switch (selector) {
    case 0:
        return fileName;
    case 1:
        return ExtractFileName(fileName);
    case 2:
        return RemoveTrailingBackslash(ExtractFilePath(fileName));
    default:
        throw FormatError(FormatText);
    }
}
