// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pictures.h"
#include "Tr.h"

#include <QBuffer>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <atomic>

namespace wf::rtf::pictures {

namespace {

// 15 twips make a pixel at 96 dots an inch; a metafile's 0.01 mm, 96/2540.
constexpr double kTwipsPerPixel = 15.0;

QUrl newName() {
    static std::atomic<int> next{1};
    return QUrl(QStringLiteral("wingfolio-picture:%1").arg(next++));
}

bool isBitmap(const QString& kind) {
    return kind == QLatin1String("pngblip") || kind == QLatin1String("jpegblip");
}

// What a picture that cannot be drawn shows: a box of its size, named.
QImage placeholder(QSize size, const QString& kind) {
    QImage box(size.expandedTo(QSize(16, 16)), QImage::Format_RGB32);
    box.fill(QColor(0xf2, 0xf2, 0xf2));
    QPainter p(&box);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(box.rect().adjusted(0, 0, -1, -1));
    p.drawText(box.rect(), Qt::AlignCenter,
               kind.contains(QLatin1String("emf")) || kind.contains(QLatin1String("meta"))
                   ? wf::tr("Picture (metafile)")
                   : wf::tr("Picture"));
    return box;
}

// The size a picture is shown at, in pixels.
QSizeF shownSize(const Picture& p, QSize natural) {
    double w = p.goalWidth > 0 ? p.goalWidth / kTwipsPerPixel : 0;
    double h = p.goalHeight > 0 ? p.goalHeight / kTwipsPerPixel : 0;
    if (w <= 0 || h <= 0) {
        if (isBitmap(p.kind) && !natural.isEmpty()) {
            w = natural.width();
            h = natural.height();
        } else {
            w = p.picw * 96.0 / 2540.0;  // a metafile's size is in 0.01 mm
            h = p.pich * 96.0 / 2540.0;
        }
    }
    w = w * p.scaleX / 100.0;
    h = h * p.scaleY / 100.0;
    if (w < 1 || h < 1) {
        return QSizeF(natural.isEmpty() ? QSize(64, 48) : natural);
    }
    return {w, h};
}

void insertFormat(QTextCursor& cursor, const Picture& p, const QImage& shown, QSizeF size) {
    QTextDocument* doc = cursor.document();
    const QUrl name = newName();
    doc->addResource(QTextDocument::ImageResource, name, shown);
    QTextImageFormat f;
    f.setName(name.toString());
    f.setWidth(size.width());
    f.setHeight(size.height());
    f.setProperty(kKind, p.kind);
    f.setProperty(kKindParam, p.kindParam);
    f.setProperty(kData, p.data);
    f.setProperty(kPicWidth, p.picw);
    f.setProperty(kPicHeight, p.pich);
    f.setProperty(kGoalWidth, p.goalWidth);
    f.setProperty(kGoalHeight, p.goalHeight);
    cursor.insertImage(f);
}

}  // namespace

void insert(QTextCursor& cursor, const Picture& picture) {
    QImage image;
    if (isBitmap(picture.kind)) {
        image.loadFromData(picture.data);
    }
    Picture p = picture;
    if (!image.isNull()) {
        p.picw = p.picw > 0 ? p.picw : image.width();
        p.pich = p.pich > 0 ? p.pich : image.height();
    }
    const QSizeF size = shownSize(p, image.size());
    if (image.isNull()) {
        image = placeholder(size.toSize(), p.kind);
    }
    insertFormat(cursor, p, image, size);
}

void insert(QTextCursor& cursor, const QImage& image, int maxShownWidth) {
    if (image.isNull()) {
        return;
    }
    QImage kept = image.width() > kMaxStoredWidth
                      ? image.scaledToWidth(kMaxStoredWidth, Qt::SmoothTransformation)
                      : image;
    Picture p;
    const bool clear = kept.hasAlphaChannel();
    QBuffer out(&p.data);
    out.open(QIODevice::WriteOnly);
    if (clear) {
        kept.save(&out, "PNG");
        p.kind = QStringLiteral("pngblip");
    } else {
        kept = kept.convertToFormat(QImage::Format_RGB32);
        kept.save(&out, "JPG", 90);
        p.kind = QStringLiteral("jpegblip");
    }
    p.picw = kept.width();
    p.pich = kept.height();
    QSizeF size(kept.size());
    if (maxShownWidth > 0 && size.width() > maxShownWidth) {
        size = QSizeF(maxShownWidth, size.height() * maxShownWidth / size.width());
    }
    p.goalWidth = int(std::lround(size.width() * kTwipsPerPixel));
    p.goalHeight = int(std::lround(size.height() * kTwipsPerPixel));
    insertFormat(cursor, p, kept, size);
}

Picture fromFormat(const QTextImageFormat& f, const QTextDocument& doc) {
    Picture p;
    if (f.hasProperty(kData)) {
        p.kind = f.stringProperty(kKind);
        p.kindParam = f.intProperty(kKindParam);
        p.data = f.property(kData).toByteArray();
        p.picw = f.intProperty(kPicWidth);
        p.pich = f.intProperty(kPicHeight);
        p.goalWidth = f.intProperty(kGoalWidth);
        p.goalHeight = f.intProperty(kGoalHeight);
        return p;
    }
    const QVariant held = doc.resource(QTextDocument::ImageResource, QUrl(f.name()));
    QImage image = held.value<QImage>();
    if (image.isNull()) {
        image.loadFromData(held.toByteArray());
    }
    if (image.isNull()) {
        return p;
    }
    QBuffer out(&p.data);
    out.open(QIODevice::WriteOnly);
    image.save(&out, "PNG");
    p.kind = QStringLiteral("pngblip");
    p.picw = image.width();
    p.pich = image.height();
    const double w = f.width() > 0 ? f.width() : image.width();
    const double h = f.height() > 0 ? f.height() : image.height();
    p.goalWidth = int(std::lround(w * kTwipsPerPixel));
    p.goalHeight = int(std::lround(h * kTwipsPerPixel));
    return p;
}

void fitToWidth(QTextDocument& doc, int width) {
    if (width <= 0) {
        return;
    }
    // Found first, changed after: a change of format may join fragments.
    struct Found {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<Found> found;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            // Only the article's own pictures (a page's images keep theirs).
            if (frag.charFormat().isImageFormat() && frag.charFormat().hasProperty(kData)) {
                found.push_back(
                    {frag.position(), frag.length(), frag.charFormat().toImageFormat()});
            }
        }
    }
    for (Found& at : found) {
        {
            QTextImageFormat& f = at.format;
            const Picture p = fromFormat(f, doc);
            QImage natural;
            if (isBitmap(p.kind)) {
                natural =
                    doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
            }
            QSizeF size = shownSize(p, natural.size());
            if (size.width() > width) {
                size = QSizeF(width, size.height() * width / size.width());
            }
            if (qFuzzyCompare(f.width(), size.width()) &&
                qFuzzyCompare(f.height(), size.height())) {
                continue;
            }
            f.setWidth(size.width());
            f.setHeight(size.height());
            QTextCursor c(&doc);
            c.setPosition(at.position);
            c.setPosition(at.position + at.length, QTextCursor::KeepAnchor);
            c.setCharFormat(f);
        }
    }
}

}  // namespace wf::rtf::pictures
