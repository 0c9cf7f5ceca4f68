// SPDX-License-Identifier: GPL-3.0-or-later
// Backup zips, written and unpacked with libzip: part of the zip module.
#include "BackupZip.h"
#include "Tr.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>

namespace {

QString zipError(zip_error_t* e) {
    return QString::fromUtf8(zip_error_strerror(e));
}

// The system's error number behind a libzip error, or 0.
int systemError(zip_error_t* e) {
    return zip_error_system_type(e) == ZIP_ET_SYS ? zip_error_code_system(e) : 0;
}

// Whether an entry's name may be unpacked: aviary.mdb, or a plain file name
// inside Images/.
bool wanted(const QString& name) {
    if (name == QLatin1String("aviary.mdb")) {
        return true;
    }
    if (!name.startsWith(QLatin1String("Images/"))) {
        return false;
    }
    const QString file = name.mid(7);
    return !file.isEmpty() && !file.contains(u'/') && !file.contains(u'\\') &&
           file != QLatin1String(".") && file != QLatin1String("..");
}

}  // namespace

extern "C" Q_DECL_EXPORT bool wingfolio_write_zip(const QString& folder, const QStringList& names,
                                                  const QString& target, QString* error,
                                                  int* errnum) {
    int code = 0;
    // libzip writes the archive under a name of its own and renames it into
    // place when it is closed whole.
    zip_t* archive =
        zip_open(QFile::encodeName(target).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (archive == nullptr) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        *error = zipError(&e);
        *errnum = systemError(&e);
        zip_error_fini(&e);
        return false;
    }
    for (const QString& name : names) {
        const QByteArray path = QFile::encodeName(QDir(folder).filePath(name));
        zip_source_t* source = zip_source_file(archive, path.constData(), 0, -1);
        const zip_int64_t index =
            source == nullptr
                ? -1
                : zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            if (source != nullptr) {
                zip_source_free(source);
            }
            *error = zipError(zip_get_error(archive));
            *errnum = systemError(zip_get_error(archive));
            zip_discard(archive);
            return false;
        }
        // Pictures are packed already: stored as they are.
        if (name.startsWith(QLatin1String("Images/"))) {
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        }
    }
    if (zip_close(archive) != 0) {
        *error = zipError(zip_get_error(archive));
        *errnum = systemError(zip_get_error(archive));
        zip_discard(archive);
        return false;
    }
    return true;
}

extern "C" Q_DECL_EXPORT bool wingfolio_unpack_backup_zip(const QString& zipPath,
                                                          const QString& folder, QString* error) {
    int code = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &code), zip_discard);
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        *error = zipError(&e);
        zip_error_fini(&e);
        return false;
    }
    bool journal = false;
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("Images")));
    const zip_int64_t n = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* raw = zip_get_name(archive.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        const QString name = raw ? QString::fromUtf8(raw) : QString();
        if (!wanted(name)) {
            continue;
        }
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> in(
            zip_fopen_index(archive.get(), zip_uint64_t(i), 0), zip_fclose);
        if (!in) {
            *error = QStringLiteral("%1: %2").arg(name, zipError(zip_get_error(archive.get())));
            return false;
        }
        QSaveFile out(QDir(folder).filePath(name));
        if (!out.open(QIODevice::WriteOnly)) {
            *error = out.errorString();
            return false;
        }
        char buffer[1 << 16];
        for (;;) {
            const zip_int64_t got = zip_fread(in.get(), buffer, sizeof buffer);
            if (got < 0) {
                *error = QStringLiteral("%1: %2").arg(name, zipError(zip_file_get_error(in.get())));
                return false;
            }
            if (got == 0) {
                break;
            }
            if (out.write(buffer, got) != got) {
                *error = out.errorString();
                return false;
            }
        }
        if (!out.commit()) {
            *error = out.errorString();
            return false;
        }
        journal = journal || name == QLatin1String("aviary.mdb");
    }
    if (!journal) {
        *error = wf::tr("it holds no aviary.mdb");
        return false;
    }
    return true;
}
