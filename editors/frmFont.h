// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>
#include <optional>

#include "SelectionFormat.h"

class QCheckBox;
class QDoubleSpinBox;
class QFontComboBox;
class QPushButton;

namespace wf {

class DialogRunner;

// The font dialog of the article editor: font name, size, bold, italic,
// underline, strike-out and colour. A field is filled only where the
// selection has one value, and only fields that hold a value (filled, or
// set by the user) are applied.
class frmFont : public QDialog {
    Q_OBJECT
  public:
    struct Choice {
        std::optional<QString> family;
        std::optional<qreal> size;
        std::optional<bool> bold, italic, underline, strike;
        std::optional<QColor> color;
    };

    frmFont(const rtf::SelectionFormat& selection, DialogRunner& dialogs,
            QWidget* parent = nullptr);
    Choice choice() const { return choice_; }

  private:
    void chooseColor();
    void showColor();

    DialogRunner& dialogs_;
    Choice choice_;
    QFontComboBox* cmbFont_;
    QDoubleSpinBox* txtSize_;
    QCheckBox* chk_[4];
    QPushButton* cmdColor_;
};

}  // namespace wf
