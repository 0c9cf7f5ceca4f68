// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "Services.h"

namespace wf::test {

// Records every message box and answers from a queue. A question with no
// answer queued is answered No, a notice OK.
class ScriptedMessageBoxes : public MessageBoxes {
  public:
    MsgAnswer show(const MessageRequest& request) override;
    void queue(MsgAnswer answer) { answers_.push_back(answer); }

    const std::vector<MessageRequest>& shown() const { return shown_; }
    const MessageRequest& last() const { return shown_.back(); }
    void clear() { shown_.clear(); }

    // When set, each box is handed on with the scripted answer, and what
    // it returns is the answer given (a real box, answered by a click).
    std::function<MsgAnswer(const MessageRequest&, MsgAnswer)> onShow;

  private:
    std::deque<MsgAnswer> answers_;
    std::vector<MessageRequest> shown_;
};

class FakeClipboard : public Clipboard {
  public:
    QString text() const override { return text_; }
    void setText(const QString& text) override {
        text_ = text;
        image_ = QImage();
    }
    QImage image() const override { return image_; }
    void setImage(const QImage& image) override {
        image_ = image;
        text_.clear();
    }

  private:
    QString text_;
    QImage image_;
};

// A timer that fires only when the test says so.
class ManualTimer : public Timer {
  public:
    void start(int intervalMs, bool repeat, std::function<void()> onTimeout) override;
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    int interval() const { return interval_; }
    // Runs the callback as if the interval had passed; false when stopped.
    bool fire();

  private:
    int interval_ = 0;
    bool repeat_ = false;
    bool active_ = false;
    std::function<void()> onTimeout_;
};

// A clock whose time the test sets, and whose timers the test fires.
class ManualClock : public Clock {
  public:
    QDateTime now() const override { return now_; }
    void setNow(const QDateTime& t) { now_ = t; }
    std::unique_ptr<Timer> createTimer() override;
    // Timers created so far that are still alive, oldest first.
    std::vector<ManualTimer*> timers() const;
    // Fires every active timer whose interval is exactly ms.
    int fireTimers(int ms);

  private:
    QDateTime now_ = QDateTime(QDate(2026, 5, 14), QTime(7, 30, 0));
    std::shared_ptr<std::vector<ManualTimer*>> live_ =
        std::make_shared<std::vector<ManualTimer*>>();
};

}  // namespace wf::test
