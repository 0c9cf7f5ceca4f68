// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace wf {

// A date as a person types it, key by key: day, month and year in the
// locale's order, each section moving on to the next once it is full or
// when a separator (/ - . or space) is typed. A separator typed right after
// a section moved on by itself is swallowed, not taken as an empty section.
// Four digits and a separator at the start are a year: ISO 2026-05-03 is
// understood in any locale. A year of one or two digits is the nearest year
// not after next year. Nothing is ever corrected: 31/02/2026 stays as typed
// and is not a date.
class DateTyping {
  public:
    enum class Order { DayMonthYear, MonthDayYear, YearMonthDay };

    DateTyping(Order order, QChar separator, QDate today);
    // The order and separator of the locale's short date format.
    static DateTyping forLocale(const QLocale& locale, QDate today);
    // "dd/MM/yyyy", "MM/dd/yyyy" or "yyyy-MM-dd", after the locale's own
    // order and separator, with every section at full width.
    static QString displayFormatFor(const QLocale& locale);

    Order order() const { return order_; }
    QChar separator() const { return separator_; }
    void setToday(QDate today) { today_ = today; }

    // Starts again from nothing, or from a text already shown.
    void clear() { raw_.clear(); }
    void start(const QString& shown);
    // One key: a digit or a separator; anything else is ignored. False when
    // the key changed nothing (a separator swallowed, a digit past the year).
    bool key(QChar c);
    void backspace();

    // What the field shows for the keys so far.
    QString text() const;
    // The date they make; null while incomplete or when no such day exists.
    QDate date() const;

    // The date of a whole text as typed or pasted: the locale's order, ISO,
    // or six or eight digits without separators.
    QDate parse(const QString& text) const;
    // A date written in the locale's order, every section at full width.
    QString format(QDate date) const;
    // The year of one or two digits: the nearest not after next year.
    static int fullYear(int twoDigits, QDate today);

    static bool isSeparator(QChar c);

  private:
    Order order_;
    QChar separator_;
    QDate today_;
    QString raw_;  // the digits and separators typed, as typed
};

}  // namespace wf
