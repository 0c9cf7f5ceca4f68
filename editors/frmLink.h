// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "ChangeWatch.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wf {

struct AppState;
class MainWindowApi;
class SubjectPicker;

// The link editor: a web address filed under a bird or a topic, or the title
// and address of an existing link (EditMode).
class frmLink : public QDialog {
    Q_OBJECT
  public:
    frmLink(AppState& state, MainWindowApi& main, QWidget* parent = nullptr);
    void done(int result) override;
    void reject() override;

  private:
    void Form_Load();
    void cmdSave_Click();

    AppState& state_;
    MainWindowApi& main_;
    QLabel* lblSubject_;
    QComboBox* cmbSub_;
    SubjectPicker* picker_;
    QLineEdit* txtTitle_;
    QLineEdit* txtLink_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
    bool editing_ = false;
    ChangeWatch changes_;
};

}  // namespace wf
