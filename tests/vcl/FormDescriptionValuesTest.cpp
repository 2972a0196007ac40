#include "runtime/FormDescription.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using TKind = TFormValue::TKind;

TFormValue ValueOf(const std::string& valueText) {
    const TFormObject object = ParseFormDescription("object A: TB\n  P = " + valueText + "\nend\n");
    EXPECT_EQ(object.Properties.size(), 1u);
    return object.Properties.at(0).Value;
}

struct TValueRow {
    const char* Text;
    TKind Kind;
    std::int64_t Integer;
    std::string String;
    std::vector<std::string> Items;
};

class FormValueTest : public testing::TestWithParam<TValueRow> {};

TEST_P(FormValueTest, ReadsEachKindOfValue) {
    const TValueRow& row = GetParam();
    const TFormValue value = ValueOf(row.Text);
    EXPECT_EQ(value.Kind, row.Kind);
    EXPECT_EQ(value.Integer, row.Integer);
    EXPECT_EQ(value.Text, row.String);
    EXPECT_EQ(value.Items, row.Items);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormValueTest,
    testing::Values(
        TValueRow{"0", TKind::Integer, 0, "", {}}, TValueRow{"327", TKind::Integer, 327, "", {}},
        TValueRow{"-12", TKind::Integer, -12, "", {}}, TValueRow{"007", TKind::Integer, 7, "", {}},
        TValueRow{"9223372036854775807", TKind::Integer, INT64_MAX, "", {}},
        TValueRow{"-9223372036854775808", TKind::Integer, INT64_MIN, "", {}},
        TValueRow{"'SetFormatForm'", TKind::String, 0, "SetFormatForm", {}},
        TValueRow{"''", TKind::String, 0, "", {}},
        TValueRow{"'it''s'", TKind::String, 0, "it's", {}},
        TValueRow{"''''''", TKind::String, 0, "''", {}},
        TValueRow{"'  two = [x] (y) end'", TKind::String, 0, "  two = [x] (y) end", {}},
        TValueRow{"'a\\b'", TKind::String, 0, "a\\b", {}},
        TValueRow{"'ab' + 'cd'", TKind::String, 0, "abcd", {}},
        TValueRow{"'ab' +\n    '' +\r\n  'cd'", TKind::String, 0, "abcd", {}},
        TValueRow{"True", TKind::Identifier, 0, "True", {}},
        TValueRow{"SHIFTJIS_CHARSET", TKind::Identifier, 0, "SHIFTJIS_CHARSET", {}},
        TValueRow{"_x9", TKind::Identifier, 0, "_x9", {}}, TValueRow{"[]", TKind::Set, 0, "", {}},
        TValueRow{"[fsBold]", TKind::Set, 0, "", {"fsBold"}},
        TValueRow{"[ fsBold ,fsItalic,\n fsUnderline ]",
                  TKind::Set,
                  0,
                  "",
                  {"fsBold", "fsItalic", "fsUnderline"}},
        TValueRow{"( )", TKind::List, 0, "", {}},
        TValueRow{"('a' 'b')", TKind::List, 0, "", {"a", "b"}},
        TValueRow{"(\n  'first'\n  ''\n\n  ' last ')", TKind::List, 0, "", {"first", "", " last "}},
        TValueRow{"('a' + 'b' 'c' +\n 'd')", TKind::List, 0, "", {"ab", "cd"}}));

TEST(FormDescriptionTest, StringBytesPassThroughUnchanged) {
    // Code page 932 with a trail byte that is a backslash, and UTF-8.
    EXPECT_EQ(ValueOf("'\x83\x5c\x81\x40\xb1'").Text, "\x83\x5c\x81\x40\xb1");
    EXPECT_EQ(ValueOf("'\xe6\x9b\xb8\xe5\xbc\x8f'").Text, "\xe6\x9b\xb8\xe5\xbc\x8f");
    using namespace std::string_view_literals;
    EXPECT_EQ(ParseFormDescription("object A: TB\n P = 'a\0b'\nend"sv).Properties.at(0).Value.Text,
              "a\0b"sv);
}

