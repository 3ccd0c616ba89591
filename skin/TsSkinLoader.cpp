// The skin loader. Sections of this file:
//   - inherited reads and gradient descriptions
//   - mask pass (master bitmap, image references)
//   - external image pass (JPEG textures)
//   - section pass (section records, global values, parent chain checks)
//   - the CommonSections merge
#include "skin/TsSkinLoader.h"

#include <algorithm>
#include <unordered_set>

#include "platform/core/Exceptions.h"
#include "platform/graphics/SystemColors.h"
#include "platform/os/FileSystem.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinImageReference.h"
#include "skin/SkinStrings.h"
#include "skin/TacSkinConvertor.h"
#include "skin/TsInheritedReader.h"

namespace {

constexpr std::int32_t AbsentInteger = -1;
constexpr std::string_view AbsentString = "?";

// Walks the section and its parents; `read` answers the value of one section or nothing.
template <typename T, typename Read>
std::optional<T> ReadThroughChain(const TacSkinOptions& options, std::string_view section, Read read) {
    std::unordered_set<std::string> visited;
    std::string current(section);
    for (;;) {
        if (auto value = read(current)) return value;
        visited.insert(AnsiUpperCase(current));
        const std::string parent = options.ReadString(current, "PARENTCLASS", AbsentString);
        if (parent.empty() || parent == AbsentString || parent == current) return std::nullopt;
        if (visited.contains(AnsiUpperCase(parent))) return std::nullopt;
        current = parent;
    }
}

std::string ContextOf(std::string_view section, std::string_view key) {
    return "[" + std::string(section) + "] " + std::string(key);
}

// Runs a strict read and names the section and key in the conversion error it raises.
template <typename Read> auto WithContext(std::string_view section, std::string_view key, Read read) {
    try {
        return read();
    } catch (const EConvertError& error) {
        throw EConvertError(std::string(error.what()) + " (" + ContextOf(section, key) + ")");
    }
}

bool IsMasterBitmapKey(std::string_view section, std::string_view key) {
    return SameText(section, "GLOBALINFO") && SameText(key, "MASTERBITMAP");
}

} // namespace

// ---------------------------------------------------------------- inherited reads

std::int32_t ReadInheritedInteger(const TacSkinOptions& options, std::string_view section,
                                  std::string_view key, std::int32_t fallback) {
    const auto value = ReadThroughChain<std::int32_t>(options, section, [&](const std::string& name) {
        const std::int32_t read = options.ReadInteger(name, key, AbsentInteger);
        return read == AbsentInteger ? std::nullopt : std::optional<std::int32_t>(read);
    });
    return value.value_or(fallback);
}

std::string ReadInheritedString(const TacSkinOptions& options, std::string_view section, std::string_view key,
                                std::string_view fallback) {
    const auto value = ReadThroughChain<std::string>(options, section, [&](const std::string& name) {
        std::string read = options.ReadString(name, key, AbsentString);
        return read == AbsentString ? std::nullopt : std::optional<std::string>(std::move(read));
    });
    return value ? *value : std::string(fallback);
}

namespace {

// Calls `word` with every non-empty word of a gradient description, without gathering them.
template <typename Word> void ForEachGradientWord(std::string_view description, Word word) {
    std::size_t start = 0;
    while (start < description.size()) {
        const std::size_t end = description.find(';', start);
        const std::size_t stop = end == std::string_view::npos ? description.size() : end;
        if (stop > start) word(description.substr(start, stop - start));
        start = stop + 1;
    }
}

} // namespace

std::size_t GradientItemCount(std::string_view description) {
    std::size_t words = 0;
    ForEachGradientWord(description, [&](std::string_view) { ++words; });
    return words / 5;
}

TsGradArray ParseGradientData(std::string_view description) {
    TsGradArray items(GradientItemCount(description));
    std::size_t word = 0;
    ForEachGradientWord(description, [&](std::string_view text) {
        const std::size_t k = word / 5;
        const std::size_t field = word++ % 5;
        if (k >= items.size()) return;
        const std::int32_t value = StrToInt(Trim(text));
        if (field == 0) items[k].Color1 = TColor(value);
        if (field == 1) items[k].Color2 = TColor(value);
        if (field == 2) items[k].Percent = std::uint8_t(std::clamp(value, 0, 100));
        if (field == 3) items[k].Mode = value;
    });
    return items;
}

// ---------------------------------------------------------------- loader

TsSkinLoader::TsSkinLoader(TsSkinModel& model, TsSkinManager* manager) : m_model(model), m_manager(manager) {}

