// SPDX-License-Identifier: GPL-3.0-or-later
#include "SightingGrid.h"

#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>

#include "AppError.h"
#include "Artwork.h"
#include "Words.h"

namespace wf {

SightingGridModel::SightingGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void SightingGridModel::setHeaders(const QStringList& headers) {
    beginResetModel();
    headers_ = headers;
    endResetModel();
}

void SightingGridModel::setSightings(std::vector<qint64> ids, Reader read) {
    beginResetModel();
    ids_ = std::move(ids);
    read_ = std::move(read);
    const size_t blocks = (ids_.size() + kBlock - 1) / kBlock;
    blocks_.assign(blocks, {});
    blockRead_.assign(blocks, false);
    endResetModel();
}

qint64 SightingGridModel::id(int row) const {
    return row >= 0 && row < int(ids_.size()) ? ids_[size_t(row)] : 0;
}

bool SightingGridModel::isRead(int row) const {
    return row >= 0 && row < int(ids_.size()) && blockRead_[size_t(row / kBlock)];
}

const Sighting* SightingGridModel::row(int r) const {
    if (r < 0 || r >= int(ids_.size())) {
        return nullptr;
    }
    const size_t b = size_t(r / kBlock);
    if (!blockRead_[b]) {
        blockRead_[b] = true;  // once, whatever comes of it
        const auto first = ids_.begin() + qsizetype(b * kBlock);
        const auto last = ids_.begin() + qsizetype(std::min(ids_.size(), (b + 1) * kBlock));
        const std::vector<qint64> want(first, last);
        try {
            std::vector<Sighting> got = read_ ? read_(want) : std::vector<Sighting>{};
            // Kept in the ids' order; a sighting gone since stays blank.
            std::vector<Sighting>& block = blocks_[b];
            block.resize(want.size());
            size_t g = 0;
            for (size_t i = 0; i < want.size() && g < got.size(); ++i) {
                if (got[g].id == want[i]) {
                    block[i] = std::move(got[g++]);
                }
            }
        } catch (const AppError& e) {
            blocks_[b].assign(want.size(), Sighting{});
            if (onReadError) {
                onReadError(e);
            }
        }
        emit rowsRead(int(b * kBlock), int(want.size()));
    }
    const std::vector<Sighting>& block = blocks_[b];
    const size_t i = size_t(r % kBlock);
    return i < block.size() && block[i].id != 0 ? &block[i] : nullptr;
}

QString SightingGridModel::text(int row, int column) const {
    if (column == 0) {
        return id(row) != 0 ? QString::number(id(row)) : QString();
    }
    const Sighting* at = this->row(row);
    if (at == nullptr) {
        return {};
    }
    const Sighting& s = *at;
    switch (column) {
        case 0:
            return QString::number(s.id);
        case 1:
            return words::date(s.date);
        case 2:
            return words::time(s.time);
        case 3:
            return s.count;
        case 4:
            return s.type;
        case 5:
            return s.site;
        case 6:
            return s.district;
        case 7:
            return s.state;
        case 8:
            return s.country;
        case 9:
            return s.region;
        case 10:
            return s.notes;
        default:
            return {};
    }
}

int SightingGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(ids_.size());
}

int SightingGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers_.size());
}

void SightingGridModel::setPhotographed(std::unordered_set<qint64> ids) {
    photographed_ = std::move(ids);
    if (!ids_.empty()) {
        emit dataChanged(index(0, kMarkColumn), index(rowCount() - 1, kMarkColumn),
                         {Qt::DecorationRole, Qt::ToolTipRole});
    }
}

bool SightingGridModel::photographed(int row) const {
    return row >= 0 && size_t(row) < ids_.size() && photographed_.count(ids_[size_t(row)]) > 0;
}

