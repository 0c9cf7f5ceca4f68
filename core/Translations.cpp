// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace wf::translations {

QStringList folders() {
    const QString bin = QCoreApplication::applicationDirPath();
    return {QDir(bin).filePath(QStringLiteral(WINGFOLIO_TRANSLATIONS_INSTALLED)),
            QStringLiteral(WINGFOLIO_TRANSLATIONS_BUILT)};
}

bool install(const QString& file) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        return false;
    }
    const QLocale locale;
    // Qt's texts first: the program's own, installed last, are asked first.
    auto* qt = new QTranslator(app);
    if (qt->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    auto* own = new QTranslator(app);
    bool loaded = false;
    if (!file.isEmpty()) {
        loaded = own->load(file);
    } else {
        for (const QString& folder : folders()) {
            if (own->load(locale, QStringLiteral("wingfolio"), QStringLiteral("_"), folder)) {
                loaded = true;
                break;
            }
        }
    }
    if (!loaded) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    return true;
}

QString fileFromArguments(const QStringList& arguments) {
    static const QString option = QStringLiteral("--translation");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == option && i + 1 < arguments.size()) {
            return arguments[i + 1];
        }
        if (a.startsWith(option + u'=')) {
            return a.mid(option.size() + 1);
        }
    }
    return {};
}

}  // namespace wf::translations
