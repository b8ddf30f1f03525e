#include "ui/palette_colours.h"

namespace redewerk {
namespace {

QPalette::ColorRole SystemRole(int index) {
    switch (index) {
    case 5: // clWindow
        return QPalette::Base;
    case 8: // clWindowText
        return QPalette::Text;
    case 13: // clHighlight
    case 29: // clMenuHighlight
        return QPalette::Highlight;
    case 14: // clHighlightText
        return QPalette::HighlightedText;
    case 15: // clBtnFace
    case 30: // clMenuBar
        return QPalette::Button;
    case 18: // clBtnText
        return QPalette::ButtonText;
    case 16: // clBtnShadow
    case 12: // clAppWorkSpace
        return QPalette::Mid;
    case 20: // clBtnHighlight
        return QPalette::Light;
    case 21: // cl3DDkShadow
    case 6:  // clWindowFrame
        return QPalette::Shadow;
    case 22: // cl3DLight
        return QPalette::Midlight;
    case 23: // clInfoText
        return QPalette::ToolTipText;
    case 24: // clInfoBk
        return QPalette::ToolTipBase;
    case 26: // clHotLight
        return QPalette::Link;
    case 7:  // clMenuText
    case 9:  // clCaptionText
    case 19: // clInactiveCaptionText
        return QPalette::WindowText;
    default: // scroll bar, desktop, captions, menus, borders
        return QPalette::Window;
    }
}

} // namespace

QColor ToQColor(TColour colour, const QPalette& palette) {
    if (IsSystemColour(colour)) {
        const int index = SystemColourIndex(colour);
        if (index == 17) return palette.color(QPalette::Disabled, QPalette::Text); // clGrayText
        return palette.color(QPalette::Active, SystemRole(index));
    }
    if (colour == 0x1FFFFFFF || colour == 0x20000000) // clNone, clDefault
        return palette.color(QPalette::Active, QPalette::Base);
    return QColor(ColourRed(colour), ColourGreen(colour), ColourBlue(colour));
}

TColour FromQColor(const QColor& colour) {
    return MakeColour(colour.red(), colour.green(), colour.blue());
}

} // namespace redewerk
