// SPDX-License-Identifier: GPL-3.0-or-later
#include "Artwork.h"
#include "Tr.h"

#include <QApplication>
#include <QFont>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStyle>
#include <QStyleOption>
#include <functional>
#include <map>

namespace wf::artwork {

namespace {

const QColor kInk(0x23, 0x3a, 0x4f);
const QColor kWing(0x2f, 0x6f, 0x8f);
const QColor kBreast(0xe8, 0x8a, 0x3c);
const QColor kSkyTop(0x9f, 0xd3, 0xf0);
const QColor kSkyBottom(0xf6, 0xe7, 0xc8);

// A swallow-like bird in flight, drawn in a 100 x 100 box.
void drawBird(QPainter& p) {
    p.setPen(Qt::NoPen);
    // Far wing.
    QPainterPath far;
    far.moveTo(48, 42);
    far.cubicTo(60, 20, 78, 10, 96, 8);
    far.cubicTo(82, 22, 70, 36, 58, 48);
    far.closeSubpath();
    p.setBrush(kWing.darker(130));
    p.drawPath(far);
    // Body and forked tail.
    QPainterPath body;
    body.moveTo(18, 40);
    body.cubicTo(28, 34, 44, 38, 60, 48);
    body.lineTo(92, 74);
    body.lineTo(74, 64);
    body.lineTo(84, 84);
    body.lineTo(62, 62);
    body.cubicTo(46, 60, 28, 54, 18, 44);
    body.closeSubpath();
    p.setBrush(kInk);
    p.drawPath(body);
    // Breast.
    QPainterPath breast;
    breast.moveTo(20, 44);
    breast.cubicTo(30, 54, 44, 58, 58, 60);
    breast.cubicTo(46, 52, 32, 46, 20, 44);
    p.setBrush(kBreast);
    p.drawPath(breast);
    // Near wing.
    QPainterPath near;
    near.moveTo(40, 44);
    near.cubicTo(34, 62, 26, 80, 10, 94);
    near.cubicTo(30, 88, 48, 72, 56, 52);
    near.closeSubpath();
    p.setBrush(kWing);
    p.drawPath(near);
    // Beak and eye.
    QPainterPath beak;
    beak.moveTo(19, 39);
    beak.lineTo(8, 42);
    beak.lineTo(19, 44);
    p.setBrush(QColor(0x4a, 0x3b, 0x2a));
    p.drawPath(beak);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(25, 40), 2.6, 2.6);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(25.5, 40), 1.4, 1.4);
}

void drawSky(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kSkyTop);
    g.setColorAt(1, kSkyBottom);
    p.fillRect(r, g);
    // A low sun.
    QRadialGradient sun(r.right() - r.width() * 0.2, r.bottom() - r.height() * 0.25,
                        r.height() * 0.35);
    sun.setColorAt(0, QColor(255, 240, 200, 220));
    sun.setColorAt(1, QColor(255, 240, 200, 0));
    p.fillRect(r, sun);
}

QPixmap canvas(const QSize& size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    return pm;
}

}  // namespace

