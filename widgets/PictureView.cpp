// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureView.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "Artwork.h"

namespace wf {

PictureView::PictureView(QLabel* label, QWidget* parent)
    : QWidget(parent), toolbar_(new QToolBar(this)), scroll_(new QScrollArea(this)), label_(label) {
    setObjectName(QStringLiteral("PictureView"));
    toolbar_->setObjectName(QStringLiteral("tbZoom"));
    toolbar_->setIconSize(QSize(16, 16));
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    struct Button {
        const char* key;
        const char* text;
        const char* tip;
        QKeySequence keys;
        void (PictureView::*slot)();
    };
    const Button buttons[] = {
        {"ZoomIn", QT_TR_NOOP("Zoom In"), QT_TR_NOOP("Zoom in"), QKeySequence(QKeySequence::ZoomIn),
         &PictureView::zoomIn},
        {"ZoomOut", QT_TR_NOOP("Zoom Out"), QT_TR_NOOP("Zoom out"),
         QKeySequence(QKeySequence::ZoomOut), &PictureView::zoomOut},
        {"Fit", QT_TR_NOOP("Fit"), QT_TR_NOOP("Fit the picture to the area"),
         QKeySequence(Qt::CTRL | Qt::Key_0), &PictureView::fitToArea},
        {"Actual", QT_TR_NOOP("Actual Size"), QT_TR_NOOP("Show the picture at its actual size"),
         QKeySequence(Qt::CTRL | Qt::Key_1), &PictureView::actualSize},
    };
    for (const Button& b : buttons) {
        QAction* a = toolbar_->addAction(tr(b.text));
        a->setObjectName(QString::fromLatin1(b.key));
        a->setShortcut(b.keys);
        a->setShortcutContext(Qt::WindowShortcut);
        a->setToolTip(
            QStringLiteral("%1 (%2)").arg(tr(b.tip), b.keys.toString(QKeySequence::NativeText)));
        connect(a, &QAction::triggered, this, b.slot);
        toolbar_->widgetForAction(a)->setFocusPolicy(Qt::NoFocus);
    }
    // Ctrl+plus is often typed as Ctrl+= (no Shift).
    auto* plus = new QAction(this);
    plus->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal));
    plus->setShortcutContext(Qt::WindowShortcut);
    connect(plus, &QAction::triggered, this, &PictureView::zoomIn);
    addAction(plus);

    scroll_->setObjectName(QStringLiteral("picScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setWidgetResizable(false);
    label_->setParent(scroll_);
    label_->setScaledContents(true);
    scroll_->setWidget(label_);
    scroll_->viewport()->installEventFilter(this);
    label_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addWidget(scroll_, 1);
    clear();
}

QAction* PictureView::action(const QString& key) const {
    return toolbar_->findChild<QAction*>(key, Qt::FindDirectChildrenOnly);
}

void PictureView::setImage(const QImage& image) {
    image_ = image;
    fit_ = true;
    for (QAction* a : toolbar_->actions()) {
        a->setEnabled(!image_.isNull());
    }
    render();
}

void PictureView::clear() {
    setImage(QImage());
}

double PictureView::fitZoom() const {
    if (image_.isNull()) {
        return 1.0;
    }
    const QSize area = scroll_->maximumViewportSize();
    const double zx = double(area.width()) / image_.width();
    const double zy = double(area.height()) / image_.height();
    return std::min({1.0, zx, zy});
}

void PictureView::setZoom(double zoom) {
    fit_ = false;
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    render();
}

void PictureView::zoomIn() {
    setZoom(zoom_ * kStep);
}

void PictureView::zoomOut() {
    setZoom(zoom_ / kStep);
}

void PictureView::fitToArea() {
    fit_ = true;
    render();
}

void PictureView::actualSize() {
    setZoom(1.0);
}

void PictureView::render() {
    if (image_.isNull()) {
        zoom_ = 1.0;
        label_->setPixmap(QPixmap());
        label_->resize(0, 0);
        return;
    }
    if (fit_) {
        zoom_ = fitZoom();
    }
    const QSize shown(std::max(1, int(image_.width() * zoom_ + 0.5)),
                      std::max(1, int(image_.height() * zoom_ + 0.5)));
    if (shown == image_.size()) {
        label_->setPixmap(QPixmap::fromImage(image_));
    } else {
        // Scaled smoothly once, not by the label on every paint.
        label_->setPixmap(QPixmap::fromImage(
            image_.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }
    label_->resize(shown);
}

bool PictureView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() || watched == label_) {
        if (watched != label_ && event->type() == QEvent::Resize && fit_ && !image_.isNull()) {
            const double z = fitZoom();
            if (z != zoom_) {
                render();
            }
        } else if (event->type() == QEvent::Wheel) {
            auto* wheel = static_cast<QWheelEvent*>(event);
            if (wheel->modifiers() & Qt::ControlModifier && !image_.isNull()) {
                const int steps = wheel->angleDelta().y();
                if (steps > 0) {
                    zoomIn();
                } else if (steps < 0) {
                    zoomOut();
                }
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace wf
