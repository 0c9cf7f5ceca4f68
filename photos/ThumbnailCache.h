// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace wf {

// Thumbnails of the journal's pictures, drawn upright and kept in a cache
// folder (the user's cache location), each under a key made of its file's
// name, size and time: a changed file gets a new one. Safe to use from
// several threads at once.
class ThumbnailCache {
  public:
    static constexpr int kSize = 128;

    // folder: where the thumbnails are kept; made when first written.
    explicit ThumbnailCache(QString folder);
    // The cache folder under the user's cache location.
    static QString defaultFolder();

    // The key of a picture file; empty when it cannot be read.
    static QString keyOf(const QString& picturePath);
    // The thumbnail kept for the file, or a null image.
    QImage cached(const QString& picturePath) const;
    // The thumbnail kept, or made now from the file and kept; a null image
    // for a file that is no picture, a symbolic link, or over 100 megapixels.
    QImage thumbnail(const QString& picturePath) const;

  private:
    QString pathFor(const QString& key) const;

    QString folder_;
};

}  // namespace wf
