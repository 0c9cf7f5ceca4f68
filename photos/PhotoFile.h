// SPDX-License-Identifier: GPL-3.0-or-later
// A picture file offered for import, looked at before anything is stored:
// whether the journal can take it (and how), what its EXIF says, and a
// thumbnail drawn upright.
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

#include "Types.h"

namespace wf {

struct PhotoFile {
    Q_DECLARE_TR_FUNCTIONS(wf::PhotoFile)

  public:
    enum class Kind {
        Jpeg,     // stored byte for byte
        Convert,  // PNG, TIFF, WebP, BMP: written as JPEG
        Refused,  // problem says why
    };
    // Anything larger is refused before it is decoded.
    static constexpr qint64 kMaxPixels = 100'000'000;
    static constexpr int kThumbnail = 160;

    QString path;
    QString name;  // the file's name, as the review table shows it
    Kind kind = Kind::Refused;
    QString problem;
    QSize size;  // as stored, before any turn the EXIF asks for
    PictureExif exif;
    QImage thumbnail;  // upright, at most kThumbnail square

    // Looks at the file: the checks run cheapest first and stop at the first
    // that fails, which problem names.
    static PhotoFile inspect(const QString& path);
    bool ok() const { return kind != Kind::Refused; }
};

// What a JPEG file's EXIF says: date taken, GPS position, camera, lens and
// orientation. Missing fields stay empty; an unreadable EXIF says nothing.
PictureExif readExif(const QString& path);

}  // namespace wf
