#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/TacSkinOptions.h"
#include "skin/TsSkinImageFinder.h"
#include "skin/TsSkinLoadBudget.h"
#include "skin/TsSkinModel.h"

class TacSkinConvertor;
class TsSkinManager;
class TsInheritedReader;

// Something a skin author must know about, found while loading.
struct TsLoadProblem {
    std::string Section;
    std::string Key;
    std::string Message;
};
using TsLoadReport = std::vector<TsLoadProblem>;

// Where a skin comes from: its options text, and its images from a package (a package file
// or a stored skin) or from the skin folder.
struct TsSkinSource {
    const TacSkinOptions* Options = nullptr;
    const TacSkinConvertor* Package = nullptr;
    std::string SkinPath; // the folder of the skin's files (or of a package skin's directory), ending "/"
    // The source's decoded images when loads share them; without, each load decodes its own.
    TsDecodedImages* Images = nullptr;
};

// Fills a skin model from a skin source in three passes: mask entries (with the master
// bitmap), external images, section records (with the skin's global values). Each pass
// ends by merging the extra options text (CommonSections) when there is one.
//
// Numbers that must be decimal and are not (image references, gradient descriptions, the
// shadow values of GLOBALINFO) raise EConvertError naming section and key; the model keeps
// what was filled before. Images that are missing or cannot be decoded are skipped. One load
// holds at most SkinLoadBudgetBytes (the unpacked package, each image decoded once, each
// entry's own copy, and each record's own gradient texts and items); a skin that needs more
// raises ESkinTooLarge.
class TsSkinLoader {
public:
    explicit TsSkinLoader(TsSkinModel& model, TsSkinManager* manager = nullptr);

    void SetCommonSections(const TacSkinOptions* common) { m_common = common; }
    // Problems are added to the report when one is set.
    void SetReport(TsLoadReport* report) { m_report = report; }
    // A smaller budget than SkinLoadBudgetBytes, for tools and tests.
    void SetBudgetLimit(std::int64_t bytes) { m_budget = TsSkinLoadBudget(bytes); }

    // The three passes. Hue and saturation are the caller's next step.
    void Load(const TsSkinSource& source);
    void MaskPass(const TsSkinSource& source);
    void ExternalImagePass(const TsSkinSource& source);
    void SectionPass(const TsSkinSource& source);

private:
    void LoadMasterBitmap(const TacSkinOptions& options, const TsSkinImageFinder& finder);
    void AddMaskEntries(const TacSkinOptions& options, const TsSkinImageFinder& finder, bool common);
    void AddExternalImages(const TacSkinOptions& options, const TsSkinImageFinder& finder, bool common);
    void ReadGlobalValues(const TacSkinOptions& options);
    void CheckParentChains(const TacSkinOptions& options, const TsInheritedReader& inherited);
    void MergeCommonRecords(const TacSkinOptions& common);
    void ConvertCounted(TBitmap& image, std::string_view name);
    void Note(std::string_view section, std::string_view key, std::string message);
    void NoteRegion(const TsMaskData& mask, std::string_view section, std::string_view key);

    TsSkinModel& m_model;
    TsSkinManager* m_manager;
    const TacSkinOptions* m_common = nullptr;
    TsLoadReport* m_report = nullptr;
    TsSkinLoadBudget m_budget;
};

// The reads with PARENTCLASS inheritance. A value of -1 (for integers) or "?" (for texts)
// counts as absent and is taken from the parent section; a chain that names its own section
// or comes back to a section it passed ends there, and the key counts as absent.
std::int32_t ReadInheritedInteger(const TacSkinOptions& options, std::string_view section,
                                  std::string_view key, std::int32_t fallback);
std::string ReadInheritedString(const TacSkinOptions& options, std::string_view section, std::string_view key,
                                std::string_view fallback);

// Splits a gradient description into segments of five numbers; words that are not decimal
// numbers raise EConvertError. Percent is limited to 0..100.
TsGradArray ParseGradientData(std::string_view description);
// The segments a gradient description holds: its whole groups of five words.
std::size_t GradientItemCount(std::string_view description);

// The image size that makes a JPEG stay an external image rather than a texture entry.
inline constexpr std::int64_t ExternalImageMinPixels = 90000;
