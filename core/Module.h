// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFunctionPointer>
#include <QString>

namespace wf {

// Parts of the program that are not needed to start it (the web browser, the
// charts, the zip reader) live in modules of their own, libwingfolio_NAME.so,
// so that starting the program neither loads nor pays for the libraries
// behind them. A module is opened the first time one of its entry points is
// asked for, from the program's own library folder when installed or else
// from the build tree, and stays open for the life of the process.
//
// Returns the entry point, or null with *error saying why (the paths tried
// and what the loader said).
QFunctionPointer moduleEntry(const QString& module, const char* entry, QString* error = nullptr);

// Typed: moduleEntry<Factory>("charts", "wingfolio_charts").
template <typename F>
F moduleEntry(const QString& module, const char* entry, QString* error = nullptr) {
    return reinterpret_cast<F>(moduleEntry(module, entry, error));
}

}  // namespace wf
