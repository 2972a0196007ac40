// Expansion of arbitrary formats against records picked by the first input
// bytes. An expansion either returns text or raises the format error naming
// the whole format; anything else escaping is a fault.

#include "lib/FormatLibrary.h"
#include "runtime/Exception.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

const char* const FileNames[] = {
    "",
    "a.url",
    "C:\\a.url",
    "C:a",
    "C:\\Fav\\My.Page.url",
    "\\\\server\\share\\x.y.z",
    "C:\\\x95\x5C\\\x83\x5C.url",
    "C:\\dir\\\x95",
    "\\",
    ".url",
};

const TDateTime Dates[] = {
    0.0,
    -1.25,
    36925.17020833333,
    2958465.99999999,
    -693593.0,
    1e300,
    -1e300,
    std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::denorm_min(),
};

template <typename T, std::size_t N> const T& Pick(const T (&table)[N], std::uint8_t byte) {
    return table[byte % N];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 3)
        return 0;
    TUrlFileData data;
    data.FileName = Pick(FileNames, bytes[0]);
    data.URL = (bytes[1] & 1) != 0 ? "http://example.com/%u%2d" : "";
    data.Comment = (bytes[1] & 2) != 0 ? "comment %z" : "";
    data.FileDateTime = Pick(Dates, bytes[2]);
    data.LastVisit = Pick(Dates, static_cast<std::uint8_t>(bytes[2] >> 4));

    TFormatLibrary library;
    library.SetFormatText(std::string(reinterpret_cast<const char*>(bytes) + 3, size - 3));
    const std::string& format = library.FormatText;
    try {
        const std::string output = library.Expand(data);
        if (format.find('%') == std::string::npos && output != format)
            std::abort();
        if (library.Expand(data) != output)
            std::abort();
    } catch (const EConvertError& e) {
        if (e.Message != "書式文字列が不正です\r\n" + format)
            std::abort();
    }
    return 0;
}
