#include "skin/SkinDirectory.h"

#include <algorithm>

#include "platform/core/CodePage.h"
#include "platform/os/FileSystem.h"
#include "skin/TsSkinImageFinder.h"

namespace {

std::string WithSlashes(std::string_view text) {
    std::string result(text);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

} // namespace

bool IsPlainSkinName(std::string_view skinName) {
    return !skinName.empty() && skinName != "." && skinName.find_first_of("/\\") == std::string_view::npos &&
           skinName.find("..") == std::string_view::npos;
}

std::string ResolveSkinDirectory(std::string_view skinDirectory, std::string_view programFolder) {
    const std::string setting = WithSlashes(skinDirectory);
    const std::string program = IncludeTrailingPathDelimiter(WithSlashes(programFolder));
    if (setting.starts_with("..")) {
        std::string parent = program.substr(0, program.size() - 1);
        while (!parent.empty() && parent.back() != '/')
            parent.pop_back();
        return parent + (setting.size() > 3 ? setting.substr(3) : std::string());
    }
    if (setting.starts_with("./")) return program + setting.substr(2);
    if (setting.find(':') == std::string::npos && setting.find('/') == std::string::npos)
        return program + setting;
    return setting;
}

std::string PackageFilePath(std::string_view skinDirectory, std::string_view skinName) {
    std::string folder = WithSlashes(skinDirectory);
    if (folder.size() == 1)
        folder += ":/";
    else
        folder = IncludeTrailingPathDelimiter(folder);
    return folder + std::string(skinName) + ".mvz";
}

std::string SkinFolderPath(std::string_view resolvedDirectory, std::string_view skinName) {
    if (!IsPlainSkinName(skinName)) return {};
    const std::string folder =
        IncludeTrailingPathDelimiter(std::string(resolvedDirectory)) + std::string(skinName);
    if (!DirectoryExists(folder) || FindFileIgnoringCase(folder, "Options.dat").empty()) return {};
    return folder + "/";
}

TSkinListKind SkinListKindOf(int kind) {
    return kind >= 0 && kind <= 2 ? TSkinListKind(kind) : TSkinListKind::None;
}

TSkinNameList ListSkinNames(std::string_view resolvedDirectory, TSkinListKind kind,
                            const std::vector<std::string>& storedNames) {
    TSkinNameList list;
    for (const std::string& name : storedNames)
        list.Names.push_back(name);
    if (!storedNames.empty()) list.FirstName = storedNames.front();
    const std::string folder(resolvedDirectory);
    const bool folders = kind == TSkinListKind::Folders || kind == TSkinListKind::Both;
    const bool packages = kind == TSkinListKind::Packages || kind == TSkinListKind::Both;
    if (!folder.empty() && DirectoryExists(folder)) {
        for (const TDirEntry& entry : ListDirectory(folder)) {
            if (entry.Name.empty() || entry.Name.front() == '.') continue;
            std::string name;
            if (entry.IsDirectory) {
                if (!folders || SkinFolderPath(folder, entry.Name).empty()) continue;
                name = entry.Name;
            } else {
                if (!packages || ExtractFileExt(entry.Name) != ".mvz") continue;
                name = entry.Name.substr(0, entry.Name.find('.'));
            }
            if (!IsPlainSkinName(name)) continue;
            if (list.Names.empty()) list.FirstName = name;
            list.Names.push_back(std::move(name));
        }
    }
    std::stable_sort(list.Names.begin(), list.Names.end(),
                     [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    return list;
}
