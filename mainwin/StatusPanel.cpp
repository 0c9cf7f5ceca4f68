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
    return {fontMetrics().horizontalAdvance(text()) + 2 * kPadding + frame,
            fontMetrics().height() + frame + 2};
}

QSize StatusPanel::minimumSizeHint() const {
    const int frame = 2 * frameWidth();
    const int least = fontMetrics().horizontalAdvance(QStringLiteral("W…")) + 2 * kPadding;
    return {std::min(least + frame, sizeHint().width()), fontMetrics().height() + frame + 2};
}

bool StatusPanel::textFits() const {
    return fontMetrics().horizontalAdvance(text()) <= contentsRect().width() - 2 * kPadding;
}

void StatusPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawFrame(&p);
    const QRect r = contentsRect().adjusted(kPadding, 0, -kPadding, 0);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(r, Qt::AlignVCenter | (alignment() & Qt::AlignHorizontal_Mask), shown);
}

}  // namespace wf
