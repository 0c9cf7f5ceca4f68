// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <Qt>
#include <vector>

namespace wf {

// Window lengths are designed in twips: 1440 to the inch, so 15 to a pixel
// at 96 dpi. logicalDpi scales them for the screen.
inline int twipsToPixels(double twips, double logicalDpi = 96.0) {
    return int(twips * logicalDpi / 1440.0 + (twips >= 0 ? 0.5 : -0.5));
}

inline double pixelsToTwips(int pixels, double logicalDpi = 96.0) {
    return pixels * 1440.0 / logicalDpi;
}

// One column of a grid's format string: "<Date  |State/Prov   |..." gives
// the header text (blanks kept) and the alignment ('<' left, '^' centre,
// '>' right; none means the grid's default, right for text headers).
struct GridColumn {
    QString header;
    Qt::Alignment alignment = Qt::AlignRight;
};

std::vector<GridColumn> parseGridFormat(const QString& format);

}  // namespace wf