TEST(FormDescriptionTest, BuildsTheTreeInDescriptionOrder) {
    const TFormObject form = ParseFormDescription("\n"
                                                  "  object Form1: TForm1  \n"
                                                  "    Left = 1\n"
                                                  "    Font.Name = 'x'\n"
                                                  "    object Panel: TPanel\n"
                                                  "      A.B.C = 2\n"
                                                  "      object Inner: TEdit\n"
                                                  "      end\n"
                                                  "    end\n"
                                                  "    Top = 3\n"
                                                  "    object Last: TButton\n"
                                                  "    end\n"
                                                  "  end\n"
                                                  "\n");
    EXPECT_EQ(form.Name, "Form1");
    EXPECT_EQ(form.ClassName, "TForm1");
    EXPECT_EQ(form.Line, 2);
    ASSERT_EQ(form.Properties.size(), 3u);
    EXPECT_EQ(form.Properties[0].Name, "Left");
    EXPECT_EQ(form.Properties[1].Name, "Font.Name");
    EXPECT_EQ(form.Properties[1].Line, 4);
    EXPECT_EQ(form.Properties[2].Name, "Top");
    EXPECT_EQ(form.Properties[2].Line, 10);
    ASSERT_EQ(form.Children.size(), 2u);
    const TFormObject& panel = form.Children[0];
    EXPECT_EQ(panel.Name, "Panel");
    EXPECT_EQ(panel.Line, 5);
    ASSERT_EQ(panel.Properties.size(), 1u);
    EXPECT_EQ(panel.Properties[0].Name, "A.B.C");
    ASSERT_EQ(panel.Children.size(), 1u);
    EXPECT_EQ(panel.Children[0].ClassName, "TEdit");
    EXPECT_TRUE(panel.Children[0].Properties.empty());
    EXPECT_EQ(form.Children[1].Name, "Last");
}

TEST(FormDescriptionTest, CrLfReadsLikeLf) {
    const std::string lf = "object A: TB\n  L = (\n    'x'\n    '')\n  object C: TD\n"
                           "    S = [a]\n  end\nend\n";
    std::string crlf;
    for (char c : lf) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    const TFormObject a = ParseFormDescription(lf);
    const TFormObject b = ParseFormDescription(crlf);
    EXPECT_EQ(b.Properties.at(0).Value.Items, (std::vector<std::string>{"x", ""}));
    EXPECT_EQ(b.Properties.at(0).Value.Items, a.Properties.at(0).Value.Items);
    EXPECT_EQ(b.Children.at(0).Line, a.Children.at(0).Line);
    EXPECT_EQ(b.Children.at(0).Properties.at(0).Line, 6);
    EXPECT_EQ(b.Children.at(0).Properties.at(0).Value.Items, (std::vector<std::string>{"a"}));
}

TEST(FormDescriptionTest, FindsPropertiesAndChildrenByExactName) {
    const TFormObject form =
        ParseFormDescription("object F: TF\n Tag = 1\n Tag = 2\n object E: TEdit\n end\nend");
    ASSERT_NE(form.FindProperty("Tag"), nullptr);
    EXPECT_EQ(form.FindProperty("Tag")->Value.Integer, 1);
    EXPECT_EQ(form.FindProperty("tag"), nullptr);
    ASSERT_NE(form.FindChild("E"), nullptr);
    EXPECT_EQ(form.FindChild("E")->ClassName, "TEdit");
    EXPECT_EQ(form.FindChild("F"), nullptr);
}

TEST(FormDescriptionTest, AcceptsNestingUpToTheLimit) {
    std::string text;
    for (int i = 0; i < MaxFormNesting; ++i) {
        text += "object O" + std::to_string(i) + ": T\n";
    }
    for (int i = 0; i < MaxFormNesting; ++i) {
        text += "end\n";
    }
    const TFormObject top = ParseFormDescription(text);
    const TFormObject* object = &top;
    int depth = 1;
    while (!object->Children.empty()) {
        object = &object->Children[0];
        ++depth;
    }
    EXPECT_EQ(depth, MaxFormNesting);
    EXPECT_EQ(object->Name, "O63");
}

} // namespace
