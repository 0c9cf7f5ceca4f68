// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <memory>

#include "Services.h"

namespace wf {

// The window shown while the program starts. Its timer, 2500 ms after the
// window loads, runs onTimer (which shows the main window), stops, and asks
// to be unloaded.
class frmSplash : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kInterval = 2500;

    frmSplash(Clock& clock, std::function<void()> showMain, std::function<void()> unload,
              int intervalMs = kInterval);

    // Shows and paints the window and starts its timer.
    void showSplash();
    Timer& timer() { return *Timer1_; }

  private:
    void Timer1_Timer();

    QLabel* Picture1_;
    std::unique_ptr<Timer> Timer1_;
    int interval_ = kInterval;
    std::function<void()> showMain_;
    std::function<void()> unload_;
};

}  // namespace wf
