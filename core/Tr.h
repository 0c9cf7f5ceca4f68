// SPDX-License-Identifier: GPL-3.0-or-later
// Texts shown to the user from code outside any class: free functions of
// namespace wf. lupdate files a tr() said there under the context "wf", so
// this tr() asks the translators in that context. Inside a class, the class's
// own tr() (QObject's, or Q_DECLARE_TR_FUNCTIONS') is found first.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace wf {

inline QString tr(const char* text, const char* disambiguation = nullptr, int n = -1) {
    return QCoreApplication::translate("wf", text, disambiguation, n);
}

}  // namespace wf
