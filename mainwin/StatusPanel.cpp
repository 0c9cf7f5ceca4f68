// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusPanel.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace wf {

namespace {
constexpr int kPadding = 4;  // pixels either side of the text
}

StatusPanel::StatusPanel(const QString& key, QWidget* parent) : QLabel(parent) {
    setObjectName(key);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void StatusPanel::setPanelText(const QString& text) {
    setText(text);
    setToolTip(text.trimmed());
    updateGeometry();
}

QSize StatusPanel::sizeHint() const {
    const int frame = 2 * frameWidth();
    return {fontMetrics().horizontalAdvance(text()) + 2 * kPadding + frame + 2,
            fontMetrics().height() + frame + 2};
}

QSize StatusPanel::minimumSizeHint() const {
    const int frame = 2 * frameWidth();
    // Room for a short count whole ("World List = 12345"); a longer text
    // gives way first.
    const int least =
        fontMetrics().horizontalAdvance(QStringLiteral("World List = 00000")) + 2 * kPadding;
    return {std::min(least + frame, sizeHint().width()), fontMetrics().height() + frame + 2};
}

bool StatusPanel::textFits() const {
    return fontMetrics().horizontalAdvance(text()) <= contentsRect().width() - 2 * kPadding;
}

void StatusPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawFrame(&p);
    const QRect r = contentsRect().adjusted(kPadding, 0, -kPadding, 0);
    // A count keeps its number: what gives way is the place's name before it.
    const QString t = text();
    const QFontMetrics fm = fontMetrics();
    QString shown;
    const qsizetype list = t.lastIndexOf(QStringLiteral(" List"));
    if (fm.horizontalAdvance(t) <= r.width()) {
        shown = t;  // (elidedText measures more finely and may cut a text that fits)
    } else if (list > 0) {
        const QString tail = t.mid(list);
        const int room = r.width() - fm.horizontalAdvance(tail);
        shown = room > fm.horizontalAdvance(QStringLiteral("W…"))
                    ? fm.elidedText(t.left(list), Qt::ElideRight, room) + tail
                    : fm.elidedText(t, Qt::ElideRight, r.width());
    } else {
        shown = fm.elidedText(t, Qt::ElideRight, r.width());
    }
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(r, Qt::AlignVCenter | (alignment() & Qt::AlignHorizontal_Mask), shown);
}

}  // namespace wf
