#include "runtime/FormDescription.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using namespace std::string_view_literals;

std::string ErrorOf(std::string_view text) {
    try {
        ParseFormDescription(text);
    } catch (const EFormDescriptionError& e) {
        return e.what();
    }
    return "(no error)";
}

struct TErrorRow {
    std::string_view Text;
    const char* Message;
};

class FormDescriptionErrorTest : public testing::TestWithParam<TErrorRow> {};

TEST_P(FormDescriptionErrorTest, ReportsTheLineAndWhatWasExpected) {
    EXPECT_EQ(ErrorOf(GetParam().Text), GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(
    BadDescriptions, FormDescriptionErrorTest,
    testing::Values(
        // Empty or not an object.
        TErrorRow{"", "line 1: expected 'object'"},
        TErrorRow{" \n\r\n\t", "line 3: expected 'object'"},
        TErrorRow{"end", "line 1: expected 'object'"},
        TErrorRow{"Left = 1", "line 1: expected 'object'"},
        // The object's heading.
        TErrorRow{"object", "line 1: expected the object's name after 'object'"},
        TErrorRow{"object : TB\nend", "line 1: expected the object's name after 'object'"},
        TErrorRow{"object A TB\nend", "line 1: expected ':' after the object's name"},
        TErrorRow{"object A:\nend", "line 2: expected the object's class name after ':'"},
        TErrorRow{"object A: 'TB'\nend", "line 1: expected the object's class name after ':'"},
        // Missing end.
        TErrorRow{"object A: TB\n X = 1\n", "line 3: expected 'end' of object A"},
        TErrorRow{"object A: TB\n object C: TD\n end\n", "line 4: expected 'end' of object A"},
        TErrorRow{"object A: TB\n object C: TD\n", "line 3: expected 'end' of object C"},
        // Unexpected tokens.
        TErrorRow{"object A: TB\n X 1\nend", "line 2: expected '=' after the property name"},
        TErrorRow{"object A: TB\r\n X = 1\r\n Y 2\r\nend",
                  "line 3: expected '=' after the property name"},
        TErrorRow{"object A: TB\n = 1\nend", "line 2: expected a property, 'object' or 'end'"},
        TErrorRow{"object A: TB\n 'X' = 1\nend", "line 2: expected a property, 'object' or 'end'"},
        TErrorRow{"object A: TB\n @X = 1\nend", "line 2: expected a property, 'object' or 'end'"},
        TErrorRow{"object A: TB\n \x82\xa0 = 1\nend",
                  "line 2: expected a property, 'object' or 'end'"},
        TErrorRow{"object A: TB\n\0\nend"sv, "line 2: expected a property, 'object' or 'end'"},
        TErrorRow{"object A: TB\n Font. = 1\nend", "line 2: expected a property name after '.'"},
        TErrorRow{"object A: TB\n X =\nend", "line 3: expected a value after '='"},
        TErrorRow{"object A: TB\n X = ]\nend", "line 2: expected a value after '='"},
        TErrorRow{"object A: TB\n X = end", "line 2: expected a value after '='"},
        TErrorRow{"object A: TB\n X = \xe6\x9b\xb8\nend", "line 2: expected a value after '='"},
        TErrorRow{"object A: TB\n X = 'a' +\n 1\nend", "line 3: expected a string after '+'"},
        TErrorRow{"object A: TB\n X = 'a' + \nend", "line 3: expected a string after '+'"},
        TErrorRow{"object A: TB\n X = 'a' 'b'\nend",
                  "line 2: expected a property, 'object' or 'end'"},
        TErrorRow{"object A: TB\n X = [a b]\nend", "line 2: expected ',' or ']' in the set"},
        TErrorRow{"object A: TB\n X = [a,]\nend", "line 2: expected a name in the set"},
        TErrorRow{"object A: TB\n X = [1]\nend", "line 2: expected a name in the set"},
        TErrorRow{"object A: TB\n X = [a,\n", "line 3: expected a name in the set"},
        TErrorRow{"object A: TB\n X = ('a' 1)\nend",
                  "line 2: expected a string or ')' in the list"},
        TErrorRow{"object A: TB\n X = (\n  'a'\n", "line 4: expected a string or ')' in the list"},
        // Strings that do not end on their line.
        TErrorRow{"object A: TB\n X = 'abc\nend",
                  "line 2: expected a closing quote before the end of the line"},
        TErrorRow{"object A: TB\n X = 'abc",
                  "line 2: expected a closing quote before the end of the line"},
        TErrorRow{"object A: TB\n X = 'it''\nend",
                  "line 2: expected a closing quote before the end of the line"},
        TErrorRow{"object A: TB\n X = 'a\rb'\nend",
                  "line 2: expected a closing quote before the end of the line"},
        TErrorRow{"object A: TB\n X = (\n 'a'\n 'b\n )\nend",
                  "line 4: expected a closing quote before the end of the line"},
        // Bad numbers.
        TErrorRow{"object A: TB\n X = 12ab\nend", "line 2: expected a number"},
        TErrorRow{"object A: TB\n X = -\nend", "line 2: expected a number"},
        TErrorRow{"object A: TB\n X = - 5\nend", "line 2: expected a number"},
        TErrorRow{"object A: TB\n X = --5\nend", "line 2: expected a number"},
        TErrorRow{"object A: TB\n X = 1.5\nend", "line 2: expected a number"},
        TErrorRow{"object A: TB\n X = 9223372036854775808\nend",
                  "line 2: expected a number within 64 bits"},
        TErrorRow{"object A: TB\n X = -9223372036854775809\nend",
                  "line 2: expected a number within 64 bits"},
        TErrorRow{"object A: TB\n X = 99999999999999999999999\nend",
                  "line 2: expected a number within 64 bits"},
        // Anything after the top-level object.
        TErrorRow{"object A: TB\nend\nx",
                  "line 3: expected the end of the text after the last 'end'"},
        TErrorRow{"object A: TB\nend\nobject C: TD\nend",
                  "line 3: expected the end of the text after the last 'end'"},
        TErrorRow{"object A: TB\nend end",
                  "line 2: expected the end of the text after the last 'end'"}));

std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += "object O: T\n";
    }
    for (int i = 0; i < depth; ++i) {
        text += "end\n";
    }
    return text;
}

TEST(FormDescriptionErrorTest, RefusesNestingBeyondTheLimit) {
    EXPECT_EQ(ErrorOf(Nested(MaxFormNesting + 1)),
              "line 65: expected no more than 64 nested objects");
    // Deep enough to overflow the stack if the reader recursed without a bound.
    EXPECT_EQ(ErrorOf(Nested(200000)), "line 65: expected no more than 64 nested objects");
}

TEST(FormDescriptionErrorTest, RaisesTheRuntimesExceptionClass) {
    EXPECT_THROW(ParseFormDescription("object"), EFormDescriptionError);
    try {
        ParseFormDescription("object A: TB");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "line 1: expected 'end' of object A");
        EXPECT_EQ(e.Message, e.what());
    }
}

} // namespace
