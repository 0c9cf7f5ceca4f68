// SPDX-License-Identifier: GPL-3.0-or-later
#include "SubjectPicker.h"

#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "AppState.h"

namespace wf {

namespace {

// Whether the box's window gives Enter to a default button.
bool windowHasDefaultButton(const QWidget* w) {
    const QWidget* window = w->window();
    const auto buttons = window->findChildren<QPushButton*>();
    return std::any_of(buttons.begin(), buttons.end(),
                       [](const QPushButton* b) { return b->isDefault(); });
}

}  // namespace

SubjectPicker::SubjectPicker(QComboBox* box, const AppState& state, bool idleInEditMode)
    : QObject(box), box_(box), state_(state), idleInEditMode_(idleInEditMode) {
    box_->setEditable(true);
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->setCompleter(nullptr);
    box_->setDuplicatesEnabled(true);
    box_->setMaxVisibleItems(20);
    // Sized by a set number of characters, not by measuring every name of
    // the world list when the box is first shown.
    box_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box_->setMinimumContentsLength(28);
    // Typing changes the text; choosing from the list or code does not complete.
    connect(box_->lineEdit(), &QLineEdit::textEdited, this, [this] { Change(); });
    box_->installEventFilter(this);
    box_->lineEdit()->installEventFilter(this);
}

void SubjectPicker::setItems(const QStringList& names) {
    completer_ = SubjectCompleter(names);
    completing_ = true;
    const QString text = box_->currentText();
    box_->clear();
    box_->addItems(completer_.items());
    box_->setCurrentIndex(-1);
    box_->setEditText(text);
    completing_ = false;
}

void SubjectPicker::setText(const QString& text) {
    completing_ = true;
    box_->setEditText(text);
    completing_ = false;
}

void SubjectPicker::Change() {
    if (idleInEditMode_ && state_.EditMode) {
        return;
    }
    QLineEdit* edit = box_->lineEdit();
    const QString text = edit->text();
    if (text.isEmpty() || completing_) {
        return;
    }
    const int p = edit->cursorPosition();
    const std::optional<QString> item = completer_.completion(text, p);
    if (!item) {
        return;
    }
    completing_ = true;
    // The rest of the item goes in at the caret; what was typed keeps its
    // letter case. Then everything from the caret on is selected, so the
    // next key replaces the proposal.
    edit->insert(item->mid(p));
    edit->setSelection(edit->text().size(), p - int(edit->text().size()));
    completing_ = false;
}

bool SubjectPicker::KeyDown(int key) {
    QLineEdit* edit = box_->lineEdit();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        completing_ = true;
        if (edit->hasSelectedText()) {
            edit->del();  // removes the proposal; the key then does its own work
        }
        completing_ = false;
        return false;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (windowHasDefaultButton(box_)) {
            return false;  // the dialog's default button takes Enter
        }
        LostFocus();
        edit->end(false);
        return true;
    }
    return false;
}

void SubjectPicker::LostFocus() {
    const QString text = box_->currentText();
    if (text.isEmpty()) {
        return;
    }
    if (const std::optional<QString> item = completer_.exactItem(text)) {
        if (*item != text) {
            setText(*item);
        }
    }
}

bool SubjectPicker::eventFilter(QObject* watched, QEvent* event) {
    // A key reaches the box when it has the focus (the box hands it to its
    // edit field by a direct call, past any filter there), or the edit field
    // when that has the focus itself. Either way it is seen here once.
    if (event->type() == QEvent::KeyPress && (watched == box_ || watched == box_->lineEdit())) {
        return KeyDown(static_cast<QKeyEvent*>(event)->key());
    }
    if (event->type() == QEvent::FocusOut && (watched == box_ || watched == box_->lineEdit())) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason) {
            LostFocus();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace wf
