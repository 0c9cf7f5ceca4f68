// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskProblem.h"
#include "Tr.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>
#include <cstring>

namespace wf {

QString diskOf(const QString& path) {
    // The nearest folder that exists answers for the file.
    QFileInfo f(path);
    QString dir = f.isDir() ? f.absoluteFilePath() : f.absolutePath();
    while (!dir.isEmpty() && !QFileInfo::exists(dir) && dir != QDir::rootPath()) {
        dir = QFileInfo(dir).absolutePath();
    }
    const QStorageInfo disk(dir);
    if (!disk.isValid()) {
        return wf::tr("the disk holding %1").arg(QDir::toNativeSeparators(path));
    }
    const QString device = QString::fromLocal8Bit(disk.device());
    return wf::tr("the disk %1 (mounted at %2)")
        .arg(device.isEmpty() ? disk.displayName() : device,
             QDir::toNativeSeparators(disk.rootPath()));
}

AppError diskProblem(const QString& path, int errnum, const QString& source) {
    const QString where = QDir::toNativeSeparators(path);
    if (errnum == ENOSPC || errnum == EDQUOT) {
        return AppError(err::DiskFull, source,
                        wf::tr("There is no room left on %1, so %2 could not be "
                               "written: nothing was changed. Free some space on it "
                               "and try again.")
                            .arg(diskOf(path), where));
    }
    if (errnum == EIO) {
        return AppError(err::DeviceIO, source,
                        wf::tr("%1 failed while %2 was being written "
                               "(input/output error): nothing was changed. Check the "
                               "disk before you go on.")
                            .arg(diskOf(path).replace(0, 1, QStringLiteral("T")), where));
    }
    return AppError(err::PathAccess, source,
                    wf::tr("%1 could not be written: %2")
                        .arg(where, QString::fromLocal8Bit(std::strerror(errnum))));
}

}  // namespace wf
