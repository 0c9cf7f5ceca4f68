// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>

namespace wf {

// The "VmRSS:" line of /proc/self/status: how much of the process is in
// memory now (empty where there is no such file).
inline QByteArray residentMemoryLine() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:")) {
                return line;
            }
        }
    }
    return {};
}

}  // namespace wf