QVariant SightingGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (index.column() == kMarkColumn && photographed(index.row())) {
        if (role == Qt::DecorationRole) {
            static const QIcon camera = artwork::icon(QStringLiteral("Image"), 16);
            return camera;
        }
        if (role == Qt::ToolTipRole) {
            return tr("Photographed: click the mark, or press Space, to see the picture");
        }
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    const QString t = text(index.row(), index.column());
    if (role == Qt::ToolTipRole) {
        return index.column() == 10 && !t.isEmpty() ? QVariant(t) : QVariant();
    }
    return t;
}

QVariant SightingGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < headers_.size()) {
        if (role == Qt::DisplayRole) {
            return headers_[section];
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

SightingGrid::SightingGrid(QWidget* parent)
    : QTableView(parent), model_(new SightingGridModel(this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->hide();
    // Every row is one line high: the view need not measure them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(model_, &SightingGridModel::rowsRead, this, &SightingGrid::widenFor);
    // Enter and a double-click (activation) correct the row.
    connect(this, &QAbstractItemView::activated, this,
            [this](const QModelIndex& at) { emit rowActivated(at.row()); });
}

QString SightingGrid::headerText(int column) const {
    return model_->headerData(column, Qt::Horizontal).toString();
}

int SightingGrid::currentRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void SightingGrid::mouseReleaseEvent(QMouseEvent* event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    QTableView::mouseReleaseEvent(event);
    if (at.isValid() && at.column() == SightingGridModel::kMarkColumn &&
        model_->photographed(at.row()) &&
        event->position().x() <
            visualRect(at).left() + style()->pixelMetric(QStyle::PM_SmallIconSize) + 8) {
        emit pictureWanted(at.row());
    }
}

void SightingGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && model_->photographed(currentRow())) {
        emit pictureWanted(currentRow());
        return;
    }
    QTableView::keyPressEvent(event);
}

void SightingGrid::setCurrentRow(int row) {
    setCurrentIndex(model_->index(row, 1));
}

qint64 SightingGrid::sightingId(int row) const {
    return model_->id(row);
}

void SightingGrid::fitColumns(const std::vector<int>& leastWidths) {
    for (int c = 0; c < model_->columnCount(); ++c) {
        setColumnWidth(c, c < int(leastWidths.size()) ? leastWidths[size_t(c)] : 0);
    }
    // The first block is read now; the rest widen their columns as they
    // are read.
    if (model_->rowCount() > 0) {
        model_->text(0, 1);
    }
}

void SightingGrid::widenFor(int first, int count) {
    const QFontMetrics cells(font());
    const QFontMetrics heads(horizontalHeader()->font());
    constexpr int kPadding = 14;
    constexpr int kLongest = 640;  // a long note does not push the rest away
    // The widest text is among the longest ones: only those few are
    // measured, and dates and times (which all have about one length) on
    // the first rows only.
    constexpr size_t kMeasured = 8;
    constexpr int kTimedRows = 64;
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (isColumnHidden(c)) {
            continue;
        }
        int widest = std::max(columnWidth(c), heads.horizontalAdvance(headerText(c)) + kPadding);
        std::vector<QString> longest;
        const int scan = (c == 1 || c == 2) ? std::min(count, kTimedRows) : count;
        for (int r = first; r < first + scan; ++r) {
            QString t = model_->text(r, c);
            if (longest.size() < kMeasured) {
                longest.push_back(std::move(t));
                continue;
            }
            auto shortest = std::min_element(
                longest.begin(), longest.end(),
                [](const QString& a, const QString& b) { return a.size() < b.size(); });
            if (t.size() > shortest->size()) {
                *shortest = std::move(t);
            }
        }
        // The camera mark's column has room for the mark beside its text.
        const int mark = c == SightingGridModel::kMarkColumn
                             ? style()->pixelMetric(QStyle::PM_SmallIconSize) + 10
                             : 0;
        for (const QString& t : longest) {
            widest =
                std::max(widest, std::min(kLongest, cells.horizontalAdvance(t) + kPadding + mark));
        }
        setColumnWidth(c, widest);
    }
}

}  // namespace wf
