#include "SkinCheck.h"

#include <iomanip>
#include <ostream>
#include <sstream>

#include "SkinTool.h"
#include "platform/core/Exceptions.h"
#include "TextContrast.h"
#include "skin/SkinImageReference.h"
#include "skin/SkinStrings.h"
#include "skin/TsSkinLoader.h"

namespace {

// The strict conversions of one value: whatever the loader would stop at.
std::string StrictProblem(const std::string& section, const std::string& key, const std::string& value) {
    try {
        if (SameText(section, "GLOBALINFO") && SameText(key, "MASTERBITMAP")) return {};
        if (SameText(section, "GLOBALINFO") &&
            (SameText(key, "SHADOW1OFFSET") || SameText(key, "SHADOW1BLUR") ||
             SameText(key, "SHADOW1TRANSPARENCY")))
            StrToInt(value);
        else if ((SameText(key, "GRADIENTDATA") || SameText(key, "HOTGRADIENTDATA")) && value != " ")
            ParseGradientData(value);
        else
            ParseImageReference(value, key);
    } catch (const EConvertError& error) {
        return error.what();
    }
    return {};
}

} // namespace

int CheckSkin(const std::string& spec, const TSkinRecolouring& recolouring, std::ostream& out,
              std::span<const TStoredSkinPackage> stored) {
    TOpenedSkin skin = OpenSkin(spec, stored);

    // Values that would end the load are reported and left out, so that the rest of the skin
    // is still checked.
    TsLoadReport report;
    std::string checkable;
    for (const TacSkinOptions::Section& section : skin.Options.Sections()) {
        checkable += "[" + section.Name + "]\n";
        for (const TacSkinOptions::Entry& entry : section.Entries) {
            const std::string value = skin.Options.ReadString(section.Name, entry.Key, "");
            const std::string problem = StrictProblem(section.Name, entry.Key, value);
            if (problem.empty())
                checkable += entry.Key + "=" + entry.Value + "\n";
            else
                report.push_back({section.Name, entry.Key, problem + "; this ends the load"});
        }
    }
    const TacSkinOptions checkedOptions = TacSkinOptions::Parse(checkable);
    TsSkinModel checkedModel;
    TsSkinLoader checker(checkedModel);
    checker.SetReport(&report);
    std::string loadError;
    try {
        checker.Load({&checkedOptions, skin.Package.get(), skin.SkinPath});
    } catch (const std::exception& error) {
        loadError = error.what();
    }

    TsSkinModel model;
    TsSkinLoader loader(model);
    try {
        loader.Load({&skin.Options, skin.Package.get(), skin.SkinPath});
    } catch (const std::exception& error) {
        loadError = error.what();
    }
    for (const TsLoadProblem& problem : report)
        out << "[" << problem.Section << "] " << problem.Key << ": " << problem.Message << "\n";
    if (!loadError.empty()) {
        out << "the skin cannot be loaded: " << loadError << "\n";
        return 1;
    }
    recolouring.ApplyTo(model);
    for (const TTextContrastWarning& warning : CheckTextContrast(model, skin.Options)) {
        std::ostringstream ratio;
        ratio << std::fixed << std::setprecision(2) << warning.Ratio;
        out << "[" << warning.Section << "] " << warning.State << ": text contrast " << ratio.str()
            << " : 1 is below " << MinimumTextContrast << " : 1\n";
        report.push_back({warning.Section, warning.State, "text contrast"});
    }
    out << report.size() << (report.size() == 1 ? " problem" : " problems") << " found\n";
    return 0;
}
