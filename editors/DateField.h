// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateEdit>

namespace wf {

// A date typed the way a person types one: day, month and year in the
// order of the user's locale, each section selected on entry so that the
// digits typed replace it and move on to the next section once it is full;
// Left and Right step between sections, Up and Down change the one
// selected, Tab leaves the field. The calendar drop-down stays.
class DateField : public QDateEdit {
    Q_OBJECT
  public:
    explicit DateField(QWidget* parent = nullptr);

    // "dd/MM/yyyy", "MM/dd/yyyy" or "yyyy-MM-dd", after the locale's own
    // order and separator, with every section at full width.
    static QString displayFormatFor(const QLocale& locale);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void selectSectionAt(int index);
};

}  // namespace wf
