// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiDoubles.h"

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

}  // namespace wf::test
