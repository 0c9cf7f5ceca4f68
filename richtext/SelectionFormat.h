// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <Qt>
#include <optional>

class QTextCursor;

namespace wf::rtf {

// On, off, or different across the selection.
enum class Tri { Off, On, Mixed };

// The formatting of a selection, each attribute with its one value or none
// (std::nullopt, or Tri::Mixed) when the selection holds several.
struct SelectionFormat {
    Tri bold = Tri::Off;
    Tri italic = Tri::Off;
    Tri underline = Tri::Off;
    Tri strike = Tri::Off;
    std::optional<Qt::Alignment> alignment;  // Left, HCenter, Right or Justify
    std::optional<QString> fontFamily;
    std::optional<qreal> pointSize;
    std::optional<QColor> color;  // invalid colour: the automatic text colour
};

// The formatting of the cursor's selection; without one, the formatting that
// typing at the cursor would get.
SelectionFormat selectionFormat(const QTextCursor& cursor);

// Apply one value to the selection (or to what is typed next at the cursor).
void applyBold(QTextCursor& cursor, bool on);
void applyItalic(QTextCursor& cursor, bool on);
void applyUnderline(QTextCursor& cursor, bool on);
void applyStrike(QTextCursor& cursor, bool on);
void applyFontFamily(QTextCursor& cursor, const QString& family);
void applyPointSize(QTextCursor& cursor, qreal size);
void applyColor(QTextCursor& cursor, const QColor& color);
// Sets the alignment of every paragraph the selection touches.
void applyAlignment(QTextCursor& cursor, Qt::Alignment alignment);

}  // namespace wf::rtf
