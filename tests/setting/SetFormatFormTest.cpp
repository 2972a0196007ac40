// The settings dialog's description as it stands in the repository (UTF-8;
// the DLL build stores it in code page 932). Japanese texts are compared as
// u8 literals, which stay UTF-8 whatever the compiler's execution charset.

#include "runtime/FormDescription.h"
#include "tests/common/Files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using TKind = TFormValue::TKind;

std::string Utf8(std::u8string_view text) {
    return std::string(text.begin(), text.end());
}

TFormObject ReadDescription() {
    return ParseFormDescription(ReadSourceFile("setting/SetFormatForm.txt"));
}

const TFormValue& Value(const TFormObject& object, std::string_view name) {
    const TFormProperty* property = object.FindProperty(name);
    if (property == nullptr) {
        ADD_FAILURE() << object.Name << " has no " << name;
        static const TFormValue none;
        return none;
    }
    return property->Value;
}

std::int64_t Integer(const TFormObject& object, std::string_view name) {
    const TFormValue& value = Value(object, name);
    EXPECT_EQ(value.Kind, TKind::Integer) << object.Name << "." << name;
    return value.Integer;
}

std::string Text(const TFormObject& object, std::string_view name, TKind kind) {
    const TFormValue& value = Value(object, name);
    EXPECT_EQ(value.Kind, kind) << object.Name << "." << name;
    return value.Text;
}

std::vector<std::string> NamesOf(const TFormObject& object) {
    std::vector<std::string> names;
    for (const TFormProperty& property : object.Properties) {
        names.push_back(property.Name);
    }
    return names;
}

const std::string FontName = Utf8(u8"ＭＳ Ｐゴシック");

void ExpectDialogFont(const TFormObject& object) {
    EXPECT_EQ(Text(object, "Font.Charset", TKind::Identifier), "SHIFTJIS_CHARSET");
    EXPECT_EQ(Text(object, "Font.Color", TKind::Identifier), "clWindowText");
    EXPECT_EQ(Integer(object, "Font.Height"), -12);
    EXPECT_EQ(Text(object, "Font.Name", TKind::String), FontName);
    EXPECT_EQ(Value(object, "Font.Style").Kind, TKind::Set);
    EXPECT_TRUE(Value(object, "Font.Style").Items.empty());
}

TEST(SetFormatFormDescriptionTest, DescribesTheDialogWindow) {
    const TFormObject form = ReadDescription();
    EXPECT_EQ(form.Name, "SetFormatForm");
    EXPECT_EQ(form.ClassName, "TSetFormatForm");
    EXPECT_EQ(NamesOf(form),
              (std::vector<std::string>{"Left", "Top", "BorderStyle", "Caption", "ClientHeight",
                                        "ClientWidth", "Font.Charset", "Font.Color", "Font.Height",
                                        "Font.Name", "Font.Style", "OnCreate", "PixelsPerInch",
                                        "TextHeight"}));
    EXPECT_EQ(Integer(form, "Left"), 327);
    EXPECT_EQ(Integer(form, "Top"), 213);
    EXPECT_EQ(Text(form, "BorderStyle", TKind::Identifier), "bsDialog");
    EXPECT_EQ(Text(form, "Caption", TKind::String), "SetFormatForm");
    EXPECT_EQ(Integer(form, "ClientHeight"), 189);
    EXPECT_EQ(Integer(form, "ClientWidth"), 369);
    ExpectDialogFont(form);
    EXPECT_EQ(Text(form, "OnCreate", TKind::Identifier), "FormCreate");
    EXPECT_EQ(Integer(form, "PixelsPerInch"), 96);
    EXPECT_EQ(Integer(form, "TextHeight"), 12);
}

struct TControlRow {
    const char* Name;
    const char* ClassName;
    int Left, Top, Width, Height;
    int TabOrder; // -1: the control records none
    const char* Event;
    const char* Handler;
};

// In creation order.
const TControlRow Controls[] = {
    {"BoxLabel1", "TBoxLabel", 4, 6, 65, 17, -1, nullptr, nullptr},
    {"BoxLabel2", "TBoxLabel", 4, 28, 65, 17, -1, nullptr, nullptr},
    {"Memo1", "TMemo", 4, 80, 361, 105, 3, nullptr, nullptr},
    {"FormatText", "TEdit", 72, 4, 293, 20, 0, "OnChange", "FormatTextChange"},
    {"FormatedTextLabel", "TBoxLabel", 72, 28, 293, 17, -1, nullptr, nullptr},
    {"BoxLabel4", "TBoxLabel", 4, 60, 97, 17, -1, nullptr, nullptr},
    {"CancelSettingButton", "TButton", 288, 48, 75, 25, 6, nullptr, nullptr},
    {"SaveSettingButton", "TButton", 208, 48, 75, 25, 7, "OnClick", "SaveSettingButtonClick"},
};

