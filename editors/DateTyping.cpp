// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateTyping.h"

#include <QStringList>
#include <array>

namespace wf {

namespace {

// The widths of the three sections in typing order.
std::array<int, 3> widthsOf(DateTyping::Order order) {
    return order == DateTyping::Order::YearMonthDay ? std::array<int, 3>{4, 2, 2}
                                                    : std::array<int, 3>{2, 2, 4};
}

bool allDigits(const QString& s) {
    for (const QChar c : s) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return !s.isEmpty();
}

// Whether the keys begin with four digits and a separator: a year first.
bool yearFirst(const QString& raw) {
    return raw.size() >= 5 && allDigits(raw.left(4)) && DateTyping::isSeparator(raw[4]);
}

}  // namespace

DateTyping::DateTyping(Order order, QChar separator, QDate today)
    : order_(order), separator_(separator), today_(today) {}

QString DateTyping::displayFormatFor(const QLocale& locale) {
    const QString f = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype d = f.indexOf(u'd');
    const qsizetype m = f.indexOf(u'M');
    const qsizetype y = f.indexOf(u'y');
    if (d < 0 || m < 0 || y < 0) {
        return QStringLiteral("dd/MM/yyyy");
    }
    // The separator is the first character between sections.
    QChar sep = u'/';
    for (const QChar c : f) {
        if (c != u'd' && c != u'M' && c != u'y' && !c.isLetter()) {
            sep = c == u' ' ? u'/' : c;
            break;
        }
    }
    const QString s(sep);
    if (y < m && y < d) {
        return QStringLiteral("yyyy") + s + QStringLiteral("MM") + s + QStringLiteral("dd");
    }
    if (m < d) {
        return QStringLiteral("MM") + s + QStringLiteral("dd") + s + QStringLiteral("yyyy");
    }
    return QStringLiteral("dd") + s + QStringLiteral("MM") + s + QStringLiteral("yyyy");
}

DateTyping DateTyping::forLocale(const QLocale& locale, QDate today) {
    const QString f = displayFormatFor(locale);
    if (f.startsWith(u'y')) {
        return {Order::YearMonthDay, f[4], today};
    }
    return {f.startsWith(u'M') ? Order::MonthDayYear : Order::DayMonthYear, f[2], today};
}

bool DateTyping::isSeparator(QChar c) {
    return c == u'/' || c == u'-' || c == u'.' || c == u' ' || c == u',';
}

int DateTyping::fullYear(int twoDigits, QDate today) {
    const int latest = (today.isValid() ? today.year() : QDate::currentDate().year()) + 1;
    int year = latest - latest % 100 + twoDigits;
    if (year > latest) {
        year -= 100;
    }
    return year;
}

void DateTyping::start(const QString& shown) {
    raw_.clear();
    for (const QChar c : shown) {
        if (c.isDigit() || isSeparator(c)) {
            raw_.append(c);
        }
    }
}

bool DateTyping::key(QChar c) {
    if (!(c >= u'0' && c <= u'9') && !isSeparator(c)) {
        return false;
    }
    // Every key is kept as typed, swallowed or not, so that a separator
    // typed after a section that moved on by itself is not taken for the
    // separator after a four-digit year.
    const QString before = text();
    raw_.append(c);
    return text() != before;
}

void DateTyping::backspace() {
    const QString shown = text();
    raw_.chop(1);
    // A separator the field put in by itself goes with the digit before it.
    while (!raw_.isEmpty() && text() == shown) {
        raw_.chop(1);
    }
}

QString DateTyping::text() const {
    const bool iso = yearFirst(raw_);
    const std::array<int, 3> widths = widthsOf(iso ? Order::YearMonthDay : order_);
    const QChar sep = iso ? QChar(u'-') : separator_;
    std::array<QString, 3> sections;
    size_t i = 0;
    for (const QChar c : raw_) {
        if (c >= u'0' && c <= u'9') {
            if (sections[i].size() == widths[i]) {
                if (i == 2) {
                    continue;  // the year is full
                }
                ++i;
            }
            sections[i].append(c);
        } else if (!sections[i].isEmpty() && i < 2) {
            ++i;  // the section ends where the separator was typed
        }
    }
    QString out = sections[0];
    for (size_t s = 1; s <= i; ++s) {
        out += sep + sections[s];
    }
    // A full section moves on by itself.
    if (i < 2 && sections[i].size() == widths[i]) {
        out += sep;
    }
    return out;
}

QDate DateTyping::date() const {
    // Digits alone are read whole: eight of them may be ISO although the
    // field showed them in the locale's sections.
    return allDigits(raw_) ? parse(raw_) : parse(text());
}

QDate DateTyping::parse(const QString& text) const {
    QStringList groups;
    QString current;
    for (const QChar c : text.trimmed()) {
        if (isSeparator(c)) {
            if (!current.isEmpty()) {
                groups << current;
                current.clear();
            }
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty()) {
        groups << current;
    }
    for (const QString& g : groups) {
        if (!allDigits(g)) {
            return {};
        }
    }
    // Day, month and year from their texts; a year of one or two digits is
    // completed, one of three or more is taken as it stands.
    const auto make = [this](const QString& y, const QString& m, const QString& d) {
        if (d.size() > 2 || m.size() > 2 || y.size() == 3 || y.size() > 4) {
            return QDate();
        }
        const int year = y.size() <= 2 ? fullYear(y.toInt(), today_) : y.toInt();
        if (year < 1000) {
            return QDate();
        }
        return QDate(year, m.toInt(), d.toInt());
    };
    const auto inOrder = [&](Order order, const QString& a, const QString& b, const QString& c) {
        switch (order) {
            case Order::DayMonthYear:
                return make(c, b, a);
            case Order::MonthDayYear:
                return make(c, a, b);
            case Order::YearMonthDay:
                break;
        }
        return make(a, b, c);
    };
    if (groups.size() == 3) {
        if (groups[0].size() == 4) {
            return make(groups[0], groups[1], groups[2]);
        }
        return inOrder(order_, groups[0], groups[1], groups[2]);
    }
    if (groups.size() != 1) {
        return {};
    }
    const QString& g = groups[0];
    if (g.size() == 6) {
        return inOrder(order_, g.mid(0, 2), g.mid(2, 2), g.mid(4, 2));
    }
    if (g.size() == 8) {
        const QDate local = order_ == Order::YearMonthDay
                                ? QDate()
                                : inOrder(order_, g.mid(0, 2), g.mid(2, 2), g.mid(4, 4));
        return local.isValid() ? local : make(g.mid(0, 4), g.mid(4, 2), g.mid(6, 2));
    }
    return {};
}

QString DateTyping::format(QDate date) const {
    if (!date.isValid()) {
        return {};
    }
    const QString d = QStringLiteral("%1").arg(date.day(), 2, 10, QChar(u'0'));
    const QString m = QStringLiteral("%1").arg(date.month(), 2, 10, QChar(u'0'));
    const QString y = QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0'));
    const QString s(separator_);
    switch (order_) {
        case Order::DayMonthYear:
            return d + s + m + s + y;
        case Order::MonthDayYear:
            return m + s + d + s + y;
        case Order::YearMonthDay:
            break;
    }
    return y + s + m + s + d;
}

}  // namespace wf