void TsSkinLoader::Note(std::string_view section, std::string_view key, std::string message) {
    if (m_report) m_report->push_back({std::string(section), std::string(key), std::move(message)});
}

void TsSkinLoader::NoteRegion(const TsMaskData& mask, std::string_view section, std::string_view key) {
    if (!m_report) return;
    const TRect bounds = mask.Bmp ? mask.Bmp->BoundsRect() : m_model.MasterBitmap.BoundsRect();
    if (mask.R.IsEmpty() || bounds.Contains(mask.R)) return;
    Note(section, key,
         "region (" + std::to_string(mask.R.Left) + ", " + std::to_string(mask.R.Top) + ", " +
             std::to_string(mask.R.Right) + ", " + std::to_string(mask.R.Bottom) +
             ") lies outside its image of " + std::to_string(bounds.Width()) + " x " +
             std::to_string(bounds.Height()) + " pixels");
}

void TsSkinLoader::Load(const TsSkinSource& source) {
    MaskPass(source);
    ExternalImagePass(source);
    SectionPass(source);
}

// ---------------------------------------------------------------- mask pass

void TsSkinLoader::MaskPass(const TsSkinSource& source) {
    m_model.MaskData.clear();
    m_model.MasterBitmap = TBitmap();
    // The first pass starts the load's count: the unpacked package, then every image.
    m_budget = TsSkinLoadBudget(m_budget.Limit());
    if (source.Package) m_budget.Charge(source.Package->UnpackedSize(), "the unpacked package");
    const std::size_t sections = source.Options->Sections().size();
    m_budget.Charge(std::int64_t(sections) * SectionLoadBytes,
                    "the " + std::to_string(sections) + " sections of the options text");
    const TsSkinImageFinder finder(source.Package, source.SkinPath, &m_budget, source.Images);
    LoadMasterBitmap(*source.Options, finder);
    AddMaskEntries(*source.Options, finder, false);
    if (m_common && !m_common->IsEmpty())
        AddMaskEntries(*m_common, TsSkinImageFinder(nullptr, source.SkinPath, &m_budget), true);
}

void TsSkinLoader::ConvertCounted(TBitmap& image, std::string_view name) {
    if (image.PixelFormat() != TPixelFormat::pf24bit)
        m_budget.Charge(BitmapBytes(image.Width(), image.Height(), TPixelFormat::pf24bit),
                        "the 24-bit copy of the image \"" + std::string(name) + "\"");
    ConvertTo24Bits(image);
}

void TsSkinLoader::LoadMasterBitmap(const TacSkinOptions& options, const TsSkinImageFinder& finder) {
    const std::string name = AnsiUpperCase(options.ReadString("GLOBALINFO", "MASTERBITMAP", ""));
    if (name.empty()) return;
    if (auto image = finder.ReadImage(name)) {
        ConvertCounted(*image, name);
        m_model.MasterBitmap = std::move(*image);
    } else {
        Note("GLOBALINFO", "MASTERBITMAP", "image \"" + name + "\": " + finder.LastProblem());
    }
}

void TsSkinLoader::AddMaskEntries(const TacSkinOptions& options, const TsSkinImageFinder& finder,
                                  bool common) {
    const auto& sections = options.Sections();
    for (std::size_t index = 0; index < sections.size(); ++index) {
        const TacSkinOptions::Section& section = sections[index];
        if (common && SameText(section.Name, "GLOBALINFO")) continue;
        for (std::size_t e = 0; e < section.Entries.size(); ++e) {
            const TacSkinOptions::Entry& entry = section.Entries[e];
            if (IsMasterBitmapKey(section.Name, entry.Key)) continue;
            // A key given twice reads the value of its first entry.
            const std::string_view value = options.FirstValue(index, e);
            if (value.empty()) continue;
            const TsImageReference ref =
                WithContext(section.Name, entry.Key, [&] { return ParseImageReference(value, entry.Key); });
            if (ref.Form == TsImageForm::None) continue;
            if (common && ref.Form != TsImageForm::BitmapFile && ref.Form != TsImageForm::Hash) continue;

            std::unique_ptr<TBitmap> own;
            if (ref.Form == TsImageForm::OwnBitmap || ref.Form == TsImageForm::BitmapFile) {
                // The name must end in ".BMP": anywhere else it would let a path pass as a bitmap.
                if (!SameText(ExtractFileExt(ref.FileName), ".BMP")) {
                    Note(section.Name, entry.Key,
                         "image \"" + ref.FileName + "\" is not named as a .BMP file");
                    continue;
                }
                if (HasInvalidImageType(ref)) {
                    Note(section.Name, entry.Key,
                         "image type " + std::to_string(ref.ImageType) +
                             " is not 0, 1 or 2; the entry is skipped");
                    continue;
                }
                auto image = finder.ReadImage(ref.FileName);
                if (!image || image->Width() <= 0) {
                    Note(section.Name, entry.Key, "image \"" + ref.FileName + "\": " + finder.LastProblem());
                    continue;
                }
                if (ref.Form == TsImageForm::BitmapFile || ref.ImgType != TacImgType::itisaTexture)
                    ConvertCounted(*image, ref.FileName);
                own = std::make_unique<TBitmap>(std::move(*image));
            }
            TsMaskData mask = MakeMaskEntry(ref, own ? own->BoundsRect() : TRect{});
            mask.Bmp = std::move(own);
            const bool upperNames = ref.Form == TsImageForm::BitmapFile || ref.Form == TsImageForm::Hash;
            mask.ClassName = upperNames ? AnsiUpperCase(section.Name) : section.Name;
            mask.PropertyName = upperNames ? AnsiUpperCase(entry.Key) : entry.Key;
            mask.Manager = m_manager;
            NoteRegion(mask, section.Name, entry.Key);
            m_model.MaskData.push_back(std::move(mask));
        }
    }
}

