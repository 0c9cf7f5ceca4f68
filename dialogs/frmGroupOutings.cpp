// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmGroupOutings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <set>

#include "Artwork.h"
#include "Words.h"

namespace wf {

namespace {

enum Column { kDate, kSite, kPlace, kSightings, kSpecies, kColumns };

QString restOfPlace(const ProposedOuting& p) {
    QStringList parts;
    for (const QString& s : {p.district, p.state, p.country, p.region}) {
        if (!s.trimmed().isEmpty()) {
            parts << s.trimmed();
        }
    }
    return parts.join(QStringLiteral(", "));
}

}  // namespace

ProposedOutingsModel::ProposedOutingsModel(std::vector<ProposedOuting> proposed, QObject* parent)
    : QAbstractTableModel(parent),
      proposed_(std::move(proposed)),
      chosen_(proposed_.size(), 1),
      chosenCount_(int(proposed_.size())) {}

int ProposedOutingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(proposed_.size());
}

int ProposedOutingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ProposedOutingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const ProposedOuting& p = proposed_[size_t(index.row())];
    if (role == Qt::CheckStateRole && index.column() == kDate) {
        return chosen_[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::TextAlignmentRole && index.column() >= kSightings) {
        return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
        case kDate:
            return words::date(p.date);
        case kSite:
            return p.site.isEmpty() ? tr("(no site)") : p.site;
        case kPlace:
            return restOfPlace(p);
        case kSightings:
            return QLocale().toString(p.sightings);
        case kSpecies:
            return QLocale().toString(p.species);
        default:
            return {};
    }
}

bool ProposedOutingsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != kDate) {
        return false;
    }
    const bool on = value.toInt() == Qt::Checked;
    char& c = chosen_[size_t(index.row())];
    if (bool(c) != on) {
        c = on ? 1 : 0;
        chosenCount_ += on ? 1 : -1;
        emit dataChanged(index, index, {Qt::CheckStateRole});
        emit chosenChanged();
    }
    return true;
}

Qt::ItemFlags ProposedOutingsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == kDate) {
        f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

QVariant ProposedOutingsModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
        case kDate:
            return tr("Date");
        case kSite:
            return tr("Site");
        case kPlace:
            return tr("Place");
        case kSightings:
            return tr("Sightings");
        case kSpecies:
            return tr("Species");
        default:
            return {};
    }
}

void ProposedOutingsModel::setAllChosen(bool chosen) {
    std::fill(chosen_.begin(), chosen_.end(), chosen ? 1 : 0);
    chosenCount_ = chosen ? int(proposed_.size()) : 0;
    if (!proposed_.empty()) {
        emit dataChanged(index(0, kDate), index(int(proposed_.size()) - 1, kDate),
                         {Qt::CheckStateRole});
    }
    emit chosenChanged();
}

void ProposedOutingsModel::toggle(const std::vector<int>& rows) {
    const bool allOn =
        std::all_of(rows.begin(), rows.end(), [&](int r) { return chosen_[size_t(r)] != 0; });
    for (const int r : rows) {
        setData(index(r, kDate), allOn ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
}

std::vector<ProposedOuting> ProposedOutingsModel::chosen() const {
    std::vector<ProposedOuting> out;
    out.reserve(size_t(chosenCount_));
    for (size_t i = 0; i < proposed_.size(); ++i) {
        if (chosen_[i]) {
            out.push_back(proposed_[i]);
        }
    }
    return out;
}

frmGroupOutings::frmGroupOutings(std::vector<ProposedOuting> proposed, QWidget* parent)
    : QDialog(parent),
      model_(new ProposedOutingsModel(std::move(proposed), this)),
      tblProposed_(new QTableView(this)),
      lblCount_(new QLabel(this)),
      cmdGroup_(new QPushButton(tr("&Group"), this)) {
    setObjectName(QStringLiteral("frmGroupOutings"));
    setWindowTitle(tr("Group Into Outings"));
    setWindowIcon(artwork::appIcon());
    auto* lead = new QLabel(tr("The sightings below are in no outing. Each row would become one "
                               "outing of that day at that site. Untick those to leave as they "
                               "are (Space ticks or unticks the rows chosen)."),
                            this);
    lead->setWordWrap(true);
    tblProposed_->setObjectName(QStringLiteral("tblProposed"));
    tblProposed_->setModel(model_);
    tblProposed_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblProposed_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblProposed_->verticalHeader()->hide();
    tblProposed_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tblProposed_->horizontalHeader()->setSectionResizeMode(kPlace, QHeaderView::Stretch);
    tblProposed_->setColumnWidth(
        kDate, fontMetrics().horizontalAdvance(QStringLiteral("00 Sep 0000")) + 48);
    tblProposed_->setColumnWidth(kSite, fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    // The numbers' columns as wide as their headings.
    for (const int c : {kSightings, kSpecies}) {
        tblProposed_->setColumnWidth(
            c, fontMetrics().horizontalAdvance(
                   model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()) +
                   24);
    }
    tblProposed_->setMinimumSize(720, 300);
    tblProposed_->installEventFilter(this);
    lblCount_->setObjectName(QStringLiteral("lblCount"));
    auto* cmdAll = new QPushButton(tr("Tick &All"), this);
    cmdAll->setObjectName(QStringLiteral("cmdAll"));
    cmdAll->setAutoDefault(false);
    auto* cmdNone = new QPushButton(tr("Tick &None"), this);
    cmdNone->setObjectName(QStringLiteral("cmdNone"));
    cmdNone->setAutoDefault(false);
    cmdGroup_->setObjectName(QStringLiteral("cmdGroup"));
    cmdGroup_->setDefault(true);
    auto* cmdCancel = new QPushButton(tr("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    connect(cmdAll, &QPushButton::clicked, this, [this] { model_->setAllChosen(true); });
    connect(cmdNone, &QPushButton::clicked, this, [this] { model_->setAllChosen(false); });
    connect(cmdGroup_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(model_, &ProposedOutingsModel::chosenChanged, this, &frmGroupOutings::showCount);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAll);
    buttons->addWidget(cmdNone);
    buttons->addStretch(1);
    buttons->addWidget(cmdGroup_);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lead);
    layout->addWidget(tblProposed_, 1);
    layout->addWidget(lblCount_);
    layout->addLayout(buttons);
    if (model_->rowCount() > 0) {
        tblProposed_->setCurrentIndex(model_->index(0, kDate));
    }
    tblProposed_->setFocus();
    showCount();
}

void frmGroupOutings::showCount() {
    const QLocale locale;
    const int total = model_->rowCount();
    lblCount_->setText((total == 1 ? tr("%1 of %2 outing ticked.") : tr("%1 of %2 outings ticked."))
                           .arg(locale.toString(model_->chosenCount()), locale.toString(total)));
    cmdGroup_->setEnabled(model_->chosenCount() > 0);
}

bool frmGroupOutings::eventFilter(QObject* watched, QEvent* event) {
    // Space ticks the rows chosen, whichever of their cells is current.
    if (watched == tblProposed_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        std::set<int> rows;
        for (const QModelIndex& i : tblProposed_->selectionModel()->selectedRows()) {
            rows.insert(i.row());
        }
        // The current row alone when the selection is elsewhere (moved to
        // with Ctrl, which leaves the selection as it was).
        const QModelIndex current = tblProposed_->currentIndex();
        if (current.isValid() && rows.count(current.row()) == 0) {
            rows = {current.row()};
        }
        model_->toggle(std::vector<int>(rows.begin(), rows.end()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace wf
