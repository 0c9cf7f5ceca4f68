// SPDX-License-Identifier: GPL-3.0-or-later
#include "Words.h"

#include <QLocale>
#include <atomic>

namespace wf::words {

namespace {

// The program's one date setting: read by every window, set by the Options.
std::atomic<DateStyle> chosenStyle{DateStyle::Short};

}  // namespace

void setDateStyle(DateStyle style) {
    chosenStyle = style;
}

DateStyle dateStyle() {
    return chosenStyle;
}

QString dateStyleKey(DateStyle style) {
    switch (style) {
        case DateStyle::Long:
            return QStringLiteral("long");
        case DateStyle::Iso:
            return QStringLiteral("iso");
        case DateStyle::Short:
            break;
    }
    return QStringLiteral("short");
}

DateStyle dateStyleFromKey(const QString& key) {
    if (key == QLatin1String("long")) {
        return DateStyle::Long;
    }
    if (key == QLatin1String("iso")) {
        return DateStyle::Iso;
    }
    return DateStyle::Short;
}

QString date(QDate d) {
    return date(d, dateStyle());
}

QString date(QDate d, DateStyle style) {
    if (!d.isValid()) {
        return {};
    }
    switch (style) {
        case DateStyle::Long:
            return QLocale().toString(d, QLocale::LongFormat);
        case DateStyle::Iso:
            return d.toString(Qt::ISODate);
        case DateStyle::Short:
            break;
    }
    return QLocale().toString(d, QLocale::ShortFormat);
}

QString time(QTime t) {
    return t.isValid() ? QLocale().toString(t, QLocale::ShortFormat) : QString();
}

QString counted(qint64 n, const QString& one, const QString& many) {
    return QString::number(n) + u' ' + (n == 1 ? one : many);
}

}  // namespace wf::words
