#include "runtime/vcl/FormBuilder.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/vcl/Form.h"

#include <limits>

namespace {

const char* KindName(TFormValue::TKind kind) {
    switch (kind) {
    case TFormValue::TKind::Integer:
        return "整数";
    case TFormValue::TKind::String:
        return "文字列";
    case TFormValue::TKind::Identifier:
        return "識別子";
    case TFormValue::TKind::Set:
        return "集合";
    case TFormValue::TKind::List:
        return "リスト";
    }
    return "値";
}

std::string Mismatch(TFormValue::TKind expected, const TFormProperty& Property) {
    return std::string(KindName(expected)) + "が必要ですが、" + KindName(Property.Value.Kind) +
           "があります";
}

} // namespace

TFormBuilder::TFormBuilder(TForm& Root, std::span<const TComponentClass> Classes)
    : FRoot(Root), FClasses(Classes) {}

void TFormBuilder::Build(const TFormObject& Description) {
    if (Description.ClassName != FRoot.ClassName()) {
        throw EFormDescriptionError(Messages::FormDescriptionLine(
            Description.Line, Description.ClassName + " はフォームのクラス (" +
                                  std::string(FRoot.ClassName()) + ") ではありません"));
    }
    FLoaded.clear();
    FRoot.SetLoading(true);
    FLoaded.push_back(&FRoot);
    FRoot.SetName(Description.Name);
    ReadProperties(FRoot, Description);
    ReadChildren(FRoot, Description);
    for (TComponent* component : FLoaded)
        component->SetLoading(false);
    for (TComponent* component : FLoaded)
        component->Loaded();
    FLoaded.clear();
}

void TFormBuilder::ReadProperties(TComponent& Component, const TFormObject& Description) {
    FCurrent = &Component;
    for (const TFormProperty& property : Description.Properties)
        Component.ReadProperty(*this, property);
    FCurrent = nullptr;
}

void TFormBuilder::ReadChildren(TComponent& Parent, const TFormObject& Description) {
    for (const TFormObject& child : Description.Children) {
        const TComponentClass* componentClass = FindClass(child.ClassName);
        if (componentClass == nullptr) {
            throw EFormDescriptionError(Messages::FormDescriptionLine(
                child.Line, "クラス " + child.ClassName + " がありません"));
        }
        if (FRoot.FindComponent(child.Name) != nullptr) {
            throw EFormDescriptionError(Messages::FormDescriptionLine(
                child.Line, "名前が " + child.Name + " のコントロールがすでにあります"));
        }
        TComponent* component = componentClass->Create(&FRoot);
        component->SetLoading(true);
        FLoaded.push_back(component);
        component->SetName(child.Name);
        if (auto* control = dynamic_cast<TControl*>(component)) {
            auto* parent = dynamic_cast<TWinControl*>(&Parent);
            if (parent == nullptr) {
                throw EFormDescriptionError(Messages::FormDescriptionLine(
                    child.Line, child.Name + " の親がウィンドウを持つコントロールではありません"));
            }
            control->SetParent(parent);
        }
        ReadProperties(*component, child);
        ReadChildren(*component, child);
    }
}

const TComponentClass* TFormBuilder::FindClass(std::string_view Name) const {
    for (const TComponentClass& entry : FClasses) {
        if (entry.Name == Name)
            return &entry;
    }
    return nullptr;
}

int TFormBuilder::Integer(const TFormProperty& Property) const {
    if (Property.Value.Kind != TFormValue::TKind::Integer)
        Error(Property, Mismatch(TFormValue::TKind::Integer, Property));
    if (Property.Value.Integer < std::numeric_limits<int>::min() ||
        Property.Value.Integer > std::numeric_limits<int>::max())
        Error(Property, "整数が範囲外です");
    return static_cast<int>(Property.Value.Integer);
}

bool TFormBuilder::Boolean(const TFormProperty& Property) const {
    return Enumeration<bool>(Property, {{"True", true}, {"False", false}});
}

std::string TFormBuilder::String(const TFormProperty& Property) const {
    if (Property.Value.Kind != TFormValue::TKind::String)
        Error(Property, Mismatch(TFormValue::TKind::String, Property));
    return Property.Value.Text;
}

const std::string& TFormBuilder::Identifier(const TFormProperty& Property) const {
    if (Property.Value.Kind != TFormValue::TKind::Identifier)
        Error(Property, Mismatch(TFormValue::TKind::Identifier, Property));
    return Property.Value.Text;
}

