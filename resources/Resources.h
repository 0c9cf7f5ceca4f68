// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace wf {

// Path of the shipped world list of bird species (AviList v2025) inside the
// program's compiled-in resources.
QString worldListPath();

// Attribution the world list's licence asks the program to show.
QString worldListAttribution();

}  // namespace wf
