#include "platform/os/TRegistry.h"

#include "platform/core/Exceptions.h"

void TRegistry::ThrowSetFailed(std::string_view name) {
    throw ERegistryException("Failed to set data for '" + std::string(name) + "'");
}

TRegValue TRegistry::TextValue(std::uint32_t type, std::string_view text) {
    TRegValue value;
    value.Type = type;
    value.Data.assign(text.begin(), text.end());
    value.Data.push_back(0);
    return value;
}

std::string TRegistry::RootName(HKEY root) {
    switch (root) {
    case HKEY_CLASSES_ROOT:
        return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER:
        return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE:
        return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS:
        return "HKEY_USERS";
    case HKEY_CURRENT_CONFIG:
        return "HKEY_CURRENT_CONFIG";
    default:
        return std::string();
    }
}

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    RootKey_ = root;
}

void TRegistry::CloseKey() {
    CurrentPath_.clear();
    HasCurrentKey_ = false;
    Keys_.reset();
}

void TRegistry::SetLockWait(unsigned ms, const TWaitClock& clock) {
    LockWaitMs_ = ms;
    LockClock_ = &clock;
}

std::string TRegistry::ResolveKey(std::string_view key) const {
    std::string path;
    if (!key.starts_with("\\") && HasCurrentKey_) path = CurrentPath_;
    for (const auto& part : TRegistryFile::SplitKey(key))
        path += (path.empty() ? "" : "\\") + part;
    return path;
}

bool TRegistry::ValueExists(std::string_view name) const {
    return FindValue(name).has_value();
}

bool TRegistry::GetDataInfo(std::string_view name, TRegDataInfo& info) const {
    const auto value = FindValue(name);
    if (!value) {
        info = {};
        return false;
    }
    switch (value->Type) {
    case REG_SZ:
        info.RegData = TRegDataType::rdString;
        break;
    case REG_EXPAND_SZ:
        info.RegData = TRegDataType::rdExpandString;
        break;
    case REG_DWORD:
        info.RegData = TRegDataType::rdInteger;
        break;
    case REG_BINARY:
        info.RegData = TRegDataType::rdBinary;
        break;
    default:
        info.RegData = TRegDataType::rdUnknown;
        break;
    }
    info.DataSize = static_cast<int>(value->Data.size());
    return true;
}

TRegDataType TRegistry::GetDataType(std::string_view name) const {
    TRegDataInfo info;
    GetDataInfo(name, info);
    return info.RegData;
}

int TRegistry::GetDataSize(std::string_view name) const {
    TRegDataInfo info;
    return GetDataInfo(name, info) ? info.DataSize : -1;
}

std::string TRegistry::ReadString(std::string_view name) const {
    const auto value = FindValue(name);
    if (!value || value->Data.empty()) return std::string();
    if (value->Type != REG_SZ && value->Type != REG_EXPAND_SZ)
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    std::string text(value->Data.begin(), value->Data.end());
    if (const auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    return text;
}

std::int32_t TRegistry::ReadInteger(std::string_view name) const {
    const auto value = FindValue(name);
    if (!value) throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
    if (value->Type != REG_DWORD || value->Data.size() != 4)
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    return static_cast<std::int32_t>(value->DwordNumber());
}

void TRegistry::WriteString(std::string_view name, std::string_view value) {
    WriteValue(name, TextValue(REG_SZ, value));
}

void TRegistry::WriteExpandString(std::string_view name, std::string_view value) {
    WriteValue(name, TextValue(REG_EXPAND_SZ, value));
}

void TRegistry::WriteInteger(std::string_view name, std::int32_t value) {
    WriteValue(name, TRegValue::Dword(static_cast<std::uint32_t>(value)));
}

void TRegistry::WriteBinaryData(std::string_view name, std::span<const std::uint8_t> bytes) {
    TRegValue data;
    data.Type = REG_BINARY;
    data.Data.assign(bytes.begin(), bytes.end());
    WriteValue(name, data);
}
