// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppError.h"

namespace wf {

AppError::AppError(long number, QString source, QString description)
    : std::runtime_error(description.toStdString()),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

}  // namespace wf
