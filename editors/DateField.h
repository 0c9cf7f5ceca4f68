// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>

#include <QDate>
#include <QLineEdit>

#include "DateTyping.h"

class QCalendarWidget;

class QFormLayout;

namespace wf {

// A date typed the way a person types one (see DateTyping): day, month and
// year in the order of the user's locale, with or without separators, a
// two-digit year, or ISO. Entering the field selects it, so that what is
// typed replaces the date; Backspace takes back the last key; Up and Down
// step a day; Tab and Shift+Tab leave the field like any other. A text that
// is no date (31/02/2026) stays as typed and the field is marked. The
// calendar button beside the text picks a day with the mouse.
class DateField : public QLineEdit {
    Q_OBJECT
  public:
    explicit DateField(QWidget* parent = nullptr);

    // The date shown; null while the text is empty or no date.
    QDate date() const;
    void setDate(QDate date);
    // Whether the text is a date (an empty field is not).
    bool hasDate() const { return date().isValid(); }
    // The day that two-digit years are read against (today by default).
    void setToday(QDate today) { typing_.setToday(today); }
    // The format a date is shown in, after the widget's locale.
    QString displayFormat() const;
    // Marks the field as holding no date, or clears the mark.
    void markInvalid(bool invalid);
    bool markedInvalid() const { return marked_; }

    static QString displayFormatFor(const QLocale& locale) {
        return DateTyping::displayFormatFor(locale);
    }

  signals:
    void dateChanged(QDate date);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void showText(const QString& text);
    void showCalendar();

    DateTyping typing_;
    bool typingStarted_ = false;
    bool marked_ = false;
    QDate date_;  // the date of the text shown
};

// Marks a field whose text cannot be stored (a light red ground and the
// reason as its tooltip), or clears the mark.
void markFieldInvalid(QWidget* field, bool invalid, const QString& why = {});

// The "From" and "To" fields of a stretch of days, added to form (named
// dtFrom and dtTo) and set to from and to.
std::pair<DateField*, DateField*> addDateRange(QFormLayout* form, QWidget* parent, QDate from,
                                               QDate to);

}  // namespace wf
