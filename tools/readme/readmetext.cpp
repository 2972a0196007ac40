// readmetext: the user guide (Markdown, UTF-8) as the plain-text readme of the
// release archive, UTF-8 with CR LF line ends.
//
//   readmetext [--cells cp932|unicode] [--version V] [--bom] GUIDE.md OUT.txt

#include "tools/readme/MarkdownError.h"
#include "tools/readme/PlainText.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

struct TArguments {
    TPlainTextOptions Options;
    bool Bom = false;
    std::string Input;
    std::string Output;
};

bool ParseArguments(int argc, char** argv, TArguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--cells" && i + 1 < argc) {
            const std::string rule = argv[++i];
            if (rule != "cp932" && rule != "unicode")
                return false;
            arguments.Options.Cells = rule == "cp932" ? TCellRule::CodePage932 : TCellRule::Unicode;
        } else if (arg == "--version" && i + 1 < argc) {
            arguments.Options.Version = argv[++i];
        } else if (arg == "--bom") {
            arguments.Bom = true;
        } else if (arguments.Input.empty()) {
            arguments.Input = arg;
        } else if (arguments.Output.empty()) {
            arguments.Output = arg;
        } else {
            return false;
        }
    }
    return !arguments.Output.empty();
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (const char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    TArguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        std::cerr << "usage: readmetext [--cells cp932|unicode] [--version V] [--bom] GUIDE.md "
                     "OUT.txt\n";
        return 2;
    }
    std::ifstream in(arguments.Input, std::ios::binary);
    if (!in) {
        std::cerr << arguments.Input << ": cannot be read\n";
        return 1;
    }
    const std::string markdown{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
    std::string text;
    try {
        text = WithCrLf(MarkdownToPlainText(markdown, arguments.Options));
    } catch (const EMarkdownError& error) {
        std::cerr << arguments.Input << ": " << error.what()
                  << "\nWrite that part with the Markdown the readme converter knows (see "
                     "tools/readme/PlainText.h).\n";
        return 1;
    }
    std::ofstream out(arguments.Output, std::ios::binary);
    if (arguments.Bom)
        out << "\xEF\xBB\xBF";
    out << text;
    out.close();
    if (!out) {
        std::cerr << arguments.Output << ": cannot be written\n";
        std::remove(arguments.Output.c_str());
        return 1;
    }
    return 0;
}
