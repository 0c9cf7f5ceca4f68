#include "DataFolder.h"

#include <QDir>
#include <QFileInfo>

#include "AppError.h"
#include "Store.h"

namespace wf {

namespace {
const QString kSource = QStringLiteral("wingfolio.DataFolder");
}

QString DataFolder::choose(const QString& commandLineDir, const QString& programDir,
                           const QString& userDataDir) {
    if (!commandLineDir.isEmpty()) {
        return QDir(commandLineDir).absolutePath();
    }
    if (!programDir.isEmpty() && QFileInfo::exists(QDir(programDir).filePath(Store::kFileName))) {
        return QDir(programDir).absolutePath();
    }
    return QDir(userDataDir).absolutePath();
}

QString DataFolder::journalPath() const {
    return QDir(dir_).filePath(Store::kFileName);
}

QString DataFolder::imagesDir() const {
    return QDir(dir_).filePath(QStringLiteral("Images"));
}

std::optional<QString> DataFolder::picturePath(const QString& fname) const {
    if (fname.isEmpty() || fname == QLatin1String(".") || fname == QLatin1String("..") ||
        fname.contains(u'/') || fname.contains(QChar(0))) {
        return std::nullopt;
    }
    return imagesDir() + u'/' + fname;
}

std::unique_ptr<Store> DataFolder::openJournal(const QString& worldListCsv) const {
    const QString path = journalPath();
    auto wrap = [&](const AppError& e) {
        return AppError(e.number(), e.source(),
                        QStringLiteral("Wingfolio cannot open the journal \"%1\".\n\n%2")
                            .arg(QDir::toNativeSeparators(path), e.description()));
    };
    std::unique_ptr<Store> store;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        try {
            store = Store::open(path);
        } catch (const AppError& e) {
            throw wrap(e);
        }
    } else {
        if (!QDir().mkpath(dir_)) {
            throw AppError(err::PathAccess, kSource,
                           QStringLiteral("Wingfolio cannot create its data folder \"%1\". "
                                          "Choose a folder you can write to with --data-dir.")
                               .arg(QDir::toNativeSeparators(dir_)));
        }
        try {
            store = Store::create(path, worldListCsv);
        } catch (const AppError& e) {
            throw AppError(e.number(), e.source(),
                           QStringLiteral("Wingfolio cannot create a new journal in the data "
                                          "folder \"%1\".\n\n%2")
                               .arg(QDir::toNativeSeparators(dir_), e.description()));
        }
    }
    if (!QDir().mkpath(imagesDir())) {
        throw AppError(err::PathAccess, kSource,
                       QStringLiteral("Wingfolio cannot create the picture folder \"%1\".")
                           .arg(QDir::toNativeSeparators(imagesDir())));
    }
    return store;
}

}  // namespace wf
