// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class QDialog;

namespace wf {

// Message boxes ------------------------------------------------------------

enum class MsgIcon { None, Information, Exclamation, Question, Critical };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

struct MessageRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    // A question may name its two buttons after what they do ("Discard",
    // "Keep Editing"); empty, they read Yes and No.
    QString yesText = {};
    QString noText = {};
    // Whether Enter answers No: for questions whose Yes loses work.
    bool noIsDefault = false;
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const MessageRequest& request) = 0;

    // A question with Yes and No; true for Yes.
    bool ask(const QString& text, const QString& title, MsgIcon icon = MsgIcon::Question) {
        return show({text, title, MsgButtons::YesNo, icon}) == MsgAnswer::Yes;
    }
    // A question whose Yes loses something: its buttons say what they do,
    // and the safe answer is the default. True for yesText.
    bool confirm(const QString& text, const QString& title, const QString& yesText,
                 const QString& noText, MsgIcon icon = MsgIcon::Question) {
        return show({text, title, MsgButtons::YesNo, icon, yesText, noText, true}) ==
               MsgAnswer::Yes;
    }
    // Asked before an editor with changes closes: true for Discard.
    bool discardChanges() {
        return confirm(QStringLiteral("Discard your changes?"), QStringLiteral("Wingfolio"),
                       QStringLiteral("&Discard"), QStringLiteral("&Keep Editing"));
    }
    // A notice with an OK button.
    void notify(const QString& text, const QString& title, MsgIcon icon = MsgIcon::None) {
        show({text, title, MsgButtons::Ok, icon});
    }
};

// Clipboard ----------------------------------------------------------------

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    // A null image when the clipboard holds no picture.
    virtual QImage image() const = 0;
    virtual void setImage(const QImage& image) = 0;
};

// Modal dialogs ------------------------------------------------------------

class DialogRunner {
  public:
    virtual ~DialogRunner() = default;
    // Shows the dialog modally and returns its result code once it closes.
    virtual int exec(QDialog& dialog) = 0;
};

// Clock and timers ---------------------------------------------------------

class Timer {
  public:
    virtual ~Timer() = default;
    // Calls onTimeout after intervalMs, once or every intervalMs.
    virtual void start(int intervalMs, bool repeat, std::function<void()> onTimeout) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

// The services a window may need, handed down from start-up.
struct Services {
    MessageBoxes& messages;
    Clipboard& clipboard;
    DialogRunner& dialogs;
    Clock& clock;
};

}  // namespace wf
