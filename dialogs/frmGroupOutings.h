// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <vector>

#include "Types.h"

class QLabel;
class QPushButton;
class QTableView;

namespace wf {

// The outings proposed for the sightings in none, a row each with a tick:
// date, site, the rest of the place, sightings and species.
class ProposedOutingsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ProposedOutingsModel(std::vector<ProposedOuting> proposed, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setAllChosen(bool chosen);
    // Ticks the rows given, or clears them when all of them are ticked.
    void toggle(const std::vector<int>& rows);
    std::vector<ProposedOuting> chosen() const;
    int chosenCount() const { return chosenCount_; }

  signals:
    void chosenChanged();

  private:
    std::vector<ProposedOuting> proposed_;
    std::vector<char> chosen_;
    int chosenCount_ = 0;
};

// Group Into Outings: the sightings typed before outings existed, proposed
// as one outing a day and site; the user ticks which to make.
class frmGroupOutings : public QDialog {
    Q_OBJECT
  public:
    frmGroupOutings(std::vector<ProposedOuting> proposed, QWidget* parent = nullptr);

    // The outings ticked when Group was pressed.
    std::vector<ProposedOuting> chosen() const { return model_->chosen(); }
    ProposedOutingsModel& model() const { return *model_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showCount();

    ProposedOutingsModel* model_;
    QTableView* tblProposed_;
    QLabel* lblCount_;
    QPushButton* cmdGroup_;
};

}  // namespace wf
