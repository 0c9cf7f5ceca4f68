// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "EbirdNames.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace wf {

struct AppState;

// Review eBird Names: the pairs of names whose records wait, each with the
// birds it may mean; the user files it under one, splits it by country,
// adds it as a new bird or leaves it for later. The choices made are
// listed on a second page, and can be changed (what they filed moves too).
class frmReviewNames : public QDialog {
    Q_OBJECT
  public:
    explicit frmReviewNames(AppState& state, QWidget* parent = nullptr);

    // Whether anything was filed or changed.
    bool changed() const { return changed_; }

  private:
    void fillWaiting();
    void fillChoices();
    void showSuggestions();
    const EbirdNames::Waiting* current() const;
    std::optional<qint64> birdNamed(const QString& name);
    void cmdFile_Click();
    void cmdSplit_Click();
    void cmdNew_Click();
    void cmdLater_Click();
    void cmdChange_Click();
    void report(const class AppError& e);

    AppState& state_;
    EbirdNames names_;
    std::vector<EbirdNames::Waiting> waiting_;
    std::vector<EbirdNames::Suggestion> suggestions_;
    std::vector<EbirdNames::Choice> choices_;
    QStringList birdNames_;
    QTabWidget* tabs_;
    QTableWidget* tblWaiting_;
    QListWidget* lstSuggestions_;
    QComboBox* cmbBird_;
    QPushButton* cmdFile_;
    QPushButton* cmdSplit_;
    QPushButton* cmdNew_;
    QPushButton* cmdLater_;
    QLabel* lblWaiting_;
    QTableWidget* tblChoices_;
    QComboBox* cmbChangeTo_;
    QPushButton* cmdChange_;
    bool changed_ = false;
};

}  // namespace wf