const std::vector<std::string>& TFormBuilder::Set(const TFormProperty& Property) const {
    if (Property.Value.Kind != TFormValue::TKind::Set)
        Error(Property, Mismatch(TFormValue::TKind::Set, Property));
    return Property.Value.Items;
}

const std::vector<std::string>& TFormBuilder::List(const TFormProperty& Property) const {
    if (Property.Value.Kind != TFormValue::TKind::List)
        Error(Property, Mismatch(TFormValue::TKind::List, Property));
    return Property.Value.Items;
}

int TFormBuilder::IntegerOrIdent(
    const TFormProperty& Property,
    std::initializer_list<std::pair<std::string_view, int>> Values) const {
    if (Property.Value.Kind == TFormValue::TKind::Integer)
        return Integer(Property);
    return Enumeration<int>(Property, Values);
}

TColor TFormBuilder::Color(const TFormProperty& Property) const {
    if (Property.Value.Kind == TFormValue::TKind::Integer)
        return static_cast<TColor>(Integer(Property));
    TColor color = clBlack;
    if (!IdentToColor(Identifier(Property), color))
        Error(Property, "'" + Property.Value.Text + "' は色ではありません");
    return color;
}

TNotifyEvent TFormBuilder::Event(const TFormProperty& Property) const {
    const std::string& name = Identifier(Property);
    TNotifyEvent handler = FRoot.FindMethod(name);
    if (!handler)
        Error(Property, "フォームにハンドラー " + name + " がありません");
    return handler;
}

void TFormBuilder::Error(const TFormProperty& Property, const std::string& What) const {
    const std::string owner = FCurrent != nullptr ? FCurrent->Name() + "." : std::string();
    throw EFormDescriptionError(Messages::FormDescriptionLine(
        Property.Line, owner + Property.Name + " を読み取れません: " + What));
}

void TFormBuilder::UnknownProperty(const TComponent& Component,
                                   const TFormProperty& Property) const {
    Error(Property,
          std::string(Component.ClassName()) + " にプロパティ " + Property.Name + " がありません");
}

bool ReadFontProperty(TFormBuilder& Builder, const TFormProperty& Property, TFont& Font) {
    const std::string& name = Property.Name;
    if (name == "Font.Name") {
        Font.SetName(Builder.String(Property));
    } else if (name == "Font.Height") {
        Font.SetHeight(Builder.Integer(Property));
    } else if (name == "Font.Charset") {
        Font.SetCharset(Builder.IntegerOrIdent(Property, {{"ANSI_CHARSET", ANSI_CHARSET},
                                                          {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                                          {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET}}));
    } else if (name == "Font.Color") {
        Font.SetColor(Builder.Color(Property));
    } else if (name == "Font.Style") {
        TFontStyles styles = 0;
        for (const std::string& item : Builder.Set(Property)) {
            if (item == "fsBold")
                styles |= fsBold;
            else if (item == "fsItalic")
                styles |= fsItalic;
            else if (item == "fsUnderline")
                styles |= fsUnderline;
            else if (item == "fsStrikeOut")
                styles |= fsStrikeOut;
            else
                Builder.Error(Property, "'" + item + "' はフォントのスタイルではありません");
        }
        Font.SetStyle(styles);
    } else {
        return false;
    }
    return true;
}

namespace {

// The DLL's path as the user finds it, for a message about its resources.
std::string ModulePath(HMODULE Module) {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(Module, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

} // namespace

void ReadFormResource(TForm& Form, HMODULE Module, const char* ResourceName,
                      std::span<const TComponentClass> Classes) {
    const LPCSTR rcdata = MAKEINTRESOURCEA(10); // RT_RCDATA
    HRSRC resource = ::FindResourceA(Module, ResourceName, rcdata);
    HGLOBAL loaded = resource != nullptr ? ::LoadResource(Module, resource) : nullptr;
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr)
        throw EOSError(Messages::DialogResourceMissing(ModulePath(Module)));
    const std::string_view text(static_cast<const char*>(data), ::SizeofResource(Module, resource));
    TFormBuilder builder(Form, Classes);
    try {
        builder.Build(ParseFormDescription(text));
    } catch (const EFormDescriptionError& e) {
        // The user can only replace the DLL: say which file, and where the
        // fault lies for whoever looks into it.
        throw EFormDescriptionError(Messages::DialogResourceDamaged(ModulePath(Module), e.Message));
    }
}
