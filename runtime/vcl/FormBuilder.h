#pragma once
// Builds a form and its controls from a form description: each object's
// class comes from a table of factories by class name, its name is set
// before its properties, and every component read stays in the loading
// state until the whole description has been read. Property values are
// checked as they are converted; anything unknown or mistyped raises
// EFormDescriptionError naming the line.

#include "runtime/FormDescription.h"
#include "runtime/vcl/Component.h"
#include "runtime/vcl/Graphics.h"

#include <windows.h>

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TForm;
class TWinControl;

struct TComponentClass {
    std::string_view Name;
    TComponent* (*Create)(TComponent* Owner);
};

template <typename T> TComponent* NewComponent(TComponent* Owner) {
    return new T(Owner);
}

// A table entry for class T, for example ComponentClass<TEdit>("TEdit").
template <typename T> constexpr TComponentClass ComponentClass(std::string_view Name) {
    return {Name, &NewComponent<T>};
}

class TFormBuilder {
public:
    TFormBuilder(TForm& Root, std::span<const TComponentClass> Classes);

    // Builds Root from Description, whose class name it must carry, then
    // ends loading and calls Loaded on every component read.
    void Build(const TFormObject& Description);

    int Integer(const TFormProperty& Property) const;
    bool Boolean(const TFormProperty& Property) const;
    std::string String(const TFormProperty& Property) const;
    const std::string& Identifier(const TFormProperty& Property) const;
    const std::vector<std::string>& Set(const TFormProperty& Property) const;
    const std::vector<std::string>& List(const TFormProperty& Property) const;
    // An identifier from a fixed list of names.
    template <typename E>
    E Enumeration(const TFormProperty& Property,
                  std::initializer_list<std::pair<std::string_view, E>> Values) const {
        const std::string& ident = Identifier(Property);
        for (const auto& [name, value] : Values) {
            if (name == ident)
                return value;
        }
        Error(Property, "'" + ident + "' は使える値ではありません");
    }
    // An integer, or an identifier from Values.
    int IntegerOrIdent(const TFormProperty& Property,
                       std::initializer_list<std::pair<std::string_view, int>> Values) const;
    // A colour identifier (clBtnFace) or a number.
    TColor Color(const TFormProperty& Property) const;
    // The root form's handler of that name.
    TNotifyEvent Event(const TFormProperty& Property) const;

    [[noreturn]] void Error(const TFormProperty& Property, const std::string& What) const;
    [[noreturn]] void UnknownProperty(const TComponent& Component,
                                      const TFormProperty& Property) const;

private:
    void ReadProperties(TComponent& Component, const TFormObject& Description);
    void ReadChildren(TComponent& Parent, const TFormObject& Description);
    const TComponentClass* FindClass(std::string_view Name) const;

    TForm& FRoot;
    std::span<const TComponentClass> FClasses;
    std::vector<TComponent*> FLoaded;
    const TComponent* FCurrent = nullptr;
};

// Sets Font from a "Font.*" property; false for any other property.
bool ReadFontProperty(TFormBuilder& Builder, const TFormProperty& Property, TFont& Font);

// Reads the RCDATA resource ResourceName of Module into Form.
void ReadFormResource(TForm& Form, HMODULE Module, const char* ResourceName,
                      std::span<const TComponentClass> Classes);
