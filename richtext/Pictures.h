// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QTextFormat>

#include "RtfParser.h"

class QTextCursor;
class QTextDocument;
class QTextImageFormat;

namespace wf::rtf {

// Pictures in an article's text. Each is an image character whose format
// keeps the picture as the RTF carries it (its bytes, kind and sizes), so
// that it is written back exactly as it was read; the document holds the
// image it shows (for a metafile, a box of its size).
namespace pictures {

// The format properties that keep the picture.
constexpr int kKind = QTextFormat::UserProperty + 40;       // QString: "pngblip", ...
constexpr int kKindParam = QTextFormat::UserProperty + 41;  // int
constexpr int kData = QTextFormat::UserProperty + 42;       // QByteArray
constexpr int kPicWidth = QTextFormat::UserProperty + 43;   // int: \picw
constexpr int kPicHeight = QTextFormat::UserProperty + 44;  // int: \pich
constexpr int kGoalWidth = QTextFormat::UserProperty + 45;  // int: twips
constexpr int kGoalHeight = QTextFormat::UserProperty + 46;

// A picture pasted or dropped is kept at most this many pixels wide.
constexpr int kMaxStoredWidth = 1600;

// Inserts a picture read from RTF at the cursor, shown at its goal size.
void insert(QTextCursor& cursor, const Picture& picture);
// Inserts a new picture at the cursor: scaled to at most kMaxStoredWidth
// pixels wide, kept as PNG when it has transparency and as JPEG otherwise,
// and shown at most maxShownWidth pixels wide.
void insert(QTextCursor& cursor, const QImage& image, int maxShownWidth);
// The picture an image character keeps; for an image the document holds
// without one (put in by other means), a PNG of it.
Picture fromFormat(const QTextImageFormat& format, const QTextDocument& doc);
// Shows every picture of the document (that the RTF brought or that was
// inserted here) at most width pixels wide, at its goal size when that
// fits; the pictures as kept do not change.
void fitToWidth(QTextDocument& doc, int width);

}  // namespace pictures

}  // namespace wf::rtf
