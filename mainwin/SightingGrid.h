// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <unordered_set>
#include <vector>

#include "Types.h"

namespace wf {

// A bird's sightings as the grid shows them, one row each, in the order of
// their ids. The sightings are read from the journal a block of rows at a
// time as the view first asks for them, and each cell's text is made when
// it is shown, so a bird seen ten thousand times shows as soon as one
// screenful is read.
class SightingGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kBlock = 128;
    // Reads the sightings of some ids, in that order.
    using Reader = std::function<std::vector<Sighting>(const std::vector<qint64>& ids)>;

    explicit SightingGridModel(QObject* parent = nullptr);

    void setHeaders(const QStringList& headers);
    void setSightings(std::vector<qint64> ids, Reader read);
    void clear() { setSightings({}, {}); }
    qint64 id(int row) const;
    // Whether the row has been read from the journal yet.
    bool isRead(int row) const;
    // The text of a cell (reading its block if need be); the first column
    // is the sighting's id.
    QString text(int row, int column) const;
    // Told when a block cannot be read; its rows stay blank.
    std::function<void(const class AppError&)> onReadError;
    // The sightings a picture is tied to: their rows carry a camera mark.
    void setPhotographed(std::unordered_set<qint64> ids);
    bool photographed(int row) const;
    // The column the camera mark is drawn in.
    static constexpr int kMarkColumn = 1;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  signals:
    // Rows [first, first + count) have just been read.
    void rowsRead(int first, int count) const;

  private:
    const Sighting* row(int r) const;

    QStringList headers_;
    std::vector<qint64> ids_;
    std::unordered_set<qint64> photographed_;
    Reader read_;
    // The rows read so far, by block.
    mutable std::vector<std::vector<Sighting>> blocks_;
    mutable std::vector<bool> blockRead_;
};

// The sightings grid ("fg1"): a table view of a SightingGridModel, a row
// at a time. Enter or a double-click on a row asks for it to be corrected.
class SightingGrid : public QTableView {
    Q_OBJECT
  public:
    explicit SightingGrid(QWidget* parent = nullptr);

    SightingGridModel* sightings() const { return model_; }
    int rowCount() const { return model_->rowCount(); }
    QString text(int row, int column) const { return model_->text(row, column); }
    QString headerText(int column) const;
    int currentRow() const;
    void setCurrentRow(int row);
    // The id of the sighting on a row; 0 for none.
    qint64 sightingId(int row) const;
    // Each shown column at least its least width (pixels) and as wide as the
    // longest text of the rows read, a long note capped; rows read later
    // widen their columns as they come.
    void fitColumns(const std::vector<int>& leastWidths);

  signals:
    void rowActivated(int row);
    // A click on a row's camera mark, or Space on a marked row.
    void pictureWanted(int row);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void widenFor(int first, int count);

    SightingGridModel* model_;
};

}  // namespace wf
