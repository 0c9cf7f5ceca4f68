// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryFrame.h"

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
class frmLink : public EntryFrame {
    Q_OBJECT
  public:
    frmLink(AppState& state, MainWindowApi& main, QWidget* parent = nullptr);

  private:
    void Form_Load();
    void cmdSave_Click() override;

    QLineEdit* txtLink_;
};

}  // namespace wf
