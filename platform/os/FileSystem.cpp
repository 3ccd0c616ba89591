#include "platform/os/FileSystem.h"

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    WriteFileAtomically(path, std::span<const std::uint8_t>(
                                  reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

bool ForceDirectories(const std::string& folder) {
    if (folder.empty()) return false;
    if (DirectoryExists(folder)) return true;
    const std::string trimmed = ExcludeTrailingPathDelimiter(folder);
    const std::string parent = ExtractFilePath(trimmed);
    if (!parent.empty() && parent != trimmed && !ForceDirectories(parent)) return false;
    return MakeDirectory(trimmed);
}

namespace {

std::size_t LastDelimiter(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsPathDelimiter(path[i - 1])) return i - 1;
    return std::string::npos;
}

} // namespace

std::string IncludeTrailingPathDelimiter(const std::string& path) {
    if (!path.empty() && IsPathDelimiter(path.back())) return path;
    return path + "/";
}

std::string ExcludeTrailingPathDelimiter(const std::string& path) {
    if (!path.empty() && IsPathDelimiter(path.back())) return path.substr(0, path.size() - 1);
    return path;
}

std::string ExtractFileExt(const std::string& path) {
    const std::string name = ExtractFileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ExtractFilePath(const std::string& path) {
    const auto slash = LastDelimiter(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string& path) {
    const auto slash = LastDelimiter(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
