#include "copy/CopyCommand.h"

#include "lib/FormatLibrary.h"
#include "lib/URLLibrary.h"
#include "runtime/Clipboard.h"

#include <cstring>

void ParsePathList(TStringList& list, const char* buffer, std::int32_t length) {
    if (length <= 0)
        return;
    const char* pos = buffer;
    const char* const end = buffer + length;
    // A selection can hold hundreds of thousands of paths: the entries are
    // counted first (memchr per entry) so that the list is allocated once.
    std::size_t entries = 0;
    for (const char* p = pos; p < end;) {
        const auto* nul = static_cast<const char*>(std::memchr(p, 0, end - p));
        if (nul == nullptr || nul == p)
            break;
        ++entries;
        p = nul + 1;
    }
    list.reserve(list.size() + entries);
    for (; entries > 0; --entries) {
        const std::size_t n = std::strlen(pos);
        list.emplace_back(pos, n);
        pos += n + 1;
    }
}

void RunCopyCommand(const char* buffer, std::int32_t length) {
    TStringList paths;
    ParsePathList(paths, buffer, length);

    TFormatLibrary format;
    format.FormatName = kClipBoardFormatName;
    format.LoadFromRegistry();

    std::string joined;
    for (const std::string& path : paths) {
        // A fresh record per entry: a missing file, or one without a URL or a
        // last visit, must not show the previous entry's values.
        TUrlFileData data;
        data.LoadFromFile(path);
        joined += format.Expand(data);
    }
    // The list is done with; freeing it first keeps it out of the peak that
    // the clipboard copy of the text adds.
    TStringList().swap(paths);

    if (!joined.empty())
        Clipboard().SetAsText(joined);
}
