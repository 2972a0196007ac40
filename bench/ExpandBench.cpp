// Expansion speed: the default format against a typical record, and long
// formats made of many copies of it, whose cost per copy must stay flat.

#include "lib/FormatLibrary.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

TUrlFileData TypicalRecord() {
    TUrlFileData data;
    data.FileName = "C:\\Documents and Settings\\user\\Favorites\\News\\Example Daily News.url";
    data.URL = "https://www.example.com/news/2024/05/06/some-article.html?ref=rss";
    data.Comment = "read later";
    data.FileDateTime = EncodeDate(2024, 5, 6) + EncodeTime(7, 8, 9, 0);
    data.LastVisit = EncodeDate(2024, 6, 1) + EncodeTime(12, 30, 0, 0);
    return data;
}

std::string Repeated(const std::string& format, std::int64_t copies) {
    std::string text;
    for (std::int64_t i = 0; i < copies; ++i)
        text += format;
    return text;
}

// Items are copies of the format, so items/s of the repeated runs compare
// directly with the single one.
void ExpandCopies(benchmark::State& state, const std::string& format) {
    const TUrlFileData data = TypicalRecord();
    TFormatLibrary library;
    library.SetFormatText(Repeated(format, state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(library.Expand(data));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ExpandDefault(benchmark::State& state) {
    ExpandCopies(state, "%p : %u%z");
}
BENCHMARK(BM_ExpandDefault)->Arg(1)->Arg(10)->Arg(100)->Arg(1000);

void BM_ExpandAllDirectives(benchmark::State& state) {
    ExpandCopies(state, "%p|%u|%c|%d|%1t|%v|%a|%f|%1f|%2f|%%|%z");
}
BENCHMARK(BM_ExpandAllDirectives)->Arg(1)->Arg(1000);

} // namespace

BENCHMARK_MAIN();