// ---------------------------------------------------------------- external image pass

void TsSkinLoader::ExternalImagePass(const TsSkinSource& source) {
    m_model.PatternData.clear();
    AddExternalImages(*source.Options,
                      TsSkinImageFinder(source.Package, source.SkinPath, &m_budget, source.Images), false);
    if (m_common && !m_common->IsEmpty())
        AddExternalImages(*m_common, TsSkinImageFinder(nullptr, source.SkinPath, &m_budget), true);
}

void TsSkinLoader::AddExternalImages(const TacSkinOptions& options, const TsSkinImageFinder& finder,
                                     bool common) {
    const auto& sections = options.Sections();
    for (std::size_t index = 0; index < sections.size(); ++index) {
        const TacSkinOptions::Section& section = sections[index];
        for (std::size_t e = 0; e < section.Entries.size(); ++e) {
            const TacSkinOptions::Entry& entry = section.Entries[e];
            const std::string_view text = options.FirstValue(index, e);
            if (!NamesJpegImage(text)) continue;
            const std::string value = AnsiUpperCase(text);
            std::shared_ptr<const TBitmap> shared = finder.ReadSharedImage(value);
            if (!shared || shared->Width() <= 0) {
                Note(section.Name, entry.Key, "image \"" + value + "\": " + finder.LastProblem());
                continue;
            }
            // External images are never recoloured, so every load of the skin shares them.
            if (common || std::int64_t(shared->Width()) * shared->Height() >= ExternalImageMinPixels) {
                m_model.PatternData.push_back(
                    {std::move(shared), AnsiUpperCase(section.Name), AnsiUpperCase(entry.Key)});
                continue;
            }
            auto image = finder.ReadImage(value);
            TsMaskData mask;
            ConvertCounted(*image, value);
            mask.Bmp = std::make_unique<TBitmap>(std::move(*image));
            mask.ClassName = AnsiUpperCase(section.Name);
            mask.PropertyName = AnsiUpperCase(entry.Key);
            mask.ImgType = TacImgType::itisaTexture;
            mask.ImageCount = 1;
            mask.Manager = m_manager;
            m_model.MaskData.push_back(std::move(mask));
        }
    }
}

// ---------------------------------------------------------------- section pass

