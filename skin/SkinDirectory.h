#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where a manager looks for skins. Settings may be written with "\" (as in "c:\Skins");
// both separators are accepted and "/" is used on disk. A drive-letter setting is just a
// folder name that does not exist here.

// True when the name can name a skin of the skin directory: not empty, not ".", and holding
// no "/", "\\" or "..", so that neither its package file nor its folder lies outside the
// directory.
bool IsPlainSkinName(std::string_view skinName);

// The folder for skin folders and skin names: "../x" is taken beside the program's folder,
// "./x" and plain names ("Skins") inside it, anything holding ":" or a separator as it stands.
// `programFolder` ends with "/". No separator is added at the end.
std::string ResolveSkinDirectory(std::string_view skinDirectory, std::string_view programFolder);

// The package file of a skin: the setting as written (relative to the current folder) with
// "/" appended unless present, then the name, then ".mvz". A one-character setting is a drive
// and gets ":/" appended.
std::string PackageFilePath(std::string_view skinDirectory, std::string_view skinName);

// The skin folder of a name inside a resolved directory, when it holds "Options.dat";
// empty otherwise. The returned path ends with "/".
std::string SkinFolderPath(std::string_view resolvedDirectory, std::string_view skinName);

// Which containers a listing includes.
enum class TSkinListKind { Folders = 0, Packages = 1, Both = 2, None = 3 };
TSkinListKind SkinListKindOf(int kind);

struct TSkinNameList {
    std::vector<std::string> Names; // sorted with letter case not counting, duplicates kept
    std::string FirstName;          // the first name found, before sorting
};

// The stored skins' names first, then the skin folders (folders holding "Options.dat") and
// packages (files ending exactly ".mvz", listed by the part of their name before the first
// ".") of the resolved directory; names starting with "." and names that are not plain are
// skipped.
TSkinNameList ListSkinNames(std::string_view resolvedDirectory, TSkinListKind kind,
                            const std::vector<std::string>& storedNames);
