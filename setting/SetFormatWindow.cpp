#include "setting/SetFormatWindow.h"

#include "lib/LibUnit.h"
#include "runtime/DateTime.h"
#include "runtime/Exception.h"
#include "runtime/FileSystem.h"
#include "runtime/vcl/Application.h"
#include "runtime/vcl/FormBuilder.h"

#include <array>

namespace {

constexpr std::array<TComponentClass, 4> FormClasses{{
    ComponentClass<TBoxLabel>("TBoxLabel"),
    ComponentClass<TMemo>("TMemo"),
    ComponentClass<TEdit>("TEdit"),
    ComponentClass<TButton>("TButton"),
}};

template <typename T> T* Field(TComponent& form, const char* name) {
    T* component = dynamic_cast<T*>(form.FindComponent(name));
    if (component == nullptr)
        throw EFormDescriptionError(std::string("The form description lacks ") + name);
    return component;
}

} // namespace

TSetFormatForm::TSetFormatForm(TComponent* AOwner) : TForm(AOwner) {
    ReadFormResource(*this, RuntimeModule(), "TSETFORMATFORM", FormClasses);
    BoxLabel1 = Field<TBoxLabel>(*this, "BoxLabel1");
    BoxLabel2 = Field<TBoxLabel>(*this, "BoxLabel2");
    Memo1 = Field<TMemo>(*this, "Memo1");
    FormatText = Field<TEdit>(*this, "FormatText");
    FormatedTextLabel = Field<TBoxLabel>(*this, "FormatedTextLabel");
    BoxLabel4 = Field<TBoxLabel>(*this, "BoxLabel4");
    CancelSettingButton = Field<TButton>(*this, "CancelSettingButton");
    SaveSettingButton = Field<TButton>(*this, "SaveSettingButton");
    // The cancel button closes without storing, as the close box does.
    if (!CancelSettingButton->OnClick)
        CancelSettingButton->OnClick = [this](TObject* Sender) {
            CancelSettingButtonClick(Sender);
        };
    DoCreate();
}

TSetFormatForm::~TSetFormatForm() = default;

TNotifyEvent TSetFormatForm::FindMethod(std::string_view Name) {
    if (Name == "FormCreate")
        return [this](TObject* Sender) { FormCreate(Sender); };
    if (Name == "FormatTextChange")
        return [this](TObject* Sender) { FormatTextChange(Sender); };
    if (Name == "SaveSettingButtonClick")
        return [this](TObject* Sender) { SaveSettingButtonClick(Sender); };
    if (Name == "CancelSettingButtonClick")
        return [this](TObject* Sender) { CancelSettingButtonClick(Sender); };
    return TForm::FindMethod(Name);
}

void TSetFormatForm::FormCreate(TObject*) {
    try {
        PrepareSample();
    } catch (...) {
        // The dialog still opens: the error is shown and the preview works
        // on an empty record instead of the sample.
        HandleException(ErrorBoxOwner());
        SampleUrl = std::make_unique<TUrlFileData>();
    }
    ClipFormat = std::make_unique<TFormatLibrary>();
    ClipFormat->FormatName = ClipBoardFormatName;
    try {
        ClipFormat->LoadFromRegistry();
    } catch (...) {
        // A stored value that cannot be read is shown; the dialog then starts
        // from the default format, so that saving stores one that works
        // rather than the empty text.
        HandleException(ErrorBoxOwner());
        ClipFormat->SetFormatText(DefaultFormatText);
    }
    FormatText->SetText(ClipFormat->FormatText);
    const std::string text = ClipFormat->Expand(*SampleUrl);
    FormatedTextLabel->SetCaption(text);
}

void TSetFormatForm::PrepareSample() {
    SampleUrl = std::make_unique<TUrlFileData>();
    const std::string path = AddTrailingBackslash(GetTempFolder("", false)) + SampleFileName;
    try {
        SampleUrl->LoadFromFile(path);
    } catch (const EConvertError&) {
        // The sample is this dialog's own scratch file. One whose last visit
        // no longer reads (the date settings changed since it was written)
        // is replaced by a fresh one, as at the first opening.
        try {
            EraseFile(path);
        } catch (const EOSError& e) {
            throw EOSError(e.Message + "\r\nThe sample shortcut cannot be read or replaced: "
                                       "delete it, or make the temporary folder writable.");
        }
        SampleUrl = std::make_unique<TUrlFileData>();
        SampleUrl->LoadFromFile(path);
    }
    SampleUrl->SetURL(SampleURL);
    SampleUrl->SetLastVisit(Now() + 10.0);
    SampleUrl->SetComment(SampleComment);
    SampleUrl->Save();
}

void TSetFormatForm::FormatTextChange(TObject*) {
    if (!ClipFormat || !SampleUrl)
        return;
    ClipFormat->SetFormatText(FormatText->GetText());
    const std::string preview = ClipFormat->Expand(*SampleUrl);
    FormatedTextLabel->SetCaption(preview);
}

void TSetFormatForm::SaveSettingButtonClick(TObject*) {
    if (!ClipFormat)
        return;
    ClipFormat->SaveToRegistry();
    Close();
}

void TSetFormatForm::CancelSettingButtonClick(TObject*) {
    Close();
}
