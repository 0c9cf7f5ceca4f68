// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace wf {

struct AppState;
class MainWindowApi;

// The subject editor: renames a bird or a topic, or deletes it with (after
// asking) its entries and, for a bird, its sightings.
class frmSubject : public QDialog {
    Q_OBJECT
  public:
    frmSubject(AppState& state, MainWindowApi& main, QWidget* parent = nullptr);

    QComboBox* cmbSubject() const { return cmbSubject_; }
    qint64 selectedId() const { return selectedId_; }

    // Closing with a new name typed asks before the name is thrown away.
    void reject() override;

  private:
    void showSelected();
    bool confirmRename(const QString& oldName, const QString& newName);
    void Form_Load();
    void cmbSubject_Click();
    void cmdSave_Click();
    void cmdDelete_Click();
    void rebuildTree();
    void report(long number, const QString& description);

    AppState& state_;
    MainWindowApi& main_;
    QLabel* lbl_;
    QComboBox* cmbSubject_;
    class SubjectPicker* picker_;
    QLabel* lblRenaming_;
    QString selectedName_;
    QPushButton* cmdSave_;
    QPushButton* cmdDelete_;
    QPushButton* cmdCancel_;
    qint64 selectedId_ = 0;
};

}  // namespace wf
