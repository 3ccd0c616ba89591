#include "skin/TsStoredSkins.h"

TsStoredSkin& TsStoredSkins::Add() {
    return *m_items.emplace_back(std::make_unique<TsStoredSkin>());
}

TsStoredSkin& TsStoredSkins::AddPackage(std::string name, std::vector<std::uint8_t> data) {
    TsStoredSkin& skin = Add();
    skin.Name = std::move(name);
    skin.Data = std::move(data);
    return skin;
}

const TsStoredSkin* TsStoredSkins::Find(std::string_view name) const {
    for (const auto& item : m_items)
        if (item->Name == name) return item.get();
    return nullptr;
}

std::vector<std::string> TsStoredSkins::Names() const {
    std::vector<std::string> names;
    for (const auto& item : m_items)
        names.push_back(item->Name);
    return names;
}
