// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's status bar: the life-list counts, the notes that come
// and go, the date and the time, and how they share the bar's room.
#include <QStatusBar>

#include "StatusPanel.h"
#include "Words.h"
#include "frmMain.h"

namespace wf {

namespace {

struct Panel {
    const char* key;
    const char* text;
};

const Panel kPanels[] = {
    {"Life", QT_TRANSLATE_NOOP("wf::frmMain", "Life List")},
    {"Region", QT_TRANSLATE_NOOP("wf::frmMain", "Region Life List")},
    {"Country", QT_TRANSLATE_NOOP("wf::frmMain", "Country Life List")},
    {"State", QT_TRANSLATE_NOOP("wf::frmMain", "State Life List")},
    {"District", QT_TRANSLATE_NOOP("wf::frmMain", "District Life List")},
};

}  // namespace

void frmMain::buildStatusBar() {
    sbStatusBar_ = statusBar();
    sbStatusBar_->setObjectName(QStringLiteral("sbStatusBar"));
    for (const Panel& p : kPanels) {
        auto* l = new StatusPanel(QString::fromLatin1(p.key), sbStatusBar_);
        l->setPanelText(tr(p.text));
        sbStatusBar_->addWidget(l);
    }
    // Shown only while eBird records wait for their names to be reviewed.
    auto* waiting = new StatusPanel(QStringLiteral("Waiting"), sbStatusBar_);
    waiting->hide();
    sbStatusBar_->addWidget(waiting);
    // Shown for a while when the web pane runs without its sandbox.
    auto* web = new StatusPanel(QStringLiteral("Web"), sbStatusBar_);
    web->hide();
    sbStatusBar_->addWidget(web);
    // Shown only when a backup could not be made.
    auto* backup = new StatusPanel(QStringLiteral("Backup"), sbStatusBar_);
    backup->hide();
    sbStatusBar_->addWidget(backup);
    for (const char* key : {"Date", "Time"}) {
        auto* l = new StatusPanel(QString::fromLatin1(key), sbStatusBar_);
        l->setAlignment(Qt::AlignCenter);
        sbStatusBar_->addPermanentWidget(l);
    }
    clockTimer_ = state_.services.clock.createTimer();
    clockTimer_->start(1000, true, [this] { updateClock(); });
    updateClock();
    idleTimer_ = state_.services.clock.createTimer();
}

StatusPanel* frmMain::panel(const QString& key) const {
    return sbStatusBar_->findChild<StatusPanel*>(key, Qt::FindDirectChildrenOnly);
}

void frmMain::updateClock() {
    const QDateTime now = state_.services.clock.now();
    const QLocale locale = QLocale::system();
    panel(QStringLiteral("Date"))->setPanelText(locale.toString(now.date(), QLocale::ShortFormat));
    panel(QStringLiteral("Time"))->setPanelText(locale.toString(now.time(), QLocale::ShortFormat));
    // The date and time are short and shown whole, or not at all.
    for (const char* key : {"Date", "Time"}) {
        StatusPanel* p = panel(QString::fromLatin1(key));
        p->setMinimumWidth(p->sizeHint().width());
    }
    fitStatusBar();
}

void frmMain::fitStatusBar() {
    StatusPanel* date = panel(QStringLiteral("Date"));
    StatusPanel* time = panel(QStringLiteral("Time"));
    if (date == nullptr || time == nullptr) {
        return;
    }
    // The counts shortened to their least (their names given way) come
    // first; then the time, then the date give up their room.
    constexpr int kGap = 8;  // the bar's spacing and the panel's margin
    std::vector<StatusPanel*> shared;
    int counts = 0;
    for (StatusPanel* p : sbStatusBar_->findChildren<StatusPanel*>(Qt::FindDirectChildrenOnly)) {
        if (p != date && p != time && !p->isHidden()) {
            shared.push_back(p);
            counts += p->minimumSizeHint().width() + kGap;
        }
    }
    const int room = sbStatusBar_->width() - 24;  // the size grip
    const int d = date->sizeHint().width() + kGap;
    const int t = time->sizeHint().width() + kGap;
    time->setVisible(counts + d + t <= room);
    date->setVisible(counts + d <= room);
    // The room left is shared so that the longest names shorten first: each
    // panel is held to at most one width, the largest that fits them all.
    const int left = room - (date->isVisible() ? d : 0) - (time->isVisible() ? t : 0) -
                     int(shared.size()) * kGap;
    const auto total = [&](int cap) {
        int sum = 0;
        for (const StatusPanel* p : shared) {
            sum += std::max(p->minimumSizeHint().width(), std::min(p->sizeHint().width(), cap));
        }
        return sum;
    };
    int lo = 0;
    int hi = 0;
    for (const StatusPanel* p : shared) {
        hi = std::max(hi, p->sizeHint().width());
    }
    while (lo < hi) {  // the widest cap that fits
        const int mid = (lo + hi + 1) / 2;
        if (total(mid) <= left) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    for (StatusPanel* p : shared) {
        p->setMaximumWidth(std::max(p->minimumSizeHint().width(), lo));
    }
}

}  // namespace wf
