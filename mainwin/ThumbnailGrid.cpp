// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThumbnailGrid.h"

#include <QPainter>

namespace wf {

ThumbnailModel::ThumbnailModel(ThumbnailCache cache, QObject* parent)
    : QAbstractListModel(parent), cache_(std::move(cache)) {
    QImage grey(ThumbnailCache::kSize, ThumbnailCache::kSize * 3 / 4, QImage::Format_RGB32);
    grey.fill(QColor(0xdd, 0xdd, 0xdd));
    waiting_ = QPixmap::fromImage(grey);
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

ThumbnailModel::~ThumbnailModel() {
    pool_.clear();
    pool_.waitForDone();
}

void ThumbnailModel::setItems(std::vector<Item> items) {
    beginResetModel();
    pool_.clear();  // what was waiting for the list before is no longer wanted
    ++generation_;
    items_ = std::move(items);
    pixmaps_.assign(items_.size(), QPixmap());
    requested_.assign(items_.size(), 0);
    arrived_ = 0;
    endResetModel();
}

qint64 ThumbnailModel::id(int row) const {
    return row >= 0 && size_t(row) < items_.size() ? items_[size_t(row)].id : 0;
}

int ThumbnailModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(items_.size());
}

QVariant ThumbnailModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= items_.size()) {
        return {};
    }
    const Item& item = items_[size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return item.title;
        case Qt::DecorationRole:
            if (!pixmaps_[size_t(index.row())].isNull()) {
                return pixmaps_[size_t(index.row())];
            }
            request(index.row());
            return waiting_;
        default:
            return {};
    }
}

void ThumbnailModel::request(int row) const {
    if (requested_[size_t(row)] || items_[size_t(row)].path.isEmpty()) {
        return;
    }
    requested_[size_t(row)] = 1;
    auto* self = const_cast<ThumbnailModel*>(this);
    const int generation = generation_;
    const QString path = items_[size_t(row)].path;
    const ThumbnailCache cache = cache_;
    pool_.start([self, generation, row, path, cache] {
        const QImage image = cache.thumbnail(path);
        // Back on the window's thread; dropped when the list changed meanwhile
        // or the model is gone.
        QMetaObject::invokeMethod(
            self,
            [self, generation, row, image] {
                if (generation != self->generation_ || image.isNull()) {
                    return;
                }
                self->pixmaps_[size_t(row)] = QPixmap::fromImage(image);
                ++self->arrived_;
                const QModelIndex at = self->index(row);
                emit self->dataChanged(at, at, {Qt::DecorationRole});
            },
            Qt::QueuedConnection);
    });
}

ThumbnailGrid::ThumbnailGrid(QWidget* parent)
    : QListView(parent),
      model_(new ThumbnailModel(ThumbnailCache(ThumbnailCache::defaultFolder()), this)) {
    setObjectName(QStringLiteral("lstThumbnails"));
    setModel(model_);
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setWordWrap(true);
    setTextElideMode(Qt::ElideRight);
    setIconSize(QSize(ThumbnailCache::kSize, ThumbnailCache::kSize));
    setGridSize(
        QSize(ThumbnailCache::kSize + 24, ThumbnailCache::kSize + 2 * fontMetrics().height() + 12));
    setSpacing(4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QAbstractItemView::activated, this,
            [this](const QModelIndex& at) { emit pictureChosen(model_->id(at.row())); });
}

}  // namespace wf
