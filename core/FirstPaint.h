// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <utility>

namespace wf {

// Calls then() once the window has been painted for the first time, on the
// event loop's next turn (when the whole frame, children included, is out).
inline void afterFirstPaint(QWidget* window, std::function<void()> then) {
    class Watch : public QObject {
      public:
        Watch(QWidget* w, std::function<void()> f) : QObject(w), then_(std::move(f)) {
            w->installEventFilter(this);
        }
        bool eventFilter(QObject* watched, QEvent* e) override {
            if (e->type() == QEvent::Paint && then_) {
                watched->removeEventFilter(this);
                QTimer::singleShot(0, parent(), std::exchange(then_, {}));
                deleteLater();
            }
            return false;
        }

      private:
        std::function<void()> then_;
    };
    new Watch(window, std::move(then));  // owned by the window
}

// For the benchmarks: tells on standard output that the window is shown.
inline void reportShown() {
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
}

}  // namespace wf
