// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG files with EXIF, as a camera writes them: for the tests, the
// benchmarks and the screenshots.
#pragma once

#include <libexif/exif-data.h>

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <cmath>
#include <cstring>

namespace wf::test {

struct CameraExif {
    QDateTime taken;
    double latitude = 0;  // used when hasGps
    double longitude = 0;
    bool hasGps = false;
    int orientation = 1;
};

namespace detail {

inline ExifEntry* addEntry(ExifData* data, ExifIfd ifd, ExifTag tag, ExifFormat format,
                           unsigned long components) {
    ExifMem* mem = exif_mem_new_default();
    ExifEntry* e = exif_entry_new_mem(mem);
    const unsigned size = exif_format_get_size(format) * unsigned(components);
    e->data = static_cast<unsigned char*>(exif_mem_alloc(mem, size));
    e->size = size;
    e->tag = tag;
    e->components = components;
    e->format = format;
    exif_content_add_entry(data->ifd[ifd], e);
    exif_mem_unref(mem);
    exif_entry_unref(e);
    return e;
}

inline void setAscii(ExifData* data, ExifIfd ifd, ExifTag tag, const char* text) {
    ExifEntry* e = addEntry(data, ifd, tag, EXIF_FORMAT_ASCII, std::strlen(text) + 1);
    std::memcpy(e->data, text, std::strlen(text) + 1);
}

inline void setDegrees(ExifData* data, ExifTag tag, ExifTag refTag, double value, char pos,
                       char neg) {
    ExifEntry* e = addEntry(data, EXIF_IFD_GPS, tag, EXIF_FORMAT_RATIONAL, 3);
    const double a = std::fabs(value);
    const int deg = int(a);
    const int min = int((a - deg) * 60);
    const double sec = (a - deg - min / 60.0) * 3600;
    const ExifByteOrder order = exif_data_get_byte_order(data);
    exif_set_rational(e->data, order, {ExifLong(deg), 1});
    exif_set_rational(e->data + 8, order, {ExifLong(min), 1});
    exif_set_rational(e->data + 16, order, {ExifLong(std::lround(sec * 1000)), 1000});
    const char ref[2] = {value < 0 ? neg : pos, 0};
    setAscii(data, EXIF_IFD_GPS, refTag, ref);
}

}  // namespace detail

// A JPEG file's bytes with the EXIF put in an APP1 segment after its start.
inline QByteArray withExif(const QByteArray& jpeg, const CameraExif& x) {
    ExifData* data = exif_data_new();
    exif_data_set_byte_order(data, EXIF_BYTE_ORDER_INTEL);
    if (x.taken.isValid()) {
        detail::setAscii(data, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL,
                         x.taken.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")).toLatin1());
    }
    detail::setAscii(data, EXIF_IFD_0, EXIF_TAG_MAKE, "Canon");
    detail::setAscii(data, EXIF_IFD_0, EXIF_TAG_MODEL, "Canon EOS R7");
    ExifEntry* o = detail::addEntry(data, EXIF_IFD_0, EXIF_TAG_ORIENTATION, EXIF_FORMAT_SHORT, 1);
    exif_set_short(o->data, exif_data_get_byte_order(data), ExifShort(x.orientation));
    if (x.hasGps) {
        detail::setDegrees(data, static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE),
                           static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE_REF), x.latitude, 'N', 'S');
        detail::setDegrees(data, static_cast<ExifTag>(EXIF_TAG_GPS_LONGITUDE),
                           static_cast<ExifTag>(EXIF_TAG_GPS_LONGITUDE_REF), x.longitude, 'E', 'W');
    }
    unsigned char* bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data, &bytes, &size);
    exif_data_unref(data);
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((size + 2) >> 8)).append(char((size + 2) & 0xFF));
    app1.append(reinterpret_cast<const char*>(bytes), int(size));
    free(bytes);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

// A JPEG of the picture with the EXIF in an APP1 segment after its start.
inline QByteArray jpegWithExif(const QImage& picture, const CameraExif& x) {
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPG", 90);
    }
    return withExif(jpeg, x);
}

}  // namespace wf::test
