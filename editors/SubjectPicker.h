// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include "SubjectCompleter.h"

class QComboBox;

namespace wf {

struct AppState;

// The subject picker: an editable, sorted combo box that completes what the
// user types against its list. Backspace and Delete refuse a proposed
// completion; Enter (where it reaches the box) and leaving the box put the
// list's own form of a name typed in another letter case.
class SubjectPicker : public QObject {
    Q_OBJECT
  public:
    // With idleInEditMode (the entry editors) the completion rests while
    // the shared state's EditMode is set.
    SubjectPicker(QComboBox* box, const AppState& state, bool idleInEditMode);

    // Fills the list, sorted without regard to letter case.
    void setItems(const QStringList& names);
    // Sets the text without completing it.
    void setText(const QString& text);
    bool completing() const { return completing_; }
    const SubjectCompleter& completer() const { return completer_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Change();
    bool KeyDown(int key);
    void LostFocus();

    QComboBox* box_;
    const AppState& state_;
    bool idleInEditMode_;
    bool completing_ = false;
    SubjectCompleter completer_;
};

}  // namespace wf
