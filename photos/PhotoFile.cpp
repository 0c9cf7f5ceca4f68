// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoFile.h"

#include <libexif/exif-data.h>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <memory>

namespace wf {

namespace {

struct ExifDataFree {
    void operator()(ExifData* d) const { exif_data_unref(d); }
};

QString entryText(ExifData* data, ExifIfd ifd, ExifTag tag) {
    ExifEntry* e = exif_content_get_entry(data->ifd[ifd], tag);
    if (e == nullptr) {
        return {};
    }
    char buffer[256] = {};
    exif_entry_get_value(e, buffer, sizeof buffer);
    return QString::fromUtf8(buffer).trimmed();
}

// A GPS coordinate from its three rationals and its reference (N/S, E/W).
QString gpsDegrees(ExifData* data, ExifTag value, ExifTag ref) {
    ExifEntry* e = exif_content_get_entry(data->ifd[EXIF_IFD_GPS], value);
    if (e == nullptr || e->format != EXIF_FORMAT_RATIONAL || e->components < 3) {
        return {};
    }
    const ExifByteOrder order = exif_data_get_byte_order(data);
    double parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const ExifRational r = exif_get_rational(e->data + i * 8, order);
        if (r.denominator == 0) {
            return {};
        }
        parts[i] = double(r.numerator) / double(r.denominator);
    }
    double degrees = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
    const QString side = entryText(data, EXIF_IFD_GPS, ref).toUpper();
    if (side.startsWith(u'S') || side.startsWith(u'W')) {
        degrees = -degrees;
    }
    return QString::number(degrees, 'f', 6);
}

// The family a file's name says it is, and the one its bytes say.
QByteArray formatOfSuffix(const QString& suffix) {
    const QString s = suffix.toLower();
    if (s == QLatin1String("jpg") || s == QLatin1String("jpeg")) {
        return "jpeg";
    }
    if (s == QLatin1String("tif") || s == QLatin1String("tiff")) {
        return "tiff";
    }
    if (s == QLatin1String("png") || s == QLatin1String("webp") || s == QLatin1String("bmp")) {
        return s.toLatin1();
    }
    return {};
}

// A JPEG ends with its end-of-image marker; a cut-off file does not.
bool jpegComplete(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 4) {
        return false;
    }
    f.seek(std::max<qint64>(0, f.size() - 64));
    const QByteArray tail = f.readAll();
    return tail.contains(QByteArray("\xFF\xD9", 2));
}

}  // namespace

PictureExif readExif(const QString& path) {
    PictureExif x;
    std::unique_ptr<ExifData, ExifDataFree> data(
        exif_data_new_from_file(QFile::encodeName(path).constData()));
    if (!data) {
        return x;
    }
    ExifData* d = data.get();
    QString taken = entryText(d, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL);
    if (taken.isEmpty()) {
        taken = entryText(d, EXIF_IFD_0, EXIF_TAG_DATE_TIME);
    }
    x.taken = QDateTime::fromString(taken, QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    x.latitude = gpsDegrees(d, static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE),
                            static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE_REF));
    x.longitude = gpsDegrees(d, static_cast<ExifTag>(EXIF_TAG_GPS_LONGITUDE),
                             static_cast<ExifTag>(EXIF_TAG_GPS_LONGITUDE_REF));
    if (x.latitude.isEmpty() || x.longitude.isEmpty()) {
        x.latitude.clear();
        x.longitude.clear();
    }
    const QString make = entryText(d, EXIF_IFD_0, EXIF_TAG_MAKE);
    const QString model = entryText(d, EXIF_IFD_0, EXIF_TAG_MODEL);
    x.camera = model.startsWith(make) || make.isEmpty() ? model : make + u' ' + model;
    x.lens = entryText(d, EXIF_IFD_EXIF, static_cast<ExifTag>(0xA434));  // LensModel
    if (ExifEntry* e = exif_content_get_entry(d->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION)) {
        if (e->format == EXIF_FORMAT_SHORT && e->components >= 1) {
            const int o = exif_get_short(e->data, exif_data_get_byte_order(d));
            x.orientation = o >= 1 && o <= 8 ? o : 1;
        }
    }
    return x;
}

PhotoFile PhotoFile::inspect(const QString& path) {
    PhotoFile p;
    p.path = path;
    const QFileInfo info(path);
    p.name = info.fileName();
    p.exif.originalName = p.name;
    const auto refuse = [&](const QString& why) {
        p.kind = Kind::Refused;
        p.problem = why;
        return p;
    };
    if (info.isSymLink()) {
        return refuse(tr("is a symbolic link, which is not followed"));
    }
    if (!info.exists() || !info.isFile()) {
        return refuse(tr("is not a file"));
    }
    const QByteArray claimed = formatOfSuffix(info.suffix());
    if (claimed.isEmpty()) {
        return refuse(tr("is not a picture the journal takes (JPEG, PNG, TIFF, WebP or BMP)"));
    }
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            return refuse(tr("cannot be read: %1").arg(f.errorString()));
        }
        if (f.size() == 0) {
            return refuse(tr("is empty"));
        }
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QByteArray actual = reader.format();
    if (actual.isEmpty()) {
        return refuse(tr("is not a picture: %1").arg(reader.errorString()));
    }
    if (actual != claimed) {
        return refuse(tr("is named as %1 but holds %2")
                          .arg(QString::fromLatin1(claimed).toUpper(),
                               QString::fromLatin1(actual).toUpper()));
    }
    if (actual == "jpeg" && !jpegComplete(path)) {
        return refuse(tr("is a damaged JPEG: it ends before the picture does"));
    }
    p.size = reader.size();
    if (!p.size.isValid()) {
        return refuse(tr("has no size: %1").arg(reader.errorString()));
    }
    if (qint64(p.size.width()) * p.size.height() > kMaxPixels) {
        return refuse(tr("is %1 \u00d7 %2 pixels, over 100 megapixels")
                          .arg(p.size.width())
                          .arg(p.size.height()));
    }
    reader.setScaledSize(p.size.scaled(QSize(kThumbnail, kThumbnail) * 2, Qt::KeepAspectRatio));
    QImage thumb = reader.read();
    if (thumb.isNull()) {
        return refuse(tr("cannot be decoded: %1").arg(reader.errorString()));
    }
    p.thumbnail =
        thumb.scaled(QSize(kThumbnail, kThumbnail), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    p.kind = actual == "jpeg" ? Kind::Jpeg : Kind::Convert;
    if (p.kind == Kind::Jpeg) {
        const QString original = p.exif.originalName;
        p.exif = readExif(path);
        p.exif.originalName = original;
    }
    return p;
}

}  // namespace wf
