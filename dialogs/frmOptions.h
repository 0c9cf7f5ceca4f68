// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "ChangeWatch.h"

class QComboBox;
class QLineEdit;

namespace wf {

struct AppState;

// The settings: the four active life-list areas and the web pane's search
// and home addresses, stored in the journal's options row; and how dates are
// shown, kept with the window settings.
class frmOptions : public QDialog {
    Q_OBJECT
  public:
    explicit frmOptions(AppState& state, QWidget* parent = nullptr);
    void reject() override;

  private:
    void cmdSave_Click();

    AppState& state_;
    QLineEdit* txtRegion_;
    QLineEdit* txtCountry_;
    QLineEdit* txtState_;
    QLineEdit* txtDistrict_;
    QLineEdit* txtSearch_;
    QLineEdit* txtHome_;
    QComboBox* cmbDates_;
    ChangeWatch changes_;
};

}  // namespace wf
