#include "setting/SetFormatWindow.h"

#include "lib/LibUnit.h"
#include "runtime/DateTime.h"
#include "runtime/Exception.h"
#include "runtime/FileSystem.h"
#include "runtime/vcl/Application.h"
#include "runtime/vcl/FormBuilder.h"
#include "setting/SettingMessages.h"

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
        throw EFormDescriptionError(FormLacksControl(name));
    return component;
}

// The record that writing the sample and reading it back would give: the
// last visit to the minute, as the file stores it, and as the file's
// date-time the moment of saving in the two-second steps of FileAge.
std::unique_ptr<TUrlFileData> UnwrittenSample(const std::string& path, TDateTime lastVisit,
                                              TDateTime savedAt) {
    auto sample = std::make_unique<TUrlFileData>();
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDate(lastVisit, year, month, day);
    DecodeTime(lastVisit, hour, minute, second, msec);
    sample->LastVisit = EncodeDate(year, month, day) + EncodeTime(hour, minute, 0, 0);
    sample->HasLastVisit = true;
    DecodeDate(savedAt, year, month, day);
    DecodeTime(savedAt, hour, minute, second, msec);
    sample->FileDateTime =
        FileTimeToDateTime(path, TLocalTimeFields{year, month, day, hour, minute, second});
    sample->FileName = path;
    sample->URL = SampleURL;
    sample->Comment = SampleComment;
    sample->Valid = true;
    sample->Revert();
    return sample;
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
        HandleException(ErrorBoxOwner());
        // A sample that cannot be prepared at all leaves the preview an
        // empty record; one that could not be written keeps its values.
        if (!SampleUrl)
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
    PreviewFormat(ClipFormat->FormatText);
}

void TSetFormatForm::PrepareSample() {
    const std::string folder = AddTrailingBackslash(GetTempFolder("", false));
    const std::string path = folder + SampleFileName;
    auto sample = std::make_unique<TUrlFileData>();
    try {
        sample->LoadFromFile(path);
    } catch (const EConvertError&) {
        // The sample is this dialog's own scratch file. One whose last visit
        // no longer reads (the date settings changed since it was written)
        // is replaced by a fresh one, as at the first opening.
        try {
            EraseFile(path);
        } catch (const EOSError& e) {
            throw EOSError(e.Message + "\r\n" + SampleUnreplaceable());
        }
        sample = std::make_unique<TUrlFileData>();
        sample->LoadFromFile(path);
    }
    const TDateTime lastVisit = Now() + 10.0;
    sample->SetURL(SampleURL);
    sample->SetLastVisit(lastVisit);
    sample->SetComment(SampleComment);
    try {
        sample->Save();
    } catch (const EIniFileException& e) {
        // The preview needs only the values, which are known: it goes on
        // with them, and the user learns why the file is missing.
        SampleUrl = UnwrittenSample(path, lastVisit, Now());
        throw EIniFileException(e.Message + "\r\n" + SampleUnwritable(folder, SampleFileName));
    }
    SampleUrl = std::move(sample);
}

void TSetFormatForm::FormatTextChange(TObject*) {
    if (!ClipFormat || !SampleUrl)
        return;
    PreviewFormat(FormatText->GetText());
}

// A format that does not expand raises the format error before the caption
// changes: the preview keeps the last good expansion, or its first caption.
void TSetFormatForm::PreviewFormat(const std::string& text) {
    ClipFormat->SetFormatText(text);
    FormatedTextLabel->SetCaption(ClipFormat->Expand(*SampleUrl));
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
