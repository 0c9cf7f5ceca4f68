// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestDoubles.h"

#include <algorithm>

namespace wf::test {

MsgAnswer ScriptedMessageBoxes::show(const MessageRequest& request) {
    shown_.push_back(request);
    MsgAnswer a = MsgAnswer::Ok;
    if (request.buttons != MsgButtons::Ok) {
        a = MsgAnswer::No;
        if (!answers_.empty()) {
            a = answers_.front();
            answers_.pop_front();
        }
    }
    return onShow ? onShow(request, a) : a;
}

void ManualTimer::start(int intervalMs, bool repeat, std::function<void()> onTimeout) {
    interval_ = intervalMs;
    repeat_ = repeat;
    active_ = true;
    onTimeout_ = std::move(onTimeout);
}

bool ManualTimer::fire() {
    if (!active_) {
        return false;
    }
    if (!repeat_) {
        active_ = false;
    }
    auto f = onTimeout_;  // the callback may stop or destroy this timer
    f();
    return true;
}

namespace {

// Removes itself from the clock's list of live timers when destroyed.
class TrackedTimer : public ManualTimer {
  public:
    explicit TrackedTimer(std::shared_ptr<std::vector<ManualTimer*>> live)
        : live_(std::move(live)) {
        live_->push_back(this);
    }
    ~TrackedTimer() override { std::erase(*live_, static_cast<ManualTimer*>(this)); }

  private:
    std::shared_ptr<std::vector<ManualTimer*>> live_;
};

}  // namespace

std::unique_ptr<Timer> ManualClock::createTimer() {
    return std::make_unique<TrackedTimer>(live_);
}

std::vector<ManualTimer*> ManualClock::timers() const {
    return *live_;
}

int ManualClock::fireTimers(int ms) {
    int fired = 0;
    const auto snapshot = *live_;
    for (ManualTimer* t : snapshot) {
        // A callback may destroy timers; fire only those still alive.
        if (std::find(live_->begin(), live_->end(), t) == live_->end()) {
            continue;
        }
        if (t->isActive() && t->interval() == ms && t->fire()) {
            ++fired;
        }
    }
    return fired;
}

}  // namespace wf::test
