// plughost: a minimal stand-in for the host application. It loads a plug-in,
// prints what the plug-in announces, runs its command on the files given and
// prints what the clipboard then holds. Output is UTF-8 for the terminal.

#include "copy/SelectionBuffer.h"
#include "lib/FormatLibrary.h"
#include "plugin/OrrelPlugins.h"
#include "runtime/Clipboard.h"
#include "runtime/Exception.h"
#include "runtime/win32/Handles.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <io.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* Usage =
    "usage: plughost [--reset-format] [--format TEXT] PLUGIN.dll [FILE...]\n"
    "\n"
    "Loads PLUGIN.dll as the host would, prints its descriptor (title, menu\n"
    "caption, description and the five numbers), calls ExecutePlugin with a\n"
    "selection buffer made of the FILEs (full paths in the ANSI code page, each\n"
    "followed by a NUL, one more NUL at the end; no FILE: a null buffer of\n"
    "length 0), prints its result and then the clipboard's text.\n"
    "\n"
    "  --reset-format delete the stored format first, so that the default applies\n"
    "  --format TEXT  store TEXT as the copy command's format in the registry\n"
    "                 first, as the settings dialog would\n"
    "  --help         show this text\n"
    "\n"
    "Exit status: 0 when ExecutePlugin returned 0, 1 when it returned anything\n"
    "else, 2 when plughost itself failed.\n";

// plughost's own errors; unlike the runtime's, their messages are UTF-8.
class EPlugHost : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::wstring WideFrom(std::string_view text, UINT codePage) {
    if (text.empty())
        return {};
    const int n =
        ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0)
        throw EPlugHost("text cannot be converted to UTF-16");
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string NarrowFrom(std::wstring_view text, UINT codePage, bool exact) {
    if (text.empty())
        return {};
    // Only the ANSI code page can lose characters; UTF-8 takes no default-char
    // arguments.
    const DWORD flags = exact ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL lossy = FALSE;
    BOOL* lossyOut = exact ? &lossy : nullptr;
    const int n = ::WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, lossyOut);
    if (n <= 0)
        throw EPlugHost("text cannot be converted from UTF-16");
    std::string narrow(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()),
                          narrow.data(), n, nullptr, lossyOut);
    if (lossy)
        throw EPlugHost("\"" + NarrowFrom(text, CP_UTF8, false) +
                        "\" has characters outside the ANSI code page");
    return narrow;
}

std::string AnsiFromWide(std::wstring_view text) {
    return NarrowFrom(text, CP_ACP, true);
}

std::string Utf8FromAnsi(std::string_view text) {
    return NarrowFrom(WideFrom(text, CP_ACP), CP_UTF8, false);
}

void Write(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

// A fixed-width text field ends at its first NUL or at its end.
template <std::size_t N> std::string_view FieldText(const char (&field)[N]) {
    const void* nul = std::memchr(field, 0, N);
    return {field, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : N};
}

std::string WithLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        result += text[i];
    }
    return result;
}

std::string FullAnsiPath(const std::wstring& path) {
    const DWORD n = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        throw EPlugHost("no full path for \"" + NarrowFrom(path, CP_UTF8, false) + "\"");
    std::wstring full(n, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    if (written == 0 || written >= n)
        throw EPlugHost("no full path for \"" + NarrowFrom(path, CP_UTF8, false) + "\"");
    full.resize(written);
    return AnsiFromWide(full);
}

struct TArguments {
    bool Help = false;
    bool ResetFormat = false;
    bool HasFormat = false;
    std::string Format;
    std::wstring Plugin;
    std::vector<std::wstring> Files;
};

TArguments ParseArguments() {
    int argc = 0;
    std::unique_ptr<LPWSTR, decltype(&::LocalFree)> argv(
        ::CommandLineToArgvW(::GetCommandLineW(), &argc), &::LocalFree);
    if (!argv)
        throw EPlugHost("cannot read the command line");
    TArguments args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view arg = argv.get()[i];
        if (args.Plugin.empty() && arg == L"--help") {
            args.Help = true;
        } else if (args.Plugin.empty() && arg == L"--reset-format") {
            args.ResetFormat = true;
        } else if (args.Plugin.empty() && arg == L"--format") {
            if (++i >= argc)
                throw EPlugHost("--format needs a TEXT");
            args.HasFormat = true;
            args.Format = AnsiFromWide(argv.get()[i]);
        } else if (args.Plugin.empty()) {
            args.Plugin = arg;
        } else {
            args.Files.emplace_back(arg);
        }
    }
    if (!args.Help && args.Plugin.empty())
        throw EPlugHost("no PLUGIN.dll given (see --help)");
    return args;
}

