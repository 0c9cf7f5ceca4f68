// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Services.h"

class QAbstractButton;
class QMessageBox;

namespace wf {

// The services as the running program provides them: real message boxes,
// the system clipboard, modal dialogs with their own event loop, the system
// clock and QTimer.
class QtMessageBoxes : public MessageBoxes {
  public:
    MsgAnswer show(const MessageRequest& request) override;
    // Sets the box up as show() does; gives the button that answers Yes
    // (null for a notice).
    static QAbstractButton* configure(QMessageBox& box, const MessageRequest& request);
};

class QtClipboard : public Clipboard {
  public:
    QString text() const override;
    void setText(const QString& text) override;
    QImage image() const override;
    void setImage(const QImage& image) override;
};

class QtDialogRunner : public DialogRunner {
  public:
    int exec(QDialog& dialog) override;
};

class SystemClock : public Clock {
  public:
    QDateTime now() const override;
    std::unique_ptr<Timer> createTimer() override;
};

}  // namespace wf
