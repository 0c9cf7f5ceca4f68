// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArticleEdit.h"

#include <QImageReader>
#include <QMimeData>
#include <QScrollBar>
#include <QTextDocument>
#include <QUrl>

#include "Pictures.h"

namespace wf {

namespace {

// The image files among a drop's addresses, read upright.
std::vector<QImage> imageFiles(const QMimeData* source) {
    std::vector<QImage> out;
    if (!source->hasUrls()) {
        return out;
    }
    for (const QUrl& url : source->urls()) {
        if (!url.isLocalFile()) {
            continue;
        }
        QImageReader reader(url.toLocalFile());
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        if (!image.isNull()) {
            out.push_back(image);
        }
    }
    return out;
}

}  // namespace

ArticleEdit::ArticleEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);  // pasted text comes in plain
}

int ArticleEdit::pictureWidth() const {
    const int margins =
        int(2 * document()->documentMargin()) + verticalScrollBar()->sizeHint().width();
    return std::max(32, viewport()->width() - margins);
}

void ArticleEdit::insertPicture(const QImage& image) {
    QTextCursor at = textCursor();
    // A picture wider than half the box starts a paragraph: after text on
    // the same line it would wrap and leave a gap of its height above it.
    at.beginEditBlock();
    if (image.width() > pictureWidth() / 2 && !at.atBlockStart()) {
        at.insertBlock();
    }
    rtf::pictures::insert(at, image, pictureWidth());
    at.endEditBlock();
    setTextCursor(at);
}

bool ArticleEdit::canInsertFromMimeData(const QMimeData* source) const {
    if (source->hasImage()) {
        return true;
    }
    // Asked at every move of a drag: the files' headers are looked at, not
    // their pictures read.
    if (source->hasUrls()) {
        for (const QUrl& url : source->urls()) {
            if (url.isLocalFile() && QImageReader(url.toLocalFile()).canRead()) {
                return true;
            }
        }
    }
    return QTextEdit::canInsertFromMimeData(source);
}

void ArticleEdit::insertFromMimeData(const QMimeData* source) {
    if (source->hasImage()) {
        insertPicture(qvariant_cast<QImage>(source->imageData()));
        return;
    }
    if (const std::vector<QImage> files = imageFiles(source); !files.empty()) {
        for (const QImage& image : files) {
            insertPicture(image);
        }
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

}  // namespace wf