namespace {

// Reads the fields of a section record. `readInt` and `readText` answer a key's value or the
// default they are given, which is the record's value so far.
template <typename IntRead, typename TextRead, typename PlainIntRead>
void ReadRecordFields(TsGeneralData& r, IntRead readInt, TextRead readText, PlainIntRead readPlainInt) {
    auto readBool = [&](std::string_view key, bool fallback) {
        return SameText(readText(key, fallback ? "TRUE" : "FALSE"), "TRUE");
    };
    auto readColor = [&](std::string_view key, TColor fallback) {
        return TColor(readInt(key, std::int32_t(fallback)));
    };
    static constexpr const char* FontKeys[] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
    static constexpr const char* HotFontKeys[] = {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT",
                                                  "HOTTCBOTTOM"};
    r.Color = ColorToRGB(readColor("COLOR", r.Color));
    r.Bevel = ToBevel(readInt("BEVEL", std::int32_t(r.Bevel)));
    for (std::size_t i = 0; i < 5; ++i)
        r.FontColor[i] = readInt(FontKeys[i], r.FontColor[i]);
    for (std::size_t i = 0; i < 5; ++i)
        r.HotFontColor[i] = readInt(HotFontKeys[i], r.HotFontColor[i]);
    r.ReservedBoolean = readBool("RESERVEDBOOLEAN", r.ReservedBoolean);
    r.ShadowBlur = readInt("SHADOWBLUR", r.ShadowBlur);
    r.ShadowColor = TColor(readPlainInt("SHADOWCOLOR", std::int32_t(r.ShadowColor)));
    r.ShadowEnabled = readBool("SHADOWENABLED", r.ShadowEnabled);
    r.ShadowOffset = readInt("SHADOWOFFSET", r.ShadowOffset);
    r.ShadowTransparency = readInt("SHADOWTRANSPARENCY", r.ShadowTransparency);
    r.Transparency = readInt("TRANSPARENCY", r.Transparency);
    r.GradientPercent = readInt("GRADIENTPERCENT", r.GradientPercent);
    r.GradientData = readText("GRADIENTDATA", r.GradientData);
    r.ImagePercent = readInt("IMAGEPERCENT", r.ImagePercent);
    r.ShowFocus = readBool("SHOWFOCUS", r.ShowFocus);
    r.FadingEnabled = readBool("FADINGENABLED", r.FadingEnabled);
    r.FadingIntervalIn = readInt("FADINGINTERVALIN", r.FadingIntervalIn);
    r.FadingIntervalOut = readInt("FADINGINTERVALOUT", r.FadingIntervalOut);
    r.FadingIterations = readInt("FADINGITERATIONS", r.FadingIterations);
    r.HotColor = readColor("HOTCOLOR", r.HotColor);
    r.HotTransparency = readInt("HOTTRANSPARENCY", r.HotTransparency);
    r.HotBevel = ToBevel(readInt("HOTBEVEL", std::int32_t(r.HotBevel)));
    r.HotGradientPercent = readInt("HOTGRADIENTPERCENT", r.HotGradientPercent);
    r.HotGradientData = readText("HOTGRADIENTDATA", r.HotGradientData);
    r.HotImagePercent = readInt("HOTIMAGEPERCENT", r.HotImagePercent);
    r.BorderColor1 = readColor("BORDERCOLOR1", r.BorderColor1);
    r.BorderColor2 = readColor("BORDERCOLOR2", r.BorderColor2);
}

// Parses the records' gradient descriptions and charges every record's own copy of each text
// and of its items to the load's budget: the sections that inherit a long description all
// hold it. Such sections follow one another, so the last text of each key is parsed once and
// its items are copied to the next record that holds the same text.
class TGradientParser {
public:
    explicit TGradientParser(TsSkinLoadBudget& budget) : m_budget(budget) {}

    void Parse(TsGeneralData& r) {
        r.GradientArray = ParseKey(r.ClassName, "GRADIENTDATA", r.GradientData, m_last);
        r.HotGradientArray = ParseKey(r.ClassName, "HOTGRADIENTDATA", r.HotGradientData, m_lastHot);
    }

private:
    struct TParsed {
        std::string Text;
        TsGradArray Items;
        bool Valid = false;
    };

    TsGradArray ParseKey(std::string_view section, std::string_view key, const std::string& text,
                         TParsed& last) {
        m_budget.ChargeEach(std::int64_t(text.size()),
                            [&] { return "the text of " + ContextOf(section, key); });
        if (text == " ") return {};
        const bool known = last.Valid && last.Text == text;
        const std::size_t count = known ? last.Items.size() : GradientItemCount(text);
        m_budget.ChargeEach(std::int64_t(count * sizeof(TsGradItem)), [&] {
            return "the " + std::to_string(count) + " gradient items of " + ContextOf(section, key);
        });
        if (known) return last.Items;
        last.Valid = false;
        last.Items = WithContext(section, key, [&] { return ParseGradientData(text); });
        last.Text = text;
        last.Valid = true;
        return last.Items;
    }

    TsSkinLoadBudget& m_budget;
    TParsed m_last;
    TParsed m_lastHot;
};

std::int32_t StrictGlobal(const TacSkinOptions& options, std::string_view key, std::int32_t fallback) {
    const auto value = options.Value("GLOBALINFO", key);
    if (!value) return fallback;
    return WithContext("GLOBALINFO", key, [&] { return StrToInt(*value); });
}

} // namespace

