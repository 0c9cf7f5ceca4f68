// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace wf {

struct AppState;

// The custom search: a phrase and the field to look in. Search leaves them
// in the shared state's CustomSearchSql and closes; Cancel empties it; the
// close box leaves it as it was. Escape is Cancel.
class frmSearch : public QDialog {
    Q_OBJECT
  public:
    explicit frmSearch(AppState& state, QWidget* parent = nullptr);

    QLineEdit* txtPhrase() const { return txtPhrase_; }
    QComboBox* cmbSubject() const { return cmbSubject_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void cmdSearch_Click();
    void cmdCancel_Click();

    AppState& state_;
    QLineEdit* txtPhrase_;
    QComboBox* cmbSubject_;
    QPushButton* cmdSearch_;
    QPushButton* cmdCancel_;
};

}  // namespace wf
