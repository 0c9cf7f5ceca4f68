// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiDoubles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "Keyboard.h"
#include "QtServices.h"
#include "TestDoubles.h"

namespace wf::test {

int ScriptedDialogs::exec(QDialog& dialog) {
    shown_.push_back(dialog.objectName());
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (steps_.empty()) {
        dialog.reject();
    } else {
        const Step step = std::move(steps_.front());
        steps_.pop_front();
        step(dialog);
    }
    const int result = dialog.result();
    dialog.hide();
    return result;
}

void answerWithRealBoxes(ScriptedMessageBoxes& messages) {
    messages.onShow = [](const MessageRequest& r, MsgAnswer answer) {
        QString label = r.buttons == MsgButtons::Ok ? QStringLiteral("OK")
                        : answer == MsgAnswer::Yes  ? r.yesText
                                                    : r.noText;
        if (label.isEmpty()) {
            label = answer == MsgAnswer::Yes ? QStringLiteral("Yes") : QStringLiteral("No");
        }
        label.remove(u'&');
        QTimer::singleShot(0, [label] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            for (QAbstractButton* b : box->buttons()) {
                if (QString(b->text()).remove(u'&') == label) {
                    user::click(b);
                    return;
                }
            }
            box->reject();
        });
        return QtMessageBoxes().show(r);
    };
}

}  // namespace wf::test
