// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace wf::jet {

// A Jet date/time value: whole days from 1899-12-30 (negative before it),
// the fraction the time of day, counted forward even when the day is
// negative (-1.25 is 1899-12-29 06:00). As the store keeps dates:
// "YYYY-MM-DD", or "YYYY-MM-DDThh:mm:ss" when there is a time of day.
QString dateText(double value);

// A text value as a Jet 4 file stores it: UTF-16LE, or "compressed" when it
// starts with FF FE (then single bytes stand for U+0000-U+00FF, and each 00
// byte switches between single bytes and UTF-16 pairs). Surrogate pairs come
// through whole; a lone half becomes U+FFFD.
QString text(const QByteArray& stored);

}  // namespace wf::jet
