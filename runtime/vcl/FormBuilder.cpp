#include "runtime/vcl/FormBuilder.h"

#include "runtime/Exception.h"
#include "runtime/vcl/Form.h"

#include <limits>

namespace {

const char* KindName(TFormValue::TKind kind) {
    switch (kind) {
    case TFormValue::TKind::Integer:
        return "an integer";
    case TFormValue::TKind::String:
        return "a string";
    case TFormValue::TKind::Identifier:
        return "an identifier";
    case TFormValue::TKind::Set:
        return "a set";
    case TFormValue::TKind::List:
        return "a list";
    }
    return "a value";
}

} // namespace

TFormBuilder::TFormBuilder(TForm& Root, std::span<const TComponentClass> Classes)
    : FRoot(Root), FClasses(Classes) {}

void TFormBuilder::Build(const TFormObject& Description) {
    if (Description.ClassName != FRoot.ClassName()) {
        throw EFormDescriptionError("line " + std::to_string(Description.Line) + ": " +
                                    Description.ClassName + " is not the class of the form (" +
                                    std::string(FRoot.ClassName()) + ")");
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
            throw EFormDescriptionError("line " + std::to_string(child.Line) + ": class " +
                                        child.ClassName + " not found");
        }
        if (FRoot.FindComponent(child.Name) != nullptr) {
            throw EFormDescriptionError("line " + std::to_string(child.Line) +
                                        ": a component named " + child.Name + " already exists");
        }
        TComponent* component = componentClass->Create(&FRoot);
        component->SetLoading(true);
        FLoaded.push_back(component);
        component->SetName(child.Name);
        if (auto* control = dynamic_cast<TControl*>(component)) {
            auto* parent = dynamic_cast<TWinControl*>(&Parent);
            if (parent == nullptr) {
                throw EFormDescriptionError("line " + std::to_string(child.Line) + ": " +
                                            child.Name + " needs a windowed parent");
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
        Error(Property, std::string("expected an integer, found ") + KindName(Property.Value.Kind));
    if (Property.Value.Integer < std::numeric_limits<int>::min() ||
        Property.Value.Integer > std::numeric_limits<int>::max())
        Error(Property, "integer out of range");
    return static_cast<int>(Property.Value.Integer);
}

bool TFormBuilder::Boolean(const TFormProperty& Property) const {
    return Enumeration<bool>(Property, {{"True", true}, {"False", false}});
}

std::string TFormBuilder::String(const TFormProperty& Property) const {
    if (Property.Value.Kind != TFormValue::TKind::String)
        Error(Property, std::string("expected a string, found ") + KindName(Property.Value.Kind));
    return Property.Value.Text;
}

const std::string& TFormBuilder::Identifier(const TFormProperty& Property) const {
    if (Property.Value.Kind != TFormValue::TKind::Identifier)
        Error(Property,
              std::string("expected an identifier, found ") + KindName(Property.Value.Kind));
    return Property.Value.Text;
}

const std::vector<std::string>& TFormBuilder::Set(const TFormProperty& Property) const {
    if (Property.Value.Kind != TFormValue::TKind::Set)
        Error(Property, std::string("expected a set, found ") + KindName(Property.Value.Kind));
    return Property.Value.Items;
}

const std::vector<std::string>& TFormBuilder::List(const TFormProperty& Property) const {
    if (Property.Value.Kind != TFormValue::TKind::List)
        Error(Property, std::string("expected a list, found ") + KindName(Property.Value.Kind));
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
        Error(Property, "'" + Property.Value.Text + "' is not a colour");
    return color;
}

TNotifyEvent TFormBuilder::Event(const TFormProperty& Property) const {
    const std::string& name = Identifier(Property);
    TNotifyEvent handler = FRoot.FindMethod(name);
    if (!handler)
        Error(Property, "the form has no handler " + name);
    return handler;
}

void TFormBuilder::Error(const TFormProperty& Property, const std::string& What) const {
    const std::string owner = FCurrent != nullptr ? FCurrent->Name() + "." : std::string();
    throw EFormDescriptionError("line " + std::to_string(Property.Line) + ": error reading " +
                                owner + Property.Name + ": " + What);
}

void TFormBuilder::UnknownProperty(const TComponent& Component,
                                   const TFormProperty& Property) const {
    Error(Property,
          "property " + Property.Name + " does not exist in " + std::string(Component.ClassName()));
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
                Builder.Error(Property, "'" + item + "' is not a font style");
        }
        Font.SetStyle(styles);
    } else {
        return false;
    }
    return true;
}

void ReadFormResource(TForm& Form, HMODULE Module, const char* ResourceName,
                      std::span<const TComponentClass> Classes) {
    const LPCSTR rcdata = MAKEINTRESOURCEA(10); // RT_RCDATA
    HRSRC resource = ::FindResourceA(Module, ResourceName, rcdata);
    HGLOBAL loaded = resource != nullptr ? ::LoadResource(Module, resource) : nullptr;
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr)
        throw EOSError(std::string("Resource ") + ResourceName + " not found");
    const std::string_view text(static_cast<const char*>(data), ::SizeofResource(Module, resource));
    TFormBuilder builder(Form, Classes);
    builder.Build(ParseFormDescription(text));
}
