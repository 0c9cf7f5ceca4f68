// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <deque>
#include <functional>

#include "Services.h"

namespace wf::test {

// Runs modal dialogs without a nested event loop: each dialog is shown,
// handed to the next scripted step (which may type and press buttons), and
// its result returned. With no step queued the dialog is cancelled.
class ScriptedDialogs : public DialogRunner {
  public:
    using Step = std::function<void(QDialog&)>;
    int exec(QDialog& dialog) override;
    void queue(Step step) { steps_.push_back(std::move(step)); }
    const QStringList& shown() const { return shown_; }

  private:
    std::deque<Step> steps_;
    QStringList shown_;
};

// Makes every box of messages a real one: shown modally over the active
// window (taking the focus, as it does for a user), and answered by a click
// on the button of the scripted answer.
void answerWithRealBoxes(class ScriptedMessageBoxes& messages);

}  // namespace wf::test