std::string SelectionOf(const std::vector<std::wstring>& files) {
    std::vector<std::string> paths;
    for (const std::wstring& file : files)
        paths.push_back(FullAnsiPath(file));
    return SelectionBuffer(paths);
}

template <typename F> F Export(HMODULE module, const char* name) {
    FARPROC proc = ::GetProcAddress(module, name);
    if (proc == nullptr)
        throw EPlugHost(std::string("the plug-in does not export ") + name);
    return reinterpret_cast<F>(reinterpret_cast<void*>(proc));
}

int Run() {
    const TArguments args = ParseArguments();
    if (args.Help) {
        Write(Usage);
        return 0;
    }
    if (args.ResetFormat) {
        const std::string key = FormatRegistryKey(ClipBoardFormatName);
        const LONG code = ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND)
            throw EPlugHost("cannot delete the stored format (error " + std::to_string(code) + ")");
        Write("Stored format deleted: the default applies\n");
    }
    if (args.HasFormat) {
        TFormatLibrary format;
        format.FormatName = ClipBoardFormatName;
        format.SetFormatText(args.Format);
        format.SaveToRegistry();
        Write("Stored format: " + Utf8FromAnsi(args.Format) + "\n");
    }
    // Paths are taken before the plug-in runs, as the host gathers them.
    const std::string buffer = args.Files.empty() ? std::string() : SelectionOf(args.Files);

    TModule module(::LoadLibraryW(args.Plugin.c_str()));
    if (!module)
        throw EPlugHost("cannot load \"" + NarrowFrom(args.Plugin, CP_UTF8, false) + "\" (error " +
                        std::to_string(::GetLastError()) + ")");
    const auto getInterface = Export<TGetPluginInterfalce>(module.get(), "GetPluginInterfalce");
    const auto execute = Export<TExecutePlugin>(module.get(), "ExecutePlugin");

    TPluginInterface plugin;
    std::memset(&plugin, 0, sizeof plugin);
    const std::int32_t described = getInterface(&plugin);
    Write("Host:        plughost " PELL_VERSION "\n");
    Write("Plug-in:     " + NarrowFrom(args.Plugin, CP_UTF8, false) + "\n");
    Write("Title:       " + Utf8FromAnsi(FieldText(plugin.Title)) + "\n");
    Write("MenuCaption: " + Utf8FromAnsi(FieldText(plugin.MenuCaption)) + "\n");
    Write("Description: " + Utf8FromAnsi(FieldText(plugin.Description)) + "\n");
    Write("Numbers:     " + std::to_string(plugin.Number1) + " " + std::to_string(plugin.Number2) +
          " " + std::to_string(plugin.Number3) + " " + std::to_string(plugin.Number4) + " " +
          std::to_string(plugin.Number5) + "\n");
    Write("GetPluginInterfalce returned " + std::to_string(described) + "\n");
    std::fflush(stdout);

    const std::int32_t result =
        args.Files.empty() ? execute(nullptr, 0)
                           : execute(buffer.data(), static_cast<std::int32_t>(buffer.size()));
    Write("ExecutePlugin returned " + std::to_string(result) + "\n");
    Write("Clipboard:\n" + WithLineBreaks(Utf8FromAnsi(Clipboard().AsText())) + "\n");
    return result == 0 ? 0 : 1;
}

int Fail(const std::string& utf8) {
    std::fflush(stdout);
    std::fprintf(stderr, "plughost: %s\n", utf8.c_str());
    return 2;
}

} // namespace

int main() {
    // The output is UTF-8 with LF line ends; text mode would add CRs.
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        return Run();
    } catch (const EPlugHost& e) {
        return Fail(e.what());
    } catch (const Exception& e) {
        try {
            return Fail(Utf8FromAnsi(e.Message));
        } catch (const std::exception&) {
            return Fail(e.Message);
        }
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
