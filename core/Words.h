// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace wf {

// How dates are written for people everywhere in the program (grid, lists,
// pages, statistics, messages); the exports keep their own formats.
enum class DateStyle {
    Short,  // the locale's short date (the default)
    Long,   // the locale's long date
    Iso,    // 2026-05-03
};

namespace words {

// The style chosen in the Options, for the whole run.
void setDateStyle(DateStyle style);
DateStyle dateStyle();
// The setting's text ("short", "long", "iso") and back; unknown text is Short.
QString dateStyleKey(DateStyle style);
DateStyle dateStyleFromKey(const QString& key);

// A date as people read it; an invalid date is empty.
QString date(QDate d);
QString date(QDate d, DateStyle style);
// A time of day as the locale writes it short; an invalid time is empty.
QString time(QTime t);

// "1 place", "3 places".
QString counted(qint64 n, const QString& one, const QString& many);

}  // namespace words

}  // namespace wf
