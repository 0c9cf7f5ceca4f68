// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <utility>
#include <vector>

#include "ChangeWatch.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

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
    // The country names typed, checked: false (the user told why) when a
    // line is not "name = country" or names no country of the map.
    bool readAliases(std::vector<std::pair<QString, QString>>& aliases);
    void cmdSave_Click();

    AppState& state_;
    QLineEdit* txtRegion_;
    QLineEdit* txtCountry_;
    QLineEdit* txtState_;
    QLineEdit* txtDistrict_;
    QLineEdit* txtSearch_;
    QLineEdit* txtHome_;
    QPlainTextEdit* txtAliases_;
    QComboBox* cmbDates_;
    ChangeWatch changes_;
};

}  // namespace wf
