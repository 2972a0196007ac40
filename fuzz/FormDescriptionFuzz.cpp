// Any text either reads as a form description or raises the reader's own
// error; anything else escaping (or a crash, hang or sanitizer report) is a
// fault.

#include "runtime/FormDescription.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// Walks the tree so that every field the reader produced is touched, and
// checks what must hold for any tree it returns.
void Check(const TFormObject& object, int depth) {
    if (depth > MaxFormNesting || object.Name.empty() || object.ClassName.empty() ||
        object.Line < 1) {
        std::abort();
    }
    for (const TFormProperty& property : object.Properties) {
        if (property.Name.empty() || property.Line < object.Line ||
            object.FindProperty(property.Name) == nullptr) {
            std::abort();
        }
    }
    for (const TFormObject& child : object.Children) {
        if (child.Line < object.Line) {
            std::abort();
        }
        Check(child, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        Check(ParseFormDescription(text), 1);
    } catch (const EFormDescriptionError&) {
    }
    return 0;
}
