#include "runtime/vcl/Component.h"

#include "runtime/vcl/FormBuilder.h"

#include <algorithm>

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {
    if (FOwner != nullptr)
        FOwner->FComponents.push_back(this);
}

TComponent::~TComponent() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        FComponents.pop_back();
        last->FOwner = nullptr;
        delete last;
    }
    if (FOwner != nullptr)
        FOwner->Remove(this);
}

void TComponent::SetName(const std::string& NewName) {
    FName = NewName;
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
    const auto it = std::find_if(FComponents.begin(), FComponents.end(),
                                 [&](const TComponent* c) { return c->FName == AName; });
    return it == FComponents.end() ? nullptr : *it;
}

void TComponent::ReadProperty(TFormBuilder& Builder, const TFormProperty& Property) {
    Builder.UnknownProperty(*this, Property);
}

void TComponent::Remove(TComponent* Component) {
    const auto it = std::find(FComponents.begin(), FComponents.end(), Component);
    if (it != FComponents.end())
        FComponents.erase(it);
}
