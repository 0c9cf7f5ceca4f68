// SPDX-License-Identifier: GPL-3.0-or-later
#include "Module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>

namespace wf {

namespace {

// Where a module is: installed beside the program's libraries, or where the
// build made it.
QStringList modulePaths(const QString& module) {
    const QString file = QStringLiteral("libwingfolio_%1.so").arg(module);
    const QDir exe(QCoreApplication::applicationDirPath());
    return {exe.filePath(QStringLiteral(WINGFOLIO_MODULES_INSTALLED "/") + file),
            QStringLiteral(WINGFOLIO_MODULES_BUILT "/") + file};
}

struct Found {
    QFunctionPointer entry = nullptr;
    QString failure;
};

}  // namespace

QFunctionPointer moduleEntry(const QString& module, const char* entry, QString* error) {
    // Asked for again and again (each statistics window, each eBird file):
    // answered from what was found the first time, good or bad.
    static QHash<QString, Found> found;
    const QString key = module + u'/' + QLatin1String(entry);
    auto it = found.find(key);
    if (it == found.end()) {
        Found f;
        QStringList tried;
        for (const QString& path : modulePaths(module)) {
            if (!QFileInfo::exists(path)) {
                tried << path;
                continue;
            }
            QLibrary library(path);  // left open: what it makes lives on
            f.entry = library.resolve(entry);
            if (f.entry != nullptr) {
                break;
            }
            tried << path + QStringLiteral(" (") + library.errorString() + u')';
        }
        if (f.entry == nullptr) {
            f.failure = tried.join(QStringLiteral("; "));
        }
        it = found.insert(key, f);
    }
    if (it->entry == nullptr && error != nullptr) {
        *error = it->failure;
    }
    return it->entry;
}

}  // namespace wf
