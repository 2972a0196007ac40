#pragma once
// TSetFormatForm: the format settings dialog. Its layout comes from the
// form description stored in the module's resources; it previews the format
// against a sample shortcut after every change of the edit box and stores
// the format on save.

#include "lib/FormatLibrary.h"
#include "lib/URLLibrary.h"
#include "runtime/vcl/Form.h"
#include "runtime/vcl/StdCtrls.h"
#include "setting/BoxLabels.h"

#include <memory>

class TSetFormatForm : public TForm {
public:
    // Builds the controls from the description, then runs FormCreate.
    explicit TSetFormatForm(TComponent* AOwner);
    ~TSetFormatForm() override;
    std::string_view ClassName() const override { return "TSetFormatForm"; }

    TBoxLabel* BoxLabel1 = nullptr; // name fixed by the form description
    TBoxLabel* BoxLabel2 = nullptr;
    TMemo* Memo1 = nullptr; // name fixed by the form description
    TEdit* FormatText = nullptr;
    TBoxLabel* FormatedTextLabel = nullptr; // spelling fixed by the form description
    TBoxLabel* BoxLabel4 = nullptr;
    TButton* CancelSettingButton = nullptr;
    TButton* SaveSettingButton = nullptr;
    std::unique_ptr<TFormatLibrary> ClipFormat;
    std::unique_ptr<TUrlFileData> SampleUrl;

    void FormCreate(TObject* Sender);
    void FormatTextChange(TObject* Sender);
    void SaveSettingButtonClick(TObject* Sender);
    void CancelSettingButtonClick(TObject* Sender);

    TNotifyEvent FindMethod(std::string_view Name) override;

private:
    void PrepareSample();
    // Takes text as the format and shows its expansion of the sample.
    void PreviewFormat(const std::string& text);
};

// The sample shortcut's fixed values.
inline constexpr const char* SampleFileName = "Oskel_WebPage";
inline constexpr const char* SampleURL = "http://www.example.com/";
inline constexpr const char* SampleComment =
    "作者のページです。Orrel以外にも幾つかのソフトを公開しています";
