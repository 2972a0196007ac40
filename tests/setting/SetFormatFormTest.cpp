// The settings dialog's form description gives the dialog the user sees: the
// window, each control's place, size and text, the Tab sequence, the
// reference list and the font, as tests/setting/DialogLayout.h has them. The
// description is read as the DLL stores it, in code page 932; the real
// dialog is held against the same table under Wine.

#include "runtime/FormDescription.h"
#include "tests/common/Files.h"
#include "tests/common/Utf8ToAnsi.h"
#include "tests/setting/DialogLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

TFormObject ReadDescription() {
    return ParseFormDescription(Utf8ToAnsi(ReadSourceFile("setting/SetFormatForm.txt")));
}

std::optional<std::int64_t> Integer(const TFormObject& object, std::string_view name) {
    const TFormProperty* property = object.FindProperty(name);
    if (property == nullptr || property->Value.Kind != TFormValue::TKind::Integer)
        return std::nullopt;
    return property->Value.Integer;
}

std::optional<std::string> String(const TFormObject& object, std::string_view name) {
    const TFormProperty* property = object.FindProperty(name);
    if (property == nullptr || property->Value.Kind != TFormValue::TKind::String)
        return std::nullopt;
    return property->Value.Text;
}

TEST(SetFormatFormDescriptionTest, ShowsTheWindowWithItsCaptionPlaceAndSize) {
    const TFormObject form = ReadDescription();
    EXPECT_EQ(String(form, "Caption"), DialogWindow.Caption);
    EXPECT_EQ(Integer(form, "Left"), DialogWindow.Left);
    EXPECT_EQ(Integer(form, "Top"), DialogWindow.Top);
    EXPECT_EQ(Integer(form, "ClientWidth"), DialogWindow.ClientWidth);
    EXPECT_EQ(Integer(form, "ClientHeight"), DialogWindow.ClientHeight);
}

TEST(SetFormatFormDescriptionTest, PlacesEachControlWithItsText) {
    const TFormObject form = ReadDescription();
    std::vector<std::string> names;
    for (const TFormObject& child : form.Children)
        names.push_back(child.Name);
    std::vector<std::string> expected;
    for (const TDialogControl& row : DialogControls)
        expected.push_back(row.Name);
    EXPECT_EQ(names, expected);

    for (const TDialogControl& row : DialogControls) {
        SCOPED_TRACE(row.Name);
        const TFormObject* control = form.FindChild(row.Name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->ClassName, row.ClassName);
        EXPECT_EQ(Integer(*control, "Left"), row.Left);
        EXPECT_EQ(Integer(*control, "Top"), row.Top);
        EXPECT_EQ(Integer(*control, "Width"), row.Width);
        EXPECT_EQ(Integer(*control, "Height"), row.Height);
        if (row.Caption != nullptr) {
            EXPECT_EQ(String(*control, "Caption"), row.Caption);
        }
    }
}

TEST(SetFormatFormDescriptionTest, OrdersTheTabSequenceAndLeavesTheFramedCaptionsOut) {
    const TFormObject form = ReadDescription();
    std::vector<const TFormObject*> stops;
    for (const TDialogControl& row : DialogControls) {
        const TFormObject* control = form.FindChild(row.Name);
        ASSERT_NE(control, nullptr) << row.Name;
        if (row.TabPosition < 0) {
            EXPECT_EQ(control->FindProperty("TabOrder"), nullptr) << row.Name;
        } else {
            ASSERT_TRUE(Integer(*control, "TabOrder").has_value()) << row.Name;
            stops.push_back(control);
        }
    }
    std::stable_sort(stops.begin(), stops.end(), [](const TFormObject* a, const TFormObject* b) {
        return *Integer(*a, "TabOrder") < *Integer(*b, "TabOrder");
    });
    std::vector<std::string> sequence;
    for (const TFormObject* control : stops)
        sequence.push_back(control->Name);
    std::vector<std::string> expected;
    for (const TDialogControl* row : DialogTabSequence())
        expected.push_back(row->Name);
    EXPECT_EQ(sequence, expected);
}

TEST(SetFormatFormDescriptionTest, FillsTheReferenceList) {
    const TFormObject form = ReadDescription();
    const TFormObject* memo = form.FindChild("Memo1");
    ASSERT_NE(memo, nullptr);
    const TFormProperty* lines = memo->FindProperty("Lines.Strings");
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->Value.Kind, TFormValue::TKind::List);
    EXPECT_EQ(lines->Value.Items,
              std::vector<std::string>(std::begin(DialogMemoLines), std::end(DialogMemoLines)));
}

// The form's font, and that of every control that names its own.
TEST(SetFormatFormDescriptionTest, WritesEveryTextInTheDialogFont) {
    const TFormObject form = ReadDescription();
    EXPECT_EQ(String(form, "Font.Name"), DialogWindow.FontName);
    EXPECT_EQ(Integer(form, "Font.Height"), DialogWindow.FontHeight);
    for (const TFormObject& control : form.Children) {
        if (control.FindProperty("Font.Name") == nullptr)
            continue;
        SCOPED_TRACE(control.Name);
        EXPECT_EQ(String(control, "Font.Name"), DialogWindow.FontName);
        EXPECT_EQ(Integer(control, "Font.Height"), DialogWindow.FontHeight);
    }
}

} // namespace
