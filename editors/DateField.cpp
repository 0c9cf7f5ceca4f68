// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateField.h"

#include <QFormLayout>

#include <QAction>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QStyle>
#include <QTimer>
#include <QWidgetAction>

namespace wf {

DateField::DateField(QWidget* parent)
    : QLineEdit(parent), typing_(DateTyping::forLocale(locale(), QDate::currentDate())) {
    setPlaceholderText(displayFormat().toUpper());
    QAction* calendar = addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                  QLineEdit::TrailingPosition);
    calendar->setObjectName(QStringLiteral("actCalendar"));
    calendar->setToolTip(tr("Choose the day from a calendar"));
    connect(calendar, &QAction::triggered, this, &DateField::showCalendar);
    // Text put in some other way (pasted, cut) is read as a whole.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        typingStarted_ = false;
        const int caret = cursorPosition();
        showText(text);
        setCursorPosition(caret);  // the edit goes on where it was made
    });
}

QString DateField::displayFormat() const {
    return DateTyping::displayFormatFor(locale());
}

QDate DateField::date() const {
    return date_;
}

void DateField::setDate(QDate date) {
    typingStarted_ = false;
    showText(typing_.format(date));
}

void markFieldInvalid(QWidget* field, bool invalid, const QString& why) {
    field->setProperty("invalid", invalid);
    QPalette p;
    if (invalid) {
        p = field->palette();
        p.setColor(QPalette::Base, QColor(0xff, 0xdd, 0xdd));
        p.setColor(QPalette::Text, Qt::black);
    }
    field->setPalette(p);
    field->setToolTip(invalid ? why : QString());
}

void DateField::markInvalid(bool invalid) {
    if (marked_ == invalid) {
        return;
    }
    marked_ = invalid;
    markFieldInvalid(this, invalid,
                     tr("This is not a date. Type the day as %1.").arg(displayFormat().toUpper()));
}

void DateField::showText(const QString& text) {
    if (text != this->text()) {
        setText(text);
    }
    end(false);
    const QDate d = typingStarted_ ? typing_.date() : typing_.parse(text);
    if (marked_ && (d.isValid() || text.isEmpty())) {
        markInvalid(false);
    }
    if (d != date_) {
        date_ = d;
        emit dateChanged(d);
    }
}

void DateField::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const QString t = event->text();
    if ((mods == Qt::NoModifier || mods == Qt::ShiftModifier) && t.size() == 1 && t[0].isPrint()) {
        const QChar c = t[0];
        // A key typed inside the text (the caret put there to mend one
        // part) goes in where the caret is; the whole is read again.
        const bool inside = !hasSelectedText() && cursorPosition() < text().size();
        if (inside && (c.isDigit() || DateTyping::isSeparator(c))) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        // Typing over the whole text, or into an empty field, starts afresh;
        // otherwise the keys go on from what is shown.
        if (selectedText() == text() || !typingStarted_) {
            if (selectedText() == text()) {
                typing_.clear();
            } else {
                typing_.start(text());
            }
            typingStarted_ = true;
        }
        if (c.isDigit() || DateTyping::isSeparator(c)) {
            typing_.key(c);
            showText(typing_.text());
        }
        event->accept();  // letters have no place in a date
        return;
    }
    if (mods == Qt::NoModifier && event->key() == Qt::Key_Backspace && !hasSelectedText() &&
        cursorPosition() < text().size()) {
        QLineEdit::keyPressEvent(event);  // inside the text: as any field does
        return;
    }
    if (mods == Qt::NoModifier && event->key() == Qt::Key_Backspace) {
        if (selectedText() == text()) {
            typing_.clear();
        } else if (!typingStarted_) {
            typing_.start(text());
        }
        typingStarted_ = true;
        typing_.backspace();
        showText(typing_.text());
        event->accept();
        return;
    }
    if (mods == Qt::NoModifier && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        const QDate d = date();
        if (d.isValid()) {
            setDate(d.addDays(event->key() == Qt::Key_Up ? 1 : -1));
            selectAll();
        }
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DateField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    typingStarted_ = false;
    // Coming in from the keyboard, the date is selected so that typing
    // replaces it; a click leaves the caret where it fell.
    if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason) {
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) {
                selectAll();
            }
        });
    }
}

void DateField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason) {
        return;
    }
    typingStarted_ = false;
    // A date is shown in full; a text that is no date stays, marked.
    const QDate d = date();
    if (d.isValid()) {
        showText(typing_.format(d));
    } else {
        markInvalid(!text().trimmed().isEmpty());
    }
}

void DateField::showCalendar() {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto* calendar = new QCalendarWidget(menu);
    calendar->setObjectName(QStringLiteral("calendar"));
    if (date().isValid()) {
        calendar->setSelectedDate(date());
    }
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(calendar);
    menu->addAction(action);
    connect(calendar, &QCalendarWidget::activated, this, [this, menu](QDate d) {
        setDate(d);
        menu->close();
    });
    connect(calendar, &QCalendarWidget::clicked, this, [this, menu](QDate d) {
        setDate(d);
        menu->close();
    });
    menu->popup(mapToGlobal(rect().bottomLeft()));
}

std::pair<DateField*, DateField*> addDateRange(QFormLayout* form, QWidget* parent, QDate from,
                                               QDate to) {
    auto* fromField = new DateField(parent);
    fromField->setObjectName(QStringLiteral("dtFrom"));
    fromField->setDate(from);
    auto* toField = new DateField(parent);
    toField->setObjectName(QStringLiteral("dtTo"));
    toField->setDate(to);
    form->addRow(DateField::tr("&From:"), fromField);
    form->addRow(DateField::tr("&To:"), toField);
    return {fromField, toField};
}

}  // namespace wf
