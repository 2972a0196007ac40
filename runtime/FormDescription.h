#pragma once
// The text description of a form: nested objects, each with a name, a class
// and properties, read from the form's resource. Portable; the window runtime
// builds controls from the tree.
//
//   object SetFormatForm: TSetFormatForm
//     Caption = 'SetFormatForm'
//     ClientWidth = 369
//     Font.Style = []
//     object Memo1: TMemo
//       Lines.Strings = (
//         'first line'
//         '')
//     end
//   end
//
// Strings are byte strings between single quotes ('' stands for one quote);
// their bytes pass through unchanged (the build stores the text in code page
// 932). Numbers may be negative; identifiers cover enumerations, booleans and
// handler names; sets are [a, b]; lists are ( item item ). A string value may
// be split into pieces joined by '+', also across lines. Lines end in LF or
// CR LF.

#include "runtime/Exception.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class EFormDescriptionError : public Exception {
public:
    using Exception::Exception;
};

struct TFormValue {
    enum class TKind { Integer, String, Identifier, Set, List };
    TKind Kind = TKind::Integer;
    std::int64_t Integer = 0;
    std::string Text;               // String and Identifier
    std::vector<std::string> Items; // Set (identifiers) and List (strings)
};

struct TFormProperty {
    std::string Name; // may be dotted: "Font.Height", "Lines.Strings"
    TFormValue Value;
    int Line = 0;
};

struct TFormObject {
    std::string Name;
    std::string ClassName;
    std::vector<TFormProperty> Properties; // in description order
    std::vector<TFormObject> Children;     // in creation order
    int Line = 0;

    // The first property or direct child of that exact name, or null.
    const TFormProperty* FindProperty(std::string_view name) const;
    const TFormObject* FindChild(std::string_view name) const;
};

// How deeply objects may nest (the top-level object counts as one), so that
// a hostile description cannot exhaust the stack.
inline constexpr int MaxFormNesting = 64;

// Reads one top-level object. Raises EFormDescriptionError with the line
// number and what was expected for any malformed text, for example
// "line 3: expected '=' after the property name".
TFormObject ParseFormDescription(std::string_view text);
