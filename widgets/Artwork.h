// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace wf::artwork {

// The program's pictures, drawn in code so that they scale and need no files.

// The splash picture: sky, a bird in flight, the name and the version.
QPixmap splash(const QSize& size = QSize(480, 300));
// The product's picture of the about box: the bird alone on its sky.
QPixmap productPicture(int side = 96);
// The window icon.
QIcon appIcon();

// Toolbar and tree pictures by name: "Sighting", "Article", "Image", "Link",
// "Edit", "Delete", "Related", "Internet", "Back", "Forward", "Stop",
// "Refresh", "Home", "Search", and for the article editor "Font", "Cut",
// "Copy", "Paste", "Bold", "Italic", "Underline", "Left", "Center", "Right".
// An unknown name gives an empty icon.
QIcon icon(const QString& name, int side = 24);
// The same picture in the "mixed" look of a toolbar button whose selection
// is partly on and partly off.
QIcon mixedIcon(const QString& name, int side = 24);

}  // namespace wf::artwork
