// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateField.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QTimer>

namespace wf {

DateField::DateField(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(displayFormatFor(locale()));
    setCalendarPopup(true);
    setCurrentSectionIndex(0);
}

QString DateField::displayFormatFor(const QLocale& locale) {
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

void DateField::selectSectionAt(int index) {
    setCurrentSectionIndex(std::clamp(index, 0, sectionCount() - 1));
    setSelectedSection(currentSection());
}

void DateField::focusInEvent(QFocusEvent* event) {
    QDateEdit::focusInEvent(event);
    // Entering from the keyboard starts at the first section, from the back
    // at the last; a click keeps the section clicked, selected.
    if (event->reason() == Qt::BacktabFocusReason) {
        selectSectionAt(sectionCount() - 1);
    } else if (event->reason() == Qt::MouseFocusReason) {
        QTimer::singleShot(0, this, [this] { selectSectionAt(currentSectionIndex()); });
    } else {
        selectSectionAt(0);
    }
}

void DateField::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Left) {
            selectSectionAt(currentSectionIndex() - 1);
            return;
        }
        if (event->key() == Qt::Key_Right) {
            selectSectionAt(currentSectionIndex() + 1);
            return;
        }
    }
    QDateEdit::keyPressEvent(event);
}

bool DateField::focusNextPrevChild(bool next) {
    // Tab leaves the field, like any other field of the form.
    return QWidget::focusNextPrevChild(next);
}

}  // namespace wf