TEST(SetFormatFormDescriptionTest, PlacesTheEightControlsInCreationOrder) {
    const TFormObject form = ReadDescription();
    ASSERT_EQ(form.Children.size(), std::size(Controls));
    for (std::size_t i = 0; i < std::size(Controls); ++i) {
        const TControlRow& row = Controls[i];
        const TFormObject& control = form.Children[i];
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(control.Name, row.Name);
        EXPECT_EQ(control.ClassName, row.ClassName);
        EXPECT_TRUE(control.Children.empty());
        EXPECT_EQ(Integer(control, "Left"), row.Left);
        EXPECT_EQ(Integer(control, "Top"), row.Top);
        EXPECT_EQ(Integer(control, "Width"), row.Width);
        EXPECT_EQ(Integer(control, "Height"), row.Height);
        if (row.TabOrder < 0) {
            EXPECT_EQ(control.FindProperty("TabOrder"), nullptr);
        } else {
            EXPECT_EQ(Integer(control, "TabOrder"), row.TabOrder);
        }
        for (const char* event : {"OnChange", "OnClick", "OnCreate", "OnDblClick"}) {
            if (row.Event != nullptr && std::string_view(event) == row.Event) {
                EXPECT_EQ(Text(control, event, TKind::Identifier), row.Handler);
            } else {
                EXPECT_EQ(control.FindProperty(event), nullptr) << event;
            }
        }
    }
}

struct TBoxLabelRow {
    const char* Name;
    std::u8string_view Caption;
    const char* Alignment;
};

TEST(SetFormatFormDescriptionTest, GivesTheFramedCaptionsTheirTextAndLook) {
    const TBoxLabelRow rows[] = {
        {"BoxLabel1", u8"書式定義", "taCenter"},
        {"BoxLabel2", u8"プレビュー", "taCenter"},
        {"FormatedTextLabel", u8"FormatedTextLabel", "taLeftJustify"},
        {"BoxLabel4", u8"書式文字列", "taCenter"},
    };
    const TFormObject form = ReadDescription();
    for (const TBoxLabelRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const TFormObject* label = form.FindChild(row.Name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(NamesOf(*label), (std::vector<std::string>{
                                       "Left", "Top", "Width", "Height", "Alignment", "BackColor",
                                       "Caption", "Visible", "Font.Charset", "Font.Color",
                                       "Font.Height", "Font.Name", "Font.Style"}));
        EXPECT_EQ(Text(*label, "Caption", TKind::String), Utf8(row.Caption));
        EXPECT_EQ(Text(*label, "Alignment", TKind::Identifier), row.Alignment);
        EXPECT_EQ(Text(*label, "BackColor", TKind::Identifier), "clBtnFace");
        EXPECT_EQ(Text(*label, "Visible", TKind::Identifier), "True");
        ExpectDialogFont(*label);
    }
}

TEST(SetFormatFormDescriptionTest, SetsUpTheEditAndTheButtons) {
    const TFormObject form = ReadDescription();
    const TFormObject* edit = form.FindChild("FormatText");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(Text(*edit, "Text", TKind::String), "FormatText");
    EXPECT_EQ(edit->FindProperty("MaxLength"), nullptr);

    const TFormObject* cancel = form.FindChild("CancelSettingButton");
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(Text(*cancel, "Caption", TKind::String), Utf8(u8"ｷｬﾝｾﾙ(&C)"));
    EXPECT_EQ(Text(*cancel, "Cancel", TKind::Identifier), "True");
    EXPECT_EQ(cancel->FindProperty("ModalResult"), nullptr);

    const TFormObject* save = form.FindChild("SaveSettingButton");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(Text(*save, "Caption", TKind::String), Utf8(u8"設定(&S)"));
    EXPECT_EQ(save->FindProperty("Default"), nullptr);
    EXPECT_EQ(save->FindProperty("ModalResult"), nullptr);
    EXPECT_EQ(save->FindProperty("Cancel"), nullptr);
}

TEST(SetFormatFormDescriptionTest, FillsTheReadOnlyReferenceList) {
    const TFormObject form = ReadDescription();
    const TFormObject* memo = form.FindChild("Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(Text(*memo, "ReadOnly", TKind::Identifier), "True");
    EXPECT_EQ(Text(*memo, "ScrollBars", TKind::Identifier), "ssVertical");
    const TFormValue& lines = Value(*memo, "Lines.Strings");
    EXPECT_EQ(lines.Kind, TKind::List);
    const std::u8string_view expected[] = {
        u8"%p : ページタイトル",
        u8"%u : URL",
        u8"%c : コメント",
        u8"%?d : 登録日(日)",
        u8"%?t : 登録日(時)",
        u8"%?v : 最終訪問日(日)",
        u8"%?a : 最終訪問日(時)",
        u8"(? : 書式設定(ﾃﾞﾌｫﾙﾄ ?=0)",
        u8"  ?=0 : ロング形式(yyyy/mm/dd, hh:nn:ss)",
        u8"  ?=1 : ショート形式(yy/mm/dd, hh:nn)",
        u8")",
        u8"%?f : お気に入りﾌｧｲﾙ名",
        u8"(? : 書式設定(ﾃﾞﾌｫﾙﾄ ?=0)",
        u8"  ?=0 : ﾌﾙﾊﾟｽ",
        u8"  ?=1 : ﾌｧｲﾙ名のみ",
        u8"  ?=2 : ﾌｫﾙﾀﾞ名のみ(\\なし)",
        u8"}",
        u8"",
        u8"%% : %文字",
        u8"",
        u8"%z : 改行",
    };
    ASSERT_EQ(lines.Items.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(lines.Items[i], Utf8(expected[i])) << "line " << i + 1;
    }
}

} // namespace
