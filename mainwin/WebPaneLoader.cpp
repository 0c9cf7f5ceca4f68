// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "WebPane.h"

namespace wf {

namespace {

// Where the module is: installed beside the program's libraries, or where
// the build made it.
QStringList modulePaths() {
    const QDir exe(QCoreApplication::applicationDirPath());
    return {exe.filePath(QStringLiteral(WINGFOLIO_WEBPANE_INSTALLED)),
            QStringLiteral(WINGFOLIO_WEBPANE_BUILT)};
}

}  // namespace

WebPane* createWebPane(QWidget* parent, QString* error) {
    using Factory = WebPane* (*)(QWidget*);
    static Factory factory = nullptr;
    static QString failure;
    if (factory == nullptr && failure.isEmpty()) {
        QStringList tried;
        for (const QString& path : modulePaths()) {
            if (!QFileInfo::exists(path)) {
                tried << path;
                continue;
            }
            // Kept loaded for the life of the process: its panes live on.
            QLibrary library(path);
            factory = reinterpret_cast<Factory>(library.resolve(kWebPaneFactory));
            if (factory != nullptr) {
                break;
            }
            tried << path + QStringLiteral(" (") + library.errorString() + u')';
        }
        if (factory == nullptr) {
            failure = QStringLiteral("The web browser module cannot be loaded: ") +
                      tried.join(QStringLiteral("; "));
        }
    }
    if (factory == nullptr) {
        if (error) {
            *error = failure;
        }
        return nullptr;
    }
    return factory(parent);
}

}  // namespace wf
