// Building a form from a description: names before properties, loading
// state, handlers bound by name, and a clear error for anything unknown.

#include "runtime/vcl/Form.h"
#include "runtime/vcl/FormBuilder.h"
#include "runtime/vcl/StdCtrls.h"
#include "setting/BoxLabels.h"
#include "tests/common/ExpectThrow.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

constexpr std::array<TComponentClass, 3> Classes{{
    ComponentClass<TBoxLabel>("TBoxLabel"),
    ComponentClass<TEdit>("TEdit"),
    ComponentClass<TButton>("TButton"),
}};

class TTestForm : public TForm {
public:
    TTestForm() : TForm(nullptr) {}
    std::string_view ClassName() const override { return "TTestForm"; }
    TNotifyEvent FindMethod(std::string_view Name) override {
        if (Name == "Noted")
            return [this](TObject* sender) { Senders.push_back(sender); };
        return TForm::FindMethod(Name);
    }
    void Read(const std::string& text) {
        TFormBuilder builder(*this, Classes);
        builder.Build(ParseFormDescription(text));
    }
    std::vector<TObject*> Senders;
};

TEST(FormReaderTest, BuildsControlsWithNamesBeforePropertiesAndNoEventsWhileLoading) {
    TTestForm form;
    form.Read("object Main: TTestForm\n"
              "  ClientWidth = 200\n"
              "  ClientHeight = 90\n"
              "  Caption = 'Title'\n"
              "  object Heading: TBoxLabel\n"
              "    Left = 3\n"
              "    Width = 50\n"
              "    OnChange = Noted\n"
              "    Caption = 'Stored'\n"
              "    Alignment = taRightJustify\n"
              "    BackColor = clWindow\n"
              "    Font.Style = [fsBold]\n"
              "    Visible = False\n"
              "  end\n"
              "  object Ok: TButton\n"
              "    Caption = 'OK'\n"
              "    OnClick = Noted\n"
              "  end\n"
              "end\n");
    EXPECT_EQ(form.Name(), "Main");
    EXPECT_EQ(form.Caption(), "Title");
    auto* heading = dynamic_cast<TBoxLabel*>(form.FindComponent("Heading"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->GetCaption(), "Stored");
    EXPECT_EQ(heading->Left(), 3);
    EXPECT_EQ(heading->Width(), 50);
    EXPECT_EQ(heading->GetAlignment(), taRightJustify);
    EXPECT_EQ(heading->GetBackColor(), clWindow);
    EXPECT_EQ(heading->GetFont().Style(), static_cast<TFontStyles>(fsBold));
    EXPECT_EQ(heading->Parent(), &form);
    // A box label's Visible is its frame's: the control itself stays shown.
    EXPECT_FALSE(heading->GetFrameVisible());
    EXPECT_TRUE(heading->Visible());
    EXPECT_FALSE(heading->Loading());
    EXPECT_FALSE(form.Loading());
    // The caption the name gave and the stored one were both written while
    // loading: no change was reported.
    EXPECT_TRUE(form.Senders.empty());
    heading->SetCaption("After");
    auto* ok = dynamic_cast<TButton*>(form.FindComponent("Ok"));
    ASSERT_NE(ok, nullptr);
    ok->Click();
    EXPECT_EQ(form.Senders, (std::vector<TObject*>{heading, ok}));

    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 90);
}

struct TBadCase {
    const char* Text;
    const char* Message;
};

TEST(FormReaderTest, RejectsWhatItCannotBuildWithTheLineAndTheReason) {
    const TBadCase cases[] = {
        {"object Main: TOther\nend\n",
         "1 行目: TOther はフォームのクラス (TTestForm) ではありません"},
        {"object Main: TTestForm\n  Colour = 1\nend\n",
         "2 行目: Main.Colour を読み取れません: TTestForm にプロパティ Colour がありません"},
        {"object Main: TTestForm\n  object A: TPanel\n  end\nend\n",
         "2 行目: クラス TPanel がありません"},
        {"object Main: TTestForm\n  object A: TEdit\n    Left = 'x'\n  end\nend\n",
         "3 行目: A.Left を読み取れません: 整数が必要ですが、文字列があります"},
        {"object Main: TTestForm\n  object A: TEdit\n    OnChange = Missing\n  end\nend\n",
         "3 行目: A.OnChange を読み取れません: フォームにハンドラー Missing がありません"},
        {"object Main: TTestForm\n  object A: TBoxLabel\n    Visible = Maybe\n  end\nend\n",
         "3 行目: A.Visible を読み取れません: 'Maybe' は使える値ではありません"},
        {"object Main: TTestForm\n  object A: TBoxLabel\n    BackColor = clPurple\n  end\nend\n",
         "3 行目: A.BackColor を読み取れません: 'clPurple' は色ではありません"},
        {"object Main: TTestForm\n  object A: TEdit\n  end\n  object A: TEdit\n  end\nend\n",
         "4 行目: 名前が A のコントロールがすでにあります"},
        {"object Main: TTestForm\n  BorderStyle = bsSizeable\nend\n",
         "2 行目: Main.BorderStyle を読み取れません: 'bsSizeable' は使える値ではありません"},
    };
    for (const TBadCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TTestForm form;
        ExpectThrowMessage<EFormDescriptionError>([&] { form.Read(c.Text); }, c.Message);
    }
}

} // namespace
