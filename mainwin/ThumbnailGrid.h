// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QPixmap>
#include <QThreadPool>
#include <vector>

#include "ThumbnailCache.h"

namespace wf {

// Pictures as thumbnails: each made (or read from the cache) on a worker
// thread when its cell is first drawn, a grey stand-in until it arrives, so
// that the grid scrolls at once however many there are.
class ThumbnailModel : public QAbstractListModel {
    Q_OBJECT
  public:
    struct Item {
        qint64 id = 0;  // the picture entry
        QString title;
        QString path;  // its file; empty when it leads outside Images
    };

    explicit ThumbnailModel(ThumbnailCache cache, QObject* parent = nullptr);
    ~ThumbnailModel() override;

    void setItems(std::vector<Item> items);
    qint64 id(int row) const;
    // How many thumbnails have arrived.
    int arrived() const { return arrived_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    void request(int row) const;

    ThumbnailCache cache_;
    std::vector<Item> items_;
    mutable std::vector<QPixmap> pixmaps_;
    mutable std::vector<char> requested_;
    int generation_ = 0;
    int arrived_ = 0;
    QPixmap waiting_;
    mutable QThreadPool pool_;
};

// The grid of thumbnails the viewer shows ("lstThumbnails"); Enter or a
// double-click on one asks for its picture.
class ThumbnailGrid : public QListView {
    Q_OBJECT
  public:
    explicit ThumbnailGrid(QWidget* parent = nullptr);
    ThumbnailModel* thumbnails() const { return model_; }

  signals:
    void pictureChosen(qint64 id);

  private:
    ThumbnailModel* model_;
};

}  // namespace wf
