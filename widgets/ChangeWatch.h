// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <functional>

#include "Services.h"

namespace wf {

// Remembers what a window's fields held when it opened (or was last
// saved), so that closing it with changes asks first.
class ChangeWatch {
  public:
    using Snapshot = std::function<QStringList()>;
    void watch(Snapshot snapshot) {
        snapshot_ = std::move(snapshot);
        mark();
    }
    // The fields as they are now count as unchanged.
    void mark() { saved_ = snapshot_ ? snapshot_() : QStringList(); }
    bool changed() const { return snapshot_ && snapshot_() != saved_; }
    // Whether the window may close: nothing changed, or the user answered
    // Discard to "Discard your changes?" (Keep Editing is the default).
    bool mayClose(MessageBoxes& messages) const { return !changed() || messages.discardChanges(); }

  private:
    Snapshot snapshot_;
    QStringList saved_;
};

}  // namespace wf
