#include "render/KindCodes.h"

#include <initializer_list>

namespace {

struct KindSection {
    std::initializer_list<std::int32_t> Kinds;
    const char* Section;
};

// Ranges are written out as their members so the table reads like the list it is.
const KindSection DefaultSections[] = {
    {{2, 3, 4, 5, 6, 7, 8, 10, 41, 76, 78, 83, 84, 96, 97, 131, 140, 227}, "EDIT"},
    {{11, 12, 13, 14, 15, 16, 17, 18, 81, 82}, "COMBOBOX"},
    {{19}, "BAR"},
    {{20}, "BARTITLE"},
    {{32, 152}, "CHECKBOX"},
    {{33}, "RADIOBUTTON"},
    {{51, 59, 68, 73}, "PANEL"},
    {{52, 58}, "PANEL_LOW"},
    {{53, 54, 60}, "TOOLBAR"},
    {{56}, "DRAGBAR"},
    {{57}, "TABSHEET"},
    {{74, 226}, "GROUPBOX"},
    {{75}, "SPLITTER"},
    {{92, 95}, "SPEEDBUTTON"},
    {{93, 94}, "BUTTON"},
    {{98}, "TOOLBUTTON"},
    {{141, 143}, "PAGECONTROL"},
    {{151}, "STATUSBAR"},
    {{161}, "GAUGE"},
    {{165}, "TRACKBAR"},
};

} // namespace

std::string DefaultSectionForKind(std::int32_t kind, const std::string& ownerClassName) {
    for (const KindSection& entry : DefaultSections)
        for (std::int32_t k : entry.Kinds)
            if (k == kind) return entry.Section;
    return ownerClassName;
}

bool IsNoHoverKind(std::int32_t kind) {
    return (kind >= 51 && kind <= 74) || kind == 110 || (kind >= 141 && kind <= 161);
}
