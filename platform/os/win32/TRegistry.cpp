#include "platform/os/TRegistry.h"

#include "platform/os/win32/TSystemRegistryKeys.h"

TRegistry::TRegistry() = default;

std::string TRegistry::DefaultStorePath() {
    return std::string();
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate) {
    if (RootName(RootKey_).empty()) return false;
    const std::string relative = ResolveKey(key);
    if (!TRegistryFile::IsValidKey(RootName(RootKey_) + "\\" + relative)) return false;
    auto keys = TSystemRegistryKeys::Open(RootKey_, relative, canCreate);
    if (!keys) return false;
    Keys_ = std::move(keys);
    CurrentPath_ = relative;
    HasCurrentKey_ = true;
    return true;
}

bool TRegistry::KeyExists(std::string_view key) const {
    return !RootName(RootKey_).empty() && TSystemRegistryKeys::Exists(RootKey_, ResolveKey(key));
}

std::optional<TRegValue> TRegistry::FindValue(std::string_view name) const {
    if (!HasCurrentKey_ || !Keys_) return std::nullopt;
    return Keys_->Value(name);
}

void TRegistry::WriteValue(std::string_view name, const TRegValue& value) {
    if (!HasCurrentKey_ || !Keys_ || !TRegistryFile::IsValidValueName(name) || !Keys_->SetValue(name, value))
        ThrowSetFailed(name);
}

void TRegistry::WriteStrings(std::span<const TRegNamedString> values) {
    if (values.empty()) return;
    if (!HasCurrentKey_ || !Keys_) ThrowSetFailed(values.front().Name);
    // The registry has no transactions that reach back to Windows 7: each value's former state
    // is kept and given back when a later one is refused.
    std::vector<std::optional<TRegValue>> former;
    for (const TRegNamedString& value : values) {
        if (TRegistryFile::IsValidValueName(value.Name)) {
            former.push_back(Keys_->Value(value.Name));
            if (Keys_->SetValue(value.Name, TextValue(REG_SZ, value.Value))) continue;
            former.pop_back();
        }
        for (std::size_t i = former.size(); i-- > 0;) {
            if (former[i])
                Keys_->SetValue(values[i].Name, *former[i]);
            else
                Keys_->DeleteValue(values[i].Name);
        }
        ThrowSetFailed(value.Name);
    }
}