void TsSkinLoader::SectionPass(const TsSkinSource& source) {
    const TacSkinOptions& options = *source.Options;
    ReadGlobalValues(options);
    m_model.GeneralData.clear();
    TsInheritedReader inherited(options);
    if (m_report) CheckParentChains(options, inherited);
    const auto& sections = options.Sections();
    m_model.GeneralData.reserve(sections.size());
    TGradientParser gradients(m_budget);
    for (std::size_t index = 0; index < sections.size(); ++index) {
        const TacSkinOptions::Section& section = sections[index];
        TsGeneralData record;
        record.ClassName = section.Name;
        record.ParentClass = options.ValueIn(index, "PARENTCLASS").value_or("");
        ReadRecordFields(
            record,
            [&](std::string_view key, std::int32_t fallback) {
                return inherited.ReadInteger(index, key, fallback);
            },
            [&](std::string_view key, std::string_view fallback) {
                return inherited.ReadString(index, key, fallback);
            },
            [&](std::string_view key, std::int32_t fallback) {
                const auto value = options.ValueIn(index, key);
                return value && !value->empty() ? StrToIntDef(*value, fallback) : fallback;
            });
        if (m_report) {
            for (const char* key : {"BEVEL", "HOTBEVEL"}) {
                const std::int32_t bevel = inherited.ReadInteger(index, key, 0);
                if (bevel < 0 || bevel > 4)
                    Note(section.Name, key,
                         "bevel " + std::to_string(bevel) + " is not 0..4; no bevel is drawn");
            }
        }
        gradients.Parse(record);
        m_model.GeneralData.push_back(std::move(record));
    }
    if (m_common && !m_common->IsEmpty()) MergeCommonRecords(*m_common);
}

void TsSkinLoader::ReadGlobalValues(const TacSkinOptions& options) {
    TsSkinData& data = m_model.SkinData;
    data.Version = TryStrToFloat(options.ReadString("GLOBALINFO", "VERSION", "0")).value_or(0);
    data.Author = options.ReadString("GLOBALINFO", "AUTHOR", "");
    data.Description = options.ReadString("GLOBALINFO", "DESCRIPTION", "");
    data.Shadow1Color = TColor(options.ReadInteger("GLOBALINFO", "SHADOW1COLOR", 0));
    data.Shadow1Offset = StrictGlobal(options, "SHADOW1OFFSET", 0);
    data.Shadow1Blur = StrictGlobal(options, "SHADOW1BLUR", -1);
    data.Shadow1Transparency = StrictGlobal(options, "SHADOW1TRANSPARENCY", 0);
    data.BISpace = options.ReadInteger("GLOBALINFO", "BISPACE", 0);
    data.BorderColor = TColor(options.ReadInteger("GLOBALINFO", "BORDERCOLOR", 0));
}

void TsSkinLoader::CheckParentChains(const TacSkinOptions& options, const TsInheritedReader& inherited) {
    const auto& sections = options.Sections();
    for (std::size_t index = 0; index < sections.size(); ++index) {
        const std::string& name = sections[index].Name;
        const std::string parent = options.ReadString(name, "PARENTCLASS", "");
        if (parent.empty() || parent == name) continue;
        if (!options.SectionExists(parent))
            Note(name, "PARENTCLASS", "names the missing section \"" + parent + "\"");
        else if (inherited.InLoop()[index])
            Note(name, "PARENTCLASS", "the parent chain loops back to \"" + name + "\"");
    }
}

// ---------------------------------------------------------------- CommonSections merge

void TsSkinLoader::MergeCommonRecords(const TacSkinOptions& common) {
    TGradientParser gradients(m_budget);
    for (const TacSkinOptions::Section& section : common.Sections()) {
        TsGeneralData record;
        const std::string parent = common.ReadString(section.Name, "PARENTCLASS", "");
        if (!parent.empty()) {
            for (const TsGeneralData& loaded : m_model.GeneralData)
                if (SameText(loaded.ClassName, parent)) {
                    record = loaded;
                    break;
                }
        }
        record.ClassName = section.Name;
        record.ParentClass = parent;
        const auto readInt = [&](std::string_view key, std::int32_t fallback) {
            return common.ReadInteger(section.Name, key, fallback);
        };
        ReadRecordFields(
            record, readInt,
            [&](std::string_view key, std::string_view fallback) {
                return common.ReadString(section.Name, key, fallback);
            },
            readInt);
        gradients.Parse(record);
        const int existing = m_model.GetSkinIndex(record.ClassName);
        if (existing >= 0)
            m_model.GeneralData[std::size_t(existing)] = std::move(record);
        else
            m_model.GeneralData.push_back(std::move(record));
    }
}
