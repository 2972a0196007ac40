#pragma once
// Components: objects with an owner that releases them, a name, and the
// loading state that is on while a form description is read into them.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct TFormProperty;
class TFormBuilder;

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public TObject {
public:
    // Registers with AOwner (may be null), which then releases this component.
    explicit TComponent(TComponent* AOwner);
    // Releases the owned components, the most recently added first.
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    virtual std::string_view ClassName() const { return "TComponent"; }

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    virtual void SetName(const std::string& NewName);

    bool Loading() const { return FLoading; }
    void SetLoading(bool Value) { FLoading = Value; }

    // The owned component of that name (exact bytes), or null.
    TComponent* FindComponent(std::string_view AName) const;

    // Sets one property read from a form description. Each class handles its
    // own names and passes the rest to its base; the base of all raises.
    virtual void ReadProperty(TFormBuilder& Builder, const TFormProperty& Property);
    // Runs once the whole description has been read and loading is over.
    virtual void Loaded() {}

private:
    void Remove(TComponent* Component);

    TComponent* FOwner;
    std::string FName;
    bool FLoading = false;
    std::vector<TComponent*> FComponents;
};
