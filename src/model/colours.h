#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace redewerk {

// A colour as the settings file stores it: 0x00BBGGRR (red in the lowest byte), or, with the
// top byte 0xFF, a system colour whose index stands in the lowest byte.
using TColour = uint32_t;

constexpr TColour MakeColour(int red, int green, int blue) {
    return static_cast<TColour>(red) | static_cast<TColour>(green) << 8 |
           static_cast<TColour>(blue) << 16;
}
constexpr int ColourRed(TColour colour) {
    return static_cast<int>(colour & 0xFF);
}
constexpr int ColourGreen(TColour colour) {
    return static_cast<int>(colour >> 8 & 0xFF);
}
constexpr int ColourBlue(TColour colour) {
    return static_cast<int>(colour >> 16 & 0xFF);
}
constexpr bool IsSystemColour(TColour colour) {
    return (colour & 0xFF000000u) == 0xFF000000u;
}
constexpr int SystemColourIndex(TColour colour) {
    return static_cast<int>(colour & 0xFF);
}
constexpr TColour SystemColour(int index) {
    return 0xFF000000u | static_cast<TColour>(index);
}

// The system colours the program itself uses.
inline constexpr TColour kClWindow = SystemColour(5);
inline constexpr TColour kClWindowText = SystemColour(8);
inline constexpr TColour kClBtnFace = SystemColour(15);

// The colour's name ("clGray", "clWindow", ...) when one has exactly its value, else "$"
// and eight upper-case hexadecimal digits.
std::string ColourToText(TColour colour);
// A colour name (any letter case), or an integer: decimal, or hexadecimal after "$" or "0x".
bool ColourFromText(std::string_view text, TColour& colour);

// The twelve colour classes of the editors, in the order of the colour dialog.
enum TColourClass : int {
    clBack,
    clDef,
    clDelimiter,
    clC_INFO,
    clC_NPC,
    clClasses,
    clTypes,
    clStrings,
    clConst,
    clDiaHero,
    clDiaNpc,
    clComment,
};
inline constexpr int kColourClassCount = 12;

// What the program knows of one colour class: where the settings keep it, how the colour
// dialog names it and its colour on a first start.
struct TColourClassInfo {
    const char* Key;     // the settings key: "clBack", ...
    const char* Caption; // the caption in the colour dialog (Windows-1252)
    TColour Default;
    bool Stored; // "Konstanten" lives only for the run
};

const TColourClassInfo& ColourClassInfo(TColourClass colourClass);

using TColourTable = std::array<TColour, kColourClassCount>;
TColourTable DefaultColours();

} // namespace redewerk
