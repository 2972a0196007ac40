#include "copy/CopyCommand.h"

#include "lib/FormatLibrary.h"
#include "lib/URLLibrary.h"
#include "runtime/Clipboard.h"
#include "runtime/Exception.h"

#include <cstring>
#include <new>
#include <stdexcept>

void ParsePathList(TStringList& list, const char* buffer, std::int32_t length) {
    // A host may pass no buffer at all with a length: that selects nothing.
    if (buffer == nullptr || length <= 0)
        return;
    // Bytes are counted down rather than compared against buffer + length: a
    // large-address-aware host may place the buffer so high that the end
    // pointer would wrap past 4 GB and hide the whole selection.
    const auto size = static_cast<std::size_t>(length);
    // A selection can hold hundreds of thousands of paths: the entries are
    // counted first (memchr per entry) so that the list is allocated once.
    std::size_t entries = 0;
    for (std::size_t offset = 0; offset < size;) {
        const auto* nul = static_cast<const char*>(std::memchr(buffer + offset, 0, size - offset));
        if (nul == nullptr || nul == buffer + offset)
            break;
        ++entries;
        offset += static_cast<std::size_t>(nul - (buffer + offset)) + 1;
    }
    list.reserve(list.size() + entries);
    const char* pos = buffer;
    for (; entries > 0; --entries) {
        const std::size_t n = std::strlen(pos);
        list.emplace_back(pos, n);
        pos += n + 1;
    }
}

namespace {

// Loads one selected shortcut. With hundreds of favorites selected, an error
// must say which one to fix: its message gains a line with the path as the
// host gave it, and the exception keeps its class.
void LoadShortcut(TUrlFileData& data, const std::string& path) {
    try {
        data.LoadFromFile(path);
    } catch (Exception& e) {
        e.Message += "\r\n";
        e.Message += path;
        throw;
    }
}

// The command itself; RunCopyCommand words its memory failures.
void CopySelection(const char* buffer, std::int32_t length) {
    TStringList paths;
    ParsePathList(paths, buffer, length);

    TFormatLibrary format;
    format.FormatName = ClipBoardFormatName;
    format.LoadFromRegistry();

    std::string joined;
    for (const std::string& path : paths) {
        // A fresh record per entry: a missing file, or one without a URL or a
        // last visit, must not show the previous entry's values.
        TUrlFileData data;
        LoadShortcut(data, path);
        joined += format.Expand(data);
    }
    // The list is done with; freeing it first keeps it out of the peak that
    // the clipboard copy of the text adds.
    TStringList().swap(paths);

    if (!joined.empty())
        Clipboard().SetAsText(joined);
}

EOutOfMemory TooMuchTextError() {
    return EOutOfMemory(TooMuchTextMessage);
}

} // namespace

void RunCopyCommand(const char* buffer, std::int32_t length) {
    // A 32-bit host runs out of address space long before the text reaches
    // any limit of its own: every allocation failure, the clipboard's
    // included, means that the selection gives too much text.
    try {
        CopySelection(buffer, length);
    } catch (const EOutOfMemory&) {
        throw TooMuchTextError();
    } catch (const std::bad_alloc&) {
        throw TooMuchTextError();
    } catch (const std::length_error&) {
        throw TooMuchTextError();
    }
}
