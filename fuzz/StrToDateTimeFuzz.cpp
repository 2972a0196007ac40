// Date-time text from anywhere: only a conversion error may come out, and
// whatever is accepted must survive being saved and read again.

#include "runtime/DateTime.h"
#include "runtime/Exception.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr int CurrentYear = 2026;

struct TFields {
    int Year, Month, Day, Hour, Minute;
    bool operator==(const TFields&) const = default;
};

TFields Fields(TDateTime value) {
    TFields f{};
    int second = 0, msec = 0;
    DecodeDate(value, f.Year, f.Month, f.Day);
    DecodeTime(value, f.Hour, f.Minute, second, msec);
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FormatSettings = {'/', ':', "yyyy/mm/dd"};
    const std::string text(reinterpret_cast<const char*>(data), size);
    TDateTime value = 0;
    try {
        value = StrToDateTime(text, FormatSettings, CurrentYear);
    } catch (const EConvertError&) {
        return 0;
    }
    // The last visit as saving writes it, read back.
    const std::string saved = FormatDateTime("yy/mm/dd hh:nn", value);
    const TDateTime again = StrToDateTime(saved, FormatSettings, CurrentYear);
    TFields expected = Fields(value);
    const TFields actual = Fields(again);
    // Two digits keep the year only within the hundred years around now.
    expected.Year = actual.Year - (actual.Year - expected.Year) % 100;
    if (!(expected == actual) || actual.Year < CurrentYear - 50 || actual.Year >= CurrentYear + 50)
        std::abort();
    return 0;
}
