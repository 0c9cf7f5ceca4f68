// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Services.h"

namespace wf {

// The services as the running program provides them: real message boxes,
// the system clipboard, modal dialogs with their own event loop, the system
// clock and QTimer.
class QtMessageBoxes : public MessageBoxes {
  public:
    MsgAnswer show(const MessageRequest& request) override;
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
