// plugbench: times a plug-in's ExecutePlugin on every .url file of a folder,
// against the floor of just reading the same files, in the same process and
// environment (meant for Wine). Prints one line per measurement.
//
//   plugbench PLUGIN.dll FOLDER [REPEATS]

#include "copy/SelectionBuffer.h"
#include "plugin/OrrelPlugins.h"
#include "runtime/win32/Handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

std::vector<std::string> ShortcutPaths(const std::string& folder) {
    std::vector<std::string> paths;
    WIN32_FIND_DATAA found;
    TFindHandle find(FindFirstFileA((folder + "\\*.url").c_str(), &found));
    if (!find)
        return paths;
    do {
        paths.push_back(folder + "\\" + found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    std::sort(paths.begin(), paths.end());
    return paths;
}

// The floor: open each file and read all its bytes once.
std::size_t ReadAll(const std::vector<std::string>& paths) {
    std::size_t total = 0;
    char bytes[64 * 1024];
    for (const std::string& path : paths) {
        TFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD read = 0;
        if (file && ReadFile(file.get(), bytes, sizeof bytes, &read, nullptr))
            total += read;
    }
    return total;
}

template <typename F> double Best(int repeats, F run) {
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER stop;
        QueryPerformanceCounter(&start);
        run();
        QueryPerformanceCounter(&stop);
        best = std::min(best, Seconds(start, stop));
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: plugbench PLUGIN.dll FOLDER [REPEATS]\n");
        return 2;
    }
    const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::vector<std::string> paths = ShortcutPaths(argv[2]);
    if (paths.empty()) {
        std::fprintf(stderr, "plugbench: no .url files in %s\n", argv[2]);
        return 2;
    }
    const std::string selection = SelectionBuffer(paths);

    TModule module(LoadLibraryA(argv[1]));
    if (!module) {
        std::fprintf(stderr, "plugbench: cannot load %s\n", argv[1]);
        return 2;
    }
    const auto execute = reinterpret_cast<TExecutePlugin>(
        reinterpret_cast<void*>(GetProcAddress(module.get(), "ExecutePlugin")));
    if (execute == nullptr) {
        std::fprintf(stderr, "plugbench: %s exports no ExecutePlugin\n", argv[1]);
        return 2;
    }

    int failures = 0;
    const double command = Best(repeats, [&] {
        if (execute(selection.data(), static_cast<std::int32_t>(selection.size())) != 0)
            ++failures;
    });
    std::size_t bytes = 0;
    const double floor = Best(repeats, [&] { bytes = ReadAll(paths); });
    std::printf("files %zu  command %.1f ms  read floor %.1f ms  ratio %.2f  (%zu bytes read)\n",
                paths.size(), command * 1e3, floor * 1e3, command / floor, bytes);
    return failures == 0 ? 0 : 1;
}
