#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "skin/TsStoredSkin.h"

class TsSkinManager;

// The stored skins a manager carries (its InternalSkins), in form-data order.
class TsStoredSkins {
public:
    explicit TsStoredSkins(TsSkinManager* owner) : m_owner(owner) {}

    TsSkinManager* Owner() const { return m_owner; }
    int Count() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    TsStoredSkin& Items(int index) { return *m_items.at(std::size_t(index)); }
    const TsStoredSkin& Items(int index) const { return *m_items.at(std::size_t(index)); }
    TsStoredSkin& Add();
    // A stored skin holding the package, named so.
    TsStoredSkin& AddPackage(std::string name, std::vector<std::uint8_t> data);
    void Clear() { m_items.clear(); }
    // The first item whose Name equals the name exactly (letter case counting), or null.
    const TsStoredSkin* Find(std::string_view name) const;
    std::vector<std::string> Names() const;

private:
    TsSkinManager* m_owner;
    std::vector<std::unique_ptr<TsStoredSkin>> m_items;
};
