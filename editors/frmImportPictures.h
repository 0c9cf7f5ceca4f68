// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <vector>

#include "PhotoImport.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace wf {

struct AppState;
class SubjectPicker;

// Import Pictures: a row a file, with its thumbnail, when it was taken, and
// the bird, sighting and title proposed for it, or why it is refused. The
// boxes below change the rows chosen. Accept stores them all at once;
// Cancel stores nothing.
class frmImportPictures : public QDialog {
    Q_OBJECT
  public:
    // The files looked at and proposed already (PhotoImport::propose).
    frmImportPictures(AppState& state, std::vector<PhotoChoice> choices, QWidget* parent = nullptr);

    const std::vector<PhotoChoice>& choices() const { return choices_; }
    // How many were stored when Accept was pressed.
    int stored() const { return stored_; }

  private:
    void fillRow(int row);
    void showChosen();
    void birdTyped();
    void sightingChosen(int index);
    void titleTyped();
    std::vector<int> chosenRows() const;
    void cmdAccept_Click();

    AppState& state_;
    std::vector<PhotoChoice> choices_;
    QTableWidget* tblFiles_;
    QComboBox* cmbBird_;
    SubjectPicker* picker_;
    QComboBox* cmbSighting_;
    QLineEdit* txtTitle_;
    QLabel* lblSummary_;
    QPushButton* cmdAccept_;
    bool filling_ = false;
    int stored_ = 0;
};

}  // namespace wf
