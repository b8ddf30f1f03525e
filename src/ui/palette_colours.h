#pragma once

#include "model/colours.h"

#include <QColor>
#include <QPalette>

namespace redewerk {

// The concrete colour of a settings colour: plain colours as they are, system colours
// (clWindow, clBtnFace, ...) from the platform's palette.
QColor ToQColor(TColour colour, const QPalette& palette);
TColour FromQColor(const QColor& colour);

} // namespace redewerk