QPixmap splash(const QSize& size) {
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), size);
    drawSky(p, r);
    // Distant hills.
    QPainterPath hills;
    hills.moveTo(0, r.height() * 0.82);
    hills.cubicTo(r.width() * 0.25, r.height() * 0.7, r.width() * 0.45, r.height() * 0.9,
                  r.width() * 0.7, r.height() * 0.78);
    hills.cubicTo(r.width() * 0.85, r.height() * 0.72, r.width(), r.height() * 0.8, r.width(),
                  r.height() * 0.8);
    hills.lineTo(r.width(), r.height());
    hills.lineTo(0, r.height());
    hills.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6d, 0x8f, 0x5a));
    p.drawPath(hills);

    p.save();
    // The bird keeps clear of the title: it flies in the right third.
    const qreal side = r.height() * 0.56;
    p.translate(r.width() * 0.66, r.height() * 0.12);
    p.scale(side / 100.0, side / 100.0);
    drawBird(p);
    p.restore();

    QFont title(QStringLiteral("Times New Roman"));
    title.setPixelSize(int(r.height() * 0.17));
    title.setBold(true);
    p.setFont(title);
    p.setPen(kInk);
    p.drawText(QRectF(r.width() * 0.06, r.height() * 0.18, r.width() * 0.6, r.height() * 0.25),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Wingfolio"));
    QFont sub(QStringLiteral("Times New Roman"));
    sub.setPixelSize(int(r.height() * 0.065));
    p.setFont(sub);
    p.drawText(QRectF(r.width() * 0.065, r.height() * 0.42, r.width() * 0.6, r.height() * 0.1),
               Qt::AlignLeft | Qt::AlignVCenter, wf::tr("A journal for bird watchers"));
    p.drawText(QRectF(r.width() * 0.065, r.height() * 0.52, r.width() * 0.6, r.height() * 0.1),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Version " WINGFOLIO_VERSION));
    p.setPen(QPen(kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(1, 1, -1, -1));
    return pm;
}

QPixmap productPicture(int side) {
    QPixmap pm = canvas(QSize(side, side));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath round;
    round.addRoundedRect(QRectF(0, 0, side, side), side * 0.18, side * 0.18);
    p.setClipPath(round);
    drawSky(p, QRectF(0, 0, side, side));
    p.scale(side / 100.0, side / 100.0);
    drawBird(p);
    return pm;
}

namespace {

// An icon drawn in code, each size the first time something asks for it: a
// window that is never given an icon (as off screen) or a toolbar that stays
// hidden draws nothing. Like an icon of pixmaps, it is never drawn larger
// than its largest size.
class DrawnIconEngine : public QIconEngine {
  public:
    DrawnIconEngine(QString key, QList<int> sides, std::function<QPixmap(int side)> draw)
        : key_(std::move(key)), sides_(std::move(sides)), draw_(std::move(draw)) {}
    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }
    QString key() const override { return key_; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : sides_) {
            sizes << QSize(side, side);
        }
        return sizes;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min({size.width(), size.height(), sides_.back()});
        return QSize(side, side);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const int side = actualSize(size, mode, state).width();
        if (side <= 0) {
            return {};
        }
        QPixmap& pm = drawn_[side];
        if (pm.isNull()) {
            pm = draw_(side);
        }
        if (mode != QIcon::Normal) {
            QStyleOption option;
            return QApplication::style()->generatedIconPixmap(mode, pm, &option);
        }
        return pm;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

  private:
    QString key_;
    QList<int> sides_;  // smallest first
    std::function<QPixmap(int)> draw_;
    std::map<int, QPixmap> drawn_;
};

}  // namespace

QIcon appIcon() {
    // The icon owns its engine.
    return QIcon(new DrawnIconEngine(QStringLiteral("wingfolio-product"), {16, 24, 32, 48, 64, 128},
                                     [](int side) { return productPicture(side); }));
}

namespace {

// Each toolbar picture is drawn on a 24 x 24 grid.
void drawIcon(QPainter& p, const QString& name) {
    const QPen ink(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(ink);
    p.setBrush(Qt::NoBrush);
    if (name == QLatin1String("Sighting")) {  // binoculars
        p.setBrush(kWing);
        p.drawRoundedRect(QRectF(3, 9, 7, 11), 2, 2);
        p.drawRoundedRect(QRectF(14, 9, 7, 11), 2, 2);
        p.drawRect(QRectF(9, 11, 6, 4));
        p.setBrush(QColor(0xbf, 0xe6, 0xff));
        p.drawEllipse(QRectF(4, 15, 5, 4));
        p.drawEllipse(QRectF(15, 15, 5, 4));
        p.setBrush(kInk);
        p.drawRect(QRectF(5, 5, 3, 4));
        p.drawRect(QRectF(16, 5, 3, 4));
    } else if (name == QLatin1String("Article")) {  // a page of text
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 3, 14, 18));
        for (int y = 7; y <= 17; y += 3) {
            p.drawLine(QPointF(8, y), QPointF(y == 17 ? 13 : 16, y));
        }
    } else if (name == QLatin1String("Image")) {  // a framed landscape
        p.setBrush(QColor(0xbf, 0xe6, 0xff));
        p.drawRect(QRectF(3, 5, 18, 14));
        p.setBrush(QColor(0x6d, 0x8f, 0x5a));
        QPainterPath hill;
        hill.moveTo(3.8, 18.2);
        hill.lineTo(10, 11);
        hill.lineTo(14, 15);
        hill.lineTo(16.5, 12.5);
        hill.lineTo(20.2, 18.2);
        hill.closeSubpath();
        p.setPen(Qt::NoPen);
        p.drawPath(hill);
        p.setBrush(kBreast);
        p.drawEllipse(QPointF(16.5, 8.5), 1.8, 1.8);
    } else if (name == QLatin1String("Link") || name == QLatin1String("Internet")) {
        p.setBrush(name == QLatin1String("Internet") ? QColor(0xbf, 0xe6, 0xff) : Qt::white);
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.drawEllipse(QRectF(8, 3, 8, 18));
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        p.drawLine(QPointF(5, 7.5), QPointF(19, 7.5));
        p.drawLine(QPointF(5, 16.5), QPointF(19, 16.5));
        if (name == QLatin1String("Link")) {
            p.setPen(QPen(kBreast, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(13, 19), QPointF(21, 19));
            p.drawLine(QPointF(18, 16), QPointF(21, 19));
            p.drawLine(QPointF(18, 22), QPointF(21, 19));
        }
    } else if (name == QLatin1String("Edit")) {  // a pencil
        p.setBrush(kBreast);
        QPainterPath pencil;
        pencil.moveTo(5, 19);
        pencil.lineTo(6, 15);
        pencil.lineTo(16, 5);
        pencil.lineTo(19, 8);
        pencil.lineTo(9, 18);
        pencil.closeSubpath();
        p.drawPath(pencil);
        p.drawLine(QPointF(14, 7), QPointF(17, 10));
    } else if (name == QLatin1String("Delete")) {  // a red cross
        p.setPen(QPen(QColor(0xc0, 0x30, 0x30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
    } else if (name == QLatin1String("Related")) {  // linked nodes
        p.drawLine(QPointF(7, 7), QPointF(17, 12));
        p.drawLine(QPointF(7, 17), QPointF(17, 12));
        p.setBrush(kWing);
        p.drawEllipse(QPointF(7, 7), 3, 3);
        p.drawEllipse(QPointF(7, 17), 3, 3);
        p.setBrush(kBreast);
        p.drawEllipse(QPointF(17, 12), 3.5, 3.5);
    } else if (name == QLatin1String("Back") || name == QLatin1String("Forward")) {
        p.setBrush(kWing);
        QPainterPath arrow;
        arrow.moveTo(4, 12);
        arrow.lineTo(12, 4);
        arrow.lineTo(12, 9);
        arrow.lineTo(20, 9);
        arrow.lineTo(20, 15);
        arrow.lineTo(12, 15);
        arrow.lineTo(12, 20);
        arrow.closeSubpath();
        if (name == QLatin1String("Forward")) {
            p.translate(24, 0);
            p.scale(-1, 1);
        }
        p.drawPath(arrow);
    } else if (name == QLatin1String("Stop")) {
        p.setBrush(QColor(0xc0, 0x30, 0x30));
        p.drawEllipse(QRectF(4, 4, 16, 16));
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 9), QPointF(15, 15));
        p.drawLine(QPointF(15, 9), QPointF(9, 15));
    } else if (name == QLatin1String("Refresh")) {
        p.setPen(QPen(kWing, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(5, 5, 14, 14), 60 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kWing);
        QPainterPath head;
        head.moveTo(14, 2.5);
        head.lineTo(19.5, 6.5);
        head.lineTo(13.5, 9.5);
        head.closeSubpath();
        p.drawPath(head);
    } else if (name == QLatin1String("Home")) {
        p.setBrush(kBreast);
        QPainterPath house;
        house.moveTo(4, 12);
        house.lineTo(12, 4);
        house.lineTo(20, 12);
        house.lineTo(18, 12);
        house.lineTo(18, 20);
        house.lineTo(6, 20);
        house.lineTo(6, 12);
        house.closeSubpath();
        p.drawPath(house);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(10, 14, 4, 6));
    } else if (name == QLatin1String("Bold") || name == QLatin1String("Italic") ||
               name == QLatin1String("Underline") || name == QLatin1String("Font")) {
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(name == QLatin1String("Font") ? 13 : 17);
        f.setBold(name == QLatin1String("Bold") || name == QLatin1String("Font"));
        f.setItalic(name == QLatin1String("Italic"));
        p.setFont(f);
        p.setPen(kInk);
        const QString glyph = name == QLatin1String("Bold")     ? QStringLiteral("B")
                              : name == QLatin1String("Italic") ? QStringLiteral("I")
                              : name == QLatin1String("Font")   ? QStringLiteral("Aa")
                                                                : QStringLiteral("U");
        p.drawText(QRectF(0, 0, 24, 21), Qt::AlignCenter, glyph);
        if (name == QLatin1String("Underline")) {
            p.drawLine(QPointF(7, 20.5), QPointF(17, 20.5));
        }
    } else if (name == QLatin1String("Left") || name == QLatin1String("Center") ||
               name == QLatin1String("Right")) {
        const qreal widths[] = {16, 10, 16, 12};
        for (int i = 0; i < 4; ++i) {
            const qreal w = widths[i];
            const qreal x = name == QLatin1String("Left")    ? 4
                            : name == QLatin1String("Right") ? 20 - w
                                                             : 12 - w / 2;
            p.drawLine(QPointF(x, 6 + i * 4), QPointF(x + w, 6 + i * 4));
        }
    } else if (name == QLatin1String("Cut")) {
        p.drawEllipse(QPointF(8, 18), 3, 3);
        p.drawEllipse(QPointF(16, 18), 3, 3);
        p.drawLine(QPointF(10, 16), QPointF(16, 4));
        p.drawLine(QPointF(14, 16), QPointF(8, 4));
    } else if (name == QLatin1String("Copy")) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 3, 11, 13));
        p.drawRect(QRectF(9, 8, 11, 13));
    } else if (name == QLatin1String("Paste")) {
        p.setBrush(kBreast);
        p.drawRoundedRect(QRectF(4, 5, 14, 16), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 5, 4));
        p.drawRect(QRectF(10, 10, 10, 11));
    } else if (name == QLatin1String("Search")) {
        p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(QColor(0xbf, 0xe6, 0xff));
        p.drawEllipse(QRectF(4, 4, 11, 11));
        p.drawLine(QPointF(13.5, 13.5), QPointF(20, 20));
    }
}

}  // namespace

QIcon mixedIcon(const QString& name, int side) {
    return QIcon(new DrawnIconEngine(QStringLiteral("wingfolio-mixed"), {side}, [name](int s) {
        QPixmap pm = canvas(QSize(s, s));
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(s / 24.0, s / 24.0);
        // A grey hatched ground under a faded picture: neither pressed nor not.
        p.fillRect(QRectF(1, 1, 22, 22), QBrush(QColor(0x90, 0x90, 0x90), Qt::BDiagPattern));
        p.setOpacity(0.5);
        drawIcon(p, name);
        p.end();
        return pm;
    }));
}

QIcon icon(const QString& name, int side) {
    return QIcon(new DrawnIconEngine(QStringLiteral("wingfolio-drawn"), {side}, [name](int s) {
        QPixmap pm = canvas(QSize(s, s));
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(s / 24.0, s / 24.0);
        drawIcon(p, name);
        p.end();
        return pm;
    }));
}

}  // namespace wf::artwork
