// SPDX-License-Identifier: GPL-3.0-or-later
#include "Resources.h"

namespace wf {

QString worldListPath() {
    return QStringLiteral(":/wingfolio/world-birds.csv");
}

QString continentsPath() {
    return QStringLiteral(":/wingfolio/continents.csv");
}

QString worldListAttribution() {
    return QStringLiteral(
        "Bird species list: AviList Core Team. 2025. AviList: The Global Avian Checklist, "
        "v2025. https://doi.org/10.2173/avilist.v2025 \u2014 licensed under CC BY 4.0 "
        "(https://creativecommons.org/licenses/by/4.0/). Changed: only species-rank rows, "
        "with their sequence, English name, scientific name, order and family, are included.");
}

}  // namespace wf
