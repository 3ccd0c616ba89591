#include "SkinJson.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "skin/SkinStrings.h"

namespace {

// A minimal JSON builder; the caller places commas with Next().
class TJsonText {
public:
    void Raw(std::string_view text) { m_out += text; }
    void Key(std::string_view key) {
        String(key);
        m_out += ':';
    }
    void String(std::string_view text) {
        m_out += '"';
        for (const char ch : text) {
            const auto c = static_cast<unsigned char>(ch);
            if (c == '"' || c == '\\') {
                m_out += '\\';
                m_out += ch;
            } else if (c < 0x20 || c >= 0x80) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
                m_out += escaped;
            } else {
                m_out += ch;
            }
        }
        m_out += '"';
    }
    void Int(long long value) { m_out += std::to_string(value); }
    void Color(std::uint32_t value) { Int(static_cast<std::int32_t>(value)); }
    void Field(std::string_view key, long long value) {
        Key(key);
        Int(value);
        m_out += ',';
    }
    void ColorField(std::string_view key, std::uint32_t value) {
        Key(key);
        Color(value);
        m_out += ',';
    }
    void TextField(std::string_view key, std::string_view value) {
        Key(key);
        String(value);
        m_out += ',';
    }
    void BoolField(std::string_view key, bool value) {
        Key(key);
        m_out += value ? "true," : "false,";
    }
    // Drops a trailing comma before a closing bracket.
    void Close(char bracket) {
        if (!m_out.empty() && m_out.back() == ',') m_out.pop_back();
        m_out += bracket;
        m_out += ',';
    }
    std::string Take() {
        if (!m_out.empty() && m_out.back() == ',') m_out.pop_back();
        return std::move(m_out);
    }

private:
    std::string m_out;
};

void WriteFontColors(TJsonText& json, std::string_view key, const TsFontColors& colors) {
    json.Key(key);
    json.Raw("[");
    for (std::int32_t c : colors) {
        json.Int(c);
        json.Raw(",");
    }
    json.Close(']');
}

void WriteGradient(TJsonText& json, std::string_view key, const TsGradArray& items) {
    json.Key(key);
    json.Raw("[");
    for (const TsGradItem& item : items) {
        json.Raw("[");
        json.Color(item.Color1);
        json.Raw(",");
        json.Color(item.Color2);
        json.Raw("," + std::to_string(item.Percent) + "," + std::to_string(item.Mode) + "],");
    }
    json.Close(']');
}

void WriteSection(TJsonText& json, const TsGeneralData& r) {
    json.Raw("{");
    json.TextField("ParentClass", r.ParentClass);
    json.TextField("ClassName", r.ClassName);
    json.ColorField("Color", r.Color);
    json.Field("Bevel", int(r.Bevel));
    WriteFontColors(json, "FontColor", r.FontColor);
    WriteFontColors(json, "HotFontColor", r.HotFontColor);
    json.BoolField("ReservedBoolean", r.ReservedBoolean);
    json.Field("ShadowBlur", r.ShadowBlur);
    json.ColorField("ShadowColor", r.ShadowColor);
    json.BoolField("ShadowEnabled", r.ShadowEnabled);
    json.Field("ShadowOffset", r.ShadowOffset);
    json.Field("ShadowTransparency", r.ShadowTransparency);
    json.Field("Transparency", r.Transparency);
    json.Field("GradientPercent", r.GradientPercent);
    json.TextField("GradientData", r.GradientData);
    WriteGradient(json, "GradientArray", r.GradientArray);
    json.Field("ImagePercent", r.ImagePercent);
    json.BoolField("ShowFocus", r.ShowFocus);
    json.BoolField("FadingEnabled", r.FadingEnabled);
    json.Field("FadingIntervalIn", r.FadingIntervalIn);
    json.Field("FadingIntervalOut", r.FadingIntervalOut);
    json.Field("FadingIterations", r.FadingIterations);
    json.ColorField("HotColor", r.HotColor);
    json.Field("HotTransparency", r.HotTransparency);
    json.Field("HotBevel", int(r.HotBevel));
    json.Field("HotGradientPercent", r.HotGradientPercent);
    json.TextField("HotGradientData", r.HotGradientData);
    WriteGradient(json, "HotGradientArray", r.HotGradientArray);
    json.Field("HotImagePercent", r.HotImagePercent);
    json.ColorField("BorderColor1", r.BorderColor1);
    json.ColorField("BorderColor2", r.BorderColor2);
    json.Close('}');
}

int BitsPerPixel(const TBitmap& bitmap) {
    return bitmap.BytesPerPixel() * 8;
}

void WriteMask(TJsonText& json, const TsMaskData& m) {
    json.Raw("{");
    json.TextField("ClassName", m.ClassName);
    json.TextField("PropertyName", m.PropertyName);
    json.Key("R");
    json.Raw("[" + std::to_string(m.R.Left) + "," + std::to_string(m.R.Top) + "," +
             std::to_string(m.R.Right) + "," + std::to_string(m.R.Bottom) + "],");
    json.Field("ImageCount", m.ImageCount);
    json.Field("MaskType", m.MaskType);
    json.Field("BorderWidth", m.BorderWidth);
    json.Field("DrawMode", m.DrawMode);
    json.Field("ImgType", int(m.ImgType));
    json.Field("WL", m.WL);
    json.Field("WT", m.WT);
    json.Field("WR", m.WR);
    json.Field("WB", m.WB);
    json.Key("Bmp");
    if (m.Bmp)
        json.Raw("[" + std::to_string(m.Bmp->Width()) + "," + std::to_string(m.Bmp->Height()) + "," +
                 std::to_string(BitsPerPixel(*m.Bmp)) + "]");
    else
        json.Raw("null");
    json.Close('}');
}

} // namespace

std::string ModelToJson(const TsSkinModel& model) {
    TJsonText json;
    const TsSkinData& d = model.SkinData;
    json.Raw("{");
    json.Key("skinData");
    json.Raw("{");
    json.Key("Version");
    json.Raw(FloatToText(d.Version) + ",");
    json.TextField("Author", d.Author);
    json.TextField("Description", d.Description);
    json.ColorField("Shadow1Color", d.Shadow1Color);
    json.Field("Shadow1Offset", d.Shadow1Offset);
    json.Field("Shadow1Blur", d.Shadow1Blur);
    json.Field("Shadow1Transparency", d.Shadow1Transparency);
    json.ColorField("BorderColor", d.BorderColor);
    json.Field("BISpace", d.BISpace);
    json.Close('}');
    json.Key("master");
    json.Raw("[" + std::to_string(model.MasterBitmap.Width()) + "," +
             std::to_string(model.MasterBitmap.Height()) + "],");
    json.Key("sections");
    json.Raw("[");
    for (const TsGeneralData& r : model.GeneralData)
        WriteSection(json, r);
    json.Close(']');
    json.Key("masks");
    json.Raw("[");
    for (const TsMaskData& m : model.MaskData)
        WriteMask(json, m);
    json.Close(']');
    json.Key("externalImages");
    json.Raw("[");
    for (const TsPatternData& p : model.PatternData) {
        json.Raw("{");
        json.TextField("ClassName", p.ClassName);
        json.TextField("PropertyName", p.PropertyName);
        json.Key("size");
        json.Raw("[" + std::to_string(p.Img->Width()) + "," + std::to_string(p.Img->Height()) + "]");
        json.Close('}');
    }
    json.Close(']');
    json.Close('}');
    return json.Take();
}
