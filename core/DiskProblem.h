// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "AppError.h"

namespace wf {

// The disk that holds a file, in words: "the disk /dev/sda1 (mounted at
// /home)".
QString diskOf(const QString& path);

// A write to path that failed with errnum, as the user is told it: a full
// disk (err::DiskFull) or one that failed (err::DeviceIO) named, with what
// to do; any other cause as the system words it (err::PathAccess).
AppError diskProblem(const QString& path, int errnum, const QString& source);

}  // namespace wf
