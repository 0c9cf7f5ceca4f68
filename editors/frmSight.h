// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "Types.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace wf {

struct AppState;
class MainWindowApi;
class SubjectPicker;

// The sighting editor: one new observation of a bird, the bird added to the
// world list when it is not on it yet.
class frmSight : public QDialog {
    Q_OBJECT
  public:
    frmSight(AppState& state, MainWindowApi& main, QWidget* parent = nullptr);
    // Opens the editor on a stored sighting, which Save rewrites in place.
    void editSighting(const Sighting& s);
    bool editing() const { return editing_.has_value(); }

    QComboBox* cmbBird() const { return cmbBird_; }
    SubjectPicker& picker() const { return *picker_; }

    void done(int result) override;

  private:
    void Form_Load();
    void cmdSave_Click();

    AppState& state_;
    MainWindowApi& main_;
    QComboBox* cmbBird_;
    SubjectPicker* picker_;
    QDateEdit* DTPicker1_;
    QComboBox* cmbType_;
    QLineEdit* txtSite_;
    QComboBox* cmbDistrict_;
    QComboBox* cmbState_;
    QComboBox* cmbCountry_;
    QComboBox* cmbRegion_;
    QLineEdit* txtNotes_;
    QPushButton* cmdSave_;
    QPushButton* cmdClose_;
    std::optional<Sighting> editing_;
    QDate dateShown_;
};

}  // namespace wf
