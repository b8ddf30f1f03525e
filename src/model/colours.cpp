#include "model/colours.h"

#include "model/cp1252.h"
#include "model/ini_file.h"

#include <cstdio>

namespace redewerk {
namespace {

// A colour that the settings file may name instead of giving its number.
struct TNamedColour {
    const char* Name;
    TColour Value;
};

// In the order in which a value is looked up: the first name with the value wins.
constexpr TNamedColour kNamedColours[] = {
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", SystemColour(0)},
    {"clBackground", SystemColour(1)},
    {"clActiveCaption", SystemColour(2)},
    {"clInactiveCaption", SystemColour(3)},
    {"clMenu", SystemColour(4)},
    {"clWindow", SystemColour(5)},
    {"clWindowFrame", SystemColour(6)},
    {"clMenuText", SystemColour(7)},
    {"clWindowText", SystemColour(8)},
    {"clCaptionText", SystemColour(9)},
    {"clActiveBorder", SystemColour(10)},
    {"clInactiveBorder", SystemColour(11)},
    {"clAppWorkSpace", SystemColour(12)},
    {"clHighlight", SystemColour(13)},
    {"clHighlightText", SystemColour(14)},
    {"clBtnFace", SystemColour(15)},
    {"clBtnShadow", SystemColour(16)},
    {"clGrayText", SystemColour(17)},
    {"clBtnText", SystemColour(18)},
    {"clInactiveCaptionText", SystemColour(19)},
    {"clBtnHighlight", SystemColour(20)},
    {"cl3DDkShadow", SystemColour(21)},
    {"cl3DLight", SystemColour(22)},
    {"clInfoText", SystemColour(23)},
    {"clInfoBk", SystemColour(24)},
    {"clHotLight", SystemColour(26)},
    {"clGradientActiveCaption", SystemColour(27)},
    {"clGradientInactiveCaption", SystemColour(28)},
    {"clMenuHighlight", SystemColour(29)},
    {"clMenuBar", SystemColour(30)},
};

constexpr TColourClassInfo kColourClasses[kColourClassCount] = {
    {"clBack", "Hintergrund", kClWindow, true},
    {"clDef", "Text", kClWindowText, true},
    {"clDelimiter", "Trennzeichen", 0x00808080, true},
    {"clC_INFO", "C_INFO-Attribute", MakeColour(255, 140, 0), true},
    {"clC_NPC", "C_NPC-Attribute", 0x00FF00FF, true},
    {"clClasses", "Klassenbezeichner", 0x000000FF, true},
    {"clTypes", "Schl\xFCsselw\xF6rter", 0x00FF0000, true},
    {"clStrings", "Strings", 0x00800080, true},
    {"clConst", "Konstanten", 0x00808000, false},
    {"clDiaHero", "Heldendialog", MakeColour(170, 68, 0), true},
    {"clDiaNpc", "Npc-Dialog", MakeColour(68, 0, 170), true},
    {"clComment", "Kommentare", 0x00008000, true},
};

} // namespace

std::string ColourToText(TColour colour) {
    for (const TNamedColour& named : kNamedColours)
        if (named.Value == colour) return named.Name;
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", colour);
    return text;
}

bool ColourFromText(std::string_view text, TColour& colour) {
    for (const TNamedColour& named : kNamedColours) {
        if (EqualsNoCaseAscii(named.Name, text)) {
            colour = named.Value;
            return true;
        }
    }
    int32_t value = 0;
    if (!ParseIniInteger(text, value)) return false;
    colour = static_cast<TColour>(value);
    return true;
}

const TColourClassInfo& ColourClassInfo(TColourClass colourClass) {
    return kColourClasses[colourClass];
}

TColourTable DefaultColours() {
    TColourTable table{};
    for (int i = 0; i < kColourClassCount; ++i)
        table[static_cast<size_t>(i)] = kColourClasses[i].Default;
    return table;
}

} // namespace redewerk
