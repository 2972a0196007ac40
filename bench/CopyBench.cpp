// The copy command against its floor: reading the same shortcut files and
// nothing else. Also the parse of a 100,000-path selection and the command's
// peak heap use.

#include "copy/CopyCommand.h"
#include "copy/SelectionBuffer.h"
#include "runtime/posix/ClipboardStandIn.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

// The replaced operator delete frees what the replaced operator new took from
// malloc; GCC cannot see that pairing once the operators are inlined.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

// Live heap bytes and their high-water mark, counted by the operators below
// only while the peak is measured, so that the timed runs pay nothing for it.
std::atomic<bool> gCounting{false};
std::atomic<long long> gLiveBytes{0};
std::atomic<long long> gPeakBytes{0};

void CountAllocation(void* p) {
    if (!gCounting.load(std::memory_order_relaxed))
        return;
    const long long live = gLiveBytes.fetch_add(static_cast<long long>(malloc_usable_size(p))) +
                           static_cast<long long>(malloc_usable_size(p));
    long long peak = gPeakBytes.load();
    while (live > peak && !gPeakBytes.compare_exchange_weak(peak, live)) {
    }
}

} // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    CountAllocation(p);
    return p;
}

void operator delete(void* p) noexcept {
    if (p != nullptr && gCounting.load(std::memory_order_relaxed))
        gLiveBytes.fetch_sub(static_cast<long long>(malloc_usable_size(p)));
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

std::string WindowsPath(std::string path) {
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// count shortcut files of a typical size, made once per process and removed
// at exit; the selection buffer holds their Windows-style paths.
struct TShortcutSet {
    std::vector<std::string> PosixPaths;
    std::string Selection;
};

class TShortcutFolders {
public:
    ~TShortcutFolders() {
        for (const auto& [count, dir] : FDirs) {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    }

    const TShortcutSet& Get(int count) {
        auto found = FSets.find(count);
        if (found != FSets.end())
            return found->second;
        const std::string dir = std::filesystem::temp_directory_path().string() + "/pellbench-" +
                                std::to_string(getpid()) + "-" + std::to_string(count);
        std::filesystem::create_directories(dir);
        FDirs[count] = dir;
        TShortcutSet set;
        std::vector<std::string> selected;
        for (int i = 0; i < count; ++i) {
            const std::string path = dir + "/Favorite page number " + std::to_string(i) + ".url";
            FILE* file = std::fopen(path.c_str(), "wb");
            if (file == nullptr)
                std::abort();
            std::fprintf(file,
                         "[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,11\r\n"
                         "[InternetShortcut]\r\nIDList=\r\n"
                         "URL=https://www.example.com/articles/%d/index.html?ref=bench&page=%d\r\n"
                         "HotKey=0\r\nIconIndex=0\r\nIconFile=\r\n"
                         "[Log]\r\nUserComment=Saved while reading about topic %d\r\n"
                         "LastVisit=24/%02d/%02d %02d:%02d\r\n",
                         i, i % 7, i % 13, i % 12 + 1, i % 28 + 1, i % 24, i % 60);
            std::fclose(file);
            set.PosixPaths.push_back(path);
            selected.push_back(WindowsPath(path));
        }
        set.Selection = SelectionBuffer(selected);
        return FSets.emplace(count, std::move(set)).first->second;
    }

private:
    std::map<int, std::string> FDirs;
    std::map<int, TShortcutSet> FSets;
};

TShortcutFolders& Folders() {
    static TShortcutFolders folders;
    return folders;
}

// The format comes from a store of the benchmark's own.
void UseScratchRegistry() {
    static const std::string store = std::filesystem::temp_directory_path().string() +
                                     "/pellbench-registry-" + std::to_string(getpid());
    setenv("PELLMARK_REGISTRY", store.c_str(), 1);
}

void BM_CopyCommand(benchmark::State& state) {
    UseScratchRegistry();
    const TShortcutSet& set = Folders().Get(static_cast<int>(state.range(0)));
    for (auto _ : state)
        RunCopyCommand(set.Selection.data(), static_cast<std::int32_t>(set.Selection.size()));
    state.counters["files/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * state.range(0)), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CopyCommand)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The floor: open each file and read all its bytes once.
void BM_ReadFilesFloor(benchmark::State& state) {
    const TShortcutSet& set = Folders().Get(static_cast<int>(state.range(0)));
    std::vector<char> bytes(64 * 1024);
    for (auto _ : state) {
        std::size_t total = 0;
        for (const std::string& path : set.PosixPaths) {
            FILE* file = std::fopen(path.c_str(), "rb");
            if (file == nullptr)
                std::abort();
            total += std::fread(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadFilesFloor)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

std::string LargeSelection(int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        // About 100 bytes a path, so 100,000 paths make a 10 MB buffer.
        paths.push_back("C:\\Documents and Settings\\User\\Favorites\\Research\\Folder " +
                        std::to_string(i % 100) + "\\A long page title number " +
                        std::to_string(i) + ".url");
    }
    return SelectionBuffer(paths);
}

void BM_ParsePathList(benchmark::State& state) {
    const std::string buffer = LargeSelection(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TStringList list;
        ParsePathList(list, buffer.data(), static_cast<std::int32_t>(buffer.size()));
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["buffer_MB"] = static_cast<double>(buffer.size()) / 1e6;
}
BENCHMARK(BM_ParsePathList)->Arg(100000)->Unit(benchmark::kMillisecond);

// One command, with the heap's high-water mark above what was live before
// it, against the text it produced and the selection buffer.
void BM_CopyCommandPeakMemory(benchmark::State& state) {
    UseScratchRegistry();
    const TShortcutSet& set = Folders().Get(static_cast<int>(state.range(0)));
    double peak = 0;
    for (auto _ : state) {
        ClipboardStandIn::Reset();
        // Only blocks allocated while counting are counted when freed.
        gLiveBytes = 0;
        gPeakBytes = 0;
        gCounting = true;
        RunCopyCommand(set.Selection.data(), static_cast<std::int32_t>(set.Selection.size()));
        gCounting = false;
        peak = static_cast<double>(gPeakBytes.load());
    }
    const auto output = static_cast<double>(ClipboardStandIn::Text().size());
    const auto buffer = static_cast<double>(set.Selection.size());
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["text_MB"] = output / 1e6;
    state.counters["buffer_MB"] = buffer / 1e6;
    // Goal: below 1.
    state.counters["peak/(4*text+buffer)"] = peak / (4 * output + buffer);
}
BENCHMARK(BM_CopyCommandPeakMemory)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
