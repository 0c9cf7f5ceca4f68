// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <utility>

#include "Types.h"

class QComboBox;

namespace wf {

struct AppState;

// An "Area" box: World, then each active area that is set (region,
// country, state, district), by its place name. The choice made before is
// kept when it is still there.
void fillAreaBox(QComboBox* box, const AppState& state);
// The area and place chosen in a box filled by fillAreaBox.
std::pair<Area, QString> chosenArea(const QComboBox* box);

}  // namespace wf
