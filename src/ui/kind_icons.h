#pragma once

#include <QIcon>
#include <vector>

namespace redewerk {

// The tree's images, drawn at start-up: index 0 folder, 1 Dialog, 2 Event, 3 Dialogoption,
// 4 Code, so that a node's image index is its element kind.
std::vector<QIcon> MakeKindIcons();

} // namespace redewerk
