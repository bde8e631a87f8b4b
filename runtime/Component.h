// The base of everything a form is built from: components own the
// components created with them as owner and free them when they go.
#pragma once

#include <string>
#include <vector>

namespace brisbolt {

class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }

    // Called on every component of a form once the form has built them all,
    // before the form's OnCreate.
    virtual void Loaded() {}
    // Components behave differently inside a form designer; there is none at
    // run time, so this is always false here.
    bool Designing() const { return false; }

    std::string Name;
    int Tag = 0;

private:
    void Remove(TComponent* component);

    TComponent* owner_;
    std::vector<TComponent*> components_;
};

}  // namespace brisbolt
