#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/TComponent.h"

class TCustomForm;

// A form's stored design as declarative data: the form's own property assignments, then a
// list of component descriptions in stored order (class, name, parent, assignments). Reading
// it (TCustomForm::LoadDesign) creates each component owned by the form, names it, parents a
// control into the named windowed control (the form when empty), applies the assignments in
// order while the component has csReading and csLoading set, and finally calls Loaded on the
// form and every component. Each component is made by its Create factory.
class TFormDesign {
public:
    using TSetter = std::function<void(TComponent&)>;
    using TFactory = std::function<TComponent*(TComponent* owner)>;

    struct TEntry {
        std::string Name;
        std::string ParentName;
        TFactory Create;
        std::vector<TSetter> Properties;
    };

    // Assignments to the form itself, applied first.
    TFormDesign& Form(std::function<void(TCustomForm&)> setter);
    // A component of class T: created with new T(owner); field (may be null) receives it.
    template <class T>
    TFormDesign& Add(const std::string& name, const std::string& parentName, T** field,
                     std::vector<std::function<void(T&)>> properties) {
        TEntry e;
        e.Name = name;
        e.ParentName = parentName;
        e.Create = [field](TComponent* owner) -> TComponent* {
            T* c = new T(owner);
            if (field) *field = c;
            return c;
        };
        for (auto& p : properties)
            e.Properties.push_back([p](TComponent& c) { p(static_cast<T&>(c)); });
        m_entries.push_back(std::move(e));
        return *this;
    }

    const std::vector<std::function<void(TCustomForm&)>>& FormProperties() const { return m_form; }
    const std::vector<TEntry>& Entries() const { return m_entries; }

private:
    std::vector<std::function<void(TCustomForm&)>> m_form;
    std::vector<TEntry> m_entries;
};

// Reads the design into the form (see above); does not run the creation handler.
void ReadFormDesign(TCustomForm& form, const TFormDesign& design);
