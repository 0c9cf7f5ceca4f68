// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThumbnailCache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QStandardPaths>

#include "PhotoFile.h"

namespace wf {

ThumbnailCache::ThumbnailCache(QString folder) : folder_(std::move(folder)) {}

QString ThumbnailCache::defaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("thumbnails"));
}

QString ThumbnailCache::keyOf(const QString& picturePath) {
    const QFileInfo info(picturePath);
    if (!info.isFile()) {
        return {};
    }
    const QByteArray id = (info.fileName() + u'\n' + QString::number(info.size()) + u'\n' +
                           QString::number(info.lastModified().toMSecsSinceEpoch()))
                              .toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex());
}

QString ThumbnailCache::pathFor(const QString& key) const {
    return QDir(folder_).filePath(key + QStringLiteral(".png"));
}

QImage ThumbnailCache::cached(const QString& picturePath) const {
    const QString key = keyOf(picturePath);
    return key.isEmpty() ? QImage() : QImage(pathFor(key));
}

QImage ThumbnailCache::thumbnail(const QString& picturePath) const {
    const QString key = keyOf(picturePath);
    if (key.isEmpty() || QFileInfo(picturePath).isSymLink()) {
        return {};
    }
    QImage image(pathFor(key));
    if (!image.isNull()) {
        return image;
    }
    QImageReader reader(picturePath);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (!full.isValid() || qint64(full.width()) * full.height() > PhotoFile::kMaxPixels) {
        return {};
    }
    reader.setScaledSize(full.scaled(QSize(kSize, kSize) * 2, Qt::KeepAspectRatio));
    image = reader.read();
    if (image.isNull()) {
        return {};
    }
    image = image.scaled(QSize(kSize, kSize), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // Written whole under a name of its own, then put in place: a reader on
    // another thread never sees half a file.
    if (QDir().mkpath(folder_)) {
        QSaveFile file(pathFor(key));
        if (file.open(QIODevice::WriteOnly) && image.save(&file, "PNG")) {
            file.commit();
        }
    }
    return image;
}

}  // namespace wf
