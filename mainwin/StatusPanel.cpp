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

namespace {

// Where a count's " = N" begins; -1 for a text without a count. What
// comes before it ("Wales List") is the name, which gives way first.
qsizetype countAt(const QString& t) {
    const qsizetype at = t.lastIndexOf(QStringLiteral(" = "));
    return at > 0 && at + 3 < t.size() && t[at + 3].isDigit() ? at : -1;
}

}  // namespace

QSize StatusPanel::minimumSizeHint() const {
    const int frame = 2 * frameWidth();
    const QFontMetrics fm = fontMetrics();
    // A count keeps its number and the first letter of its name; a short
    // text with a number ("To review: 4") stays whole; any other text may
    // shrink to a few letters.
    const QString t = text();
    const qsizetype list = countAt(t);
    int least = 0;
    if (list > 0) {
        least = fm.horizontalAdvance(t.left(1) + QStringLiteral("\u2026") + t.mid(list));
    } else if (t.size() <= 16 && !t.isEmpty() && t.back().isDigit()) {
        least = fm.horizontalAdvance(t);
    } else {
        least = fm.horizontalAdvance(QStringLiteral("Wor\u2026"));
    }
    return {std::min(least + 2 * kPadding + frame + 2, sizeHint().width()),
            fm.height() + frame + 2};
}

bool StatusPanel::textFits() const {
    return fontMetrics().horizontalAdvance(text()) <= contentsRect().width() - 2 * kPadding;
}

QString StatusPanel::shownText() const {
    const QRect r = contentsRect().adjusted(kPadding, 0, -kPadding, 0);
    // A count keeps its number: what gives way is the place's name before it.
    const QString t = text();
    const QFontMetrics fm = fontMetrics();
    const qsizetype list = countAt(t);
    if (fm.horizontalAdvance(t) <= r.width()) {
        return t;  // (elidedText measures more finely and may cut a text that fits)
    }
    if (list > 0) {
        const QString tail = t.mid(list);
        const int room = r.width() - fm.horizontalAdvance(tail);
        if (room >= fm.horizontalAdvance(t.left(1) + QStringLiteral("\u2026"))) {
            QString name = fm.elidedText(t.left(list), Qt::ElideRight, room);
            if (name.size() < 2) {
                name = t.left(1) + QStringLiteral("\u2026");  // elidedText may leave only "…"
            }
            return name + tail;
        }
    }
    return fm.elidedText(t, Qt::ElideRight, r.width());
}

void StatusPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawFrame(&p);
    const QRect r = contentsRect().adjusted(kPadding, 0, -kPadding, 0);
    const QString shown = shownText();
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(r, Qt::AlignVCenter | (alignment() & Qt::AlignHorizontal_Mask), shown);
}

}  // namespace wf
