// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmSplash.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "Artwork.h"

namespace wf {

frmSplash::frmSplash(Clock& clock, std::function<void()> showMain, std::function<void()> unload,
                     int intervalMs)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      Picture1_(new QLabel(this)),
      Timer1_(clock.createTimer()),
      showMain_(std::move(showMain)),
      unload_(std::move(unload)) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Wingfolio"));
    Picture1_->setObjectName(QStringLiteral("Picture1"));
    // Asked to show for no time at all (--splash-ms 0), it is never drawn.
    if (intervalMs > 0) {
        Picture1_->setPixmap(artwork::splash());
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Picture1_);
    setFixedSize(Picture1_->pixmap().size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    interval_ = intervalMs;
}

void frmSplash::showSplash() {
    if (interval_ > 0) {
        show();
        repaint();  // painted at once, before the program goes on starting
    }
    Timer1_->start(interval_, false, [this] { Timer1_Timer(); });
}

void frmSplash::Timer1_Timer() {
    showMain_();
    Timer1_->stop();
    unload_();
}

}  // namespace wf
