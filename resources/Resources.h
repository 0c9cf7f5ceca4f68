// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace wf {

// Path of the shipped world list of bird species (AviList v2025) inside the
// program's compiled-in resources.
QString worldListPath();

// The continent of each ISO 3166-1 country code (country_code,continent).
QString continentsPath();

// Attribution the world list's licence asks the program to show.
QString worldListAttribution();

}  // namespace wf
