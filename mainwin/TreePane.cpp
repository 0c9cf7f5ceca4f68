// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreePane.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QRadioButton>
#include <QTreeView>

namespace wf {

namespace {

// The lists the category box offers, for the translators: the box shows
// each in the user's language and keeps its English name as the key the
// window goes by.
[[maybe_unused]] const char* const kListNames[] = {
    QT_TRANSLATE_NOOP("wf::TreePane", "All Entries"),
    QT_TRANSLATE_NOOP("wf::TreePane", "All Images"),
    QT_TRANSLATE_NOOP("wf::TreePane", "All Articles"),
    QT_TRANSLATE_NOOP("wf::TreePane", "All Internet Links"),
    QT_TRANSLATE_NOOP("wf::TreePane", "Custom Search"),
    QT_TRANSLATE_NOOP("wf::TreePane", "All Sightings"),
    QT_TRANSLATE_NOOP("wf::TreePane", "Region Life Sightings"),
    QT_TRANSLATE_NOOP("wf::TreePane", "Country Life Sightings"),
    QT_TRANSLATE_NOOP("wf::TreePane", "State Life Sightings"),
    QT_TRANSLATE_NOOP("wf::TreePane", "District Life Sightings"),
    QT_TRANSLATE_NOOP("wf::TreePane", "Year List"),
    QT_TRANSLATE_NOOP("wf::TreePane", "Month List"),
    QT_TRANSLATE_NOOP("wf::TreePane", "First Sightings"),
    QT_TRANSLATE_NOOP("wf::TreePane", "Outings"),
    QT_TRANSLATE_NOOP("wf::TreePane", "Photographed Species"),
};

}  // namespace

TreePane::TreePane(QWidget* leftPane)
    : QObject(leftPane),
      frame_(new QGroupBox(tr("Find"), leftPane)),
      optCat_{new QRadioButton(tr("In My Birds"), frame_),
              new QRadioButton(tr("In Other Topics"), frame_)},
      category_(new QComboBox(frame_)),
      period_(new QComboBox(frame_)),
      area_(new QComboBox(frame_)),
      frameLayout_(new QGridLayout(frame_)),
      view_(new QTreeView(leftPane)) {
    frame_->setObjectName(QStringLiteral("Frame1"));
    optCat_[0]->setObjectName(QStringLiteral("optCat(0)"));
    optCat_[1]->setObjectName(QStringLiteral("optCat(1)"));
    optCat_[0]->setChecked(true);
    for (int i = 0; i < 2; ++i) {
        connect(optCat_[i], &QRadioButton::clicked, this, [this, i] { emit optCatClicked(i); });
    }
    category_->setObjectName(QStringLiteral("cmbSearchCategory"));
    category_->setEditable(false);
    connect(category_, &QComboBox::activated, this, [this](int) { emit categoryActivated(); });
    frameLayout_->setContentsMargins(6, 2, 6, 4);
    frameLayout_->setVerticalSpacing(2);
    frameLayout_->addWidget(optCat_[0], 0, 0);
    frameLayout_->addWidget(optCat_[1], 0, 1);
    frameLayout_->addWidget(category_, 1, 0, 1, 2, Qt::AlignLeft);
    // Beside the year, month and first lists: which year or month, which area.
    period_->setObjectName(QStringLiteral("cmbPeriod"));
    period_->setToolTip(tr("The year or month the list shows"));
    area_->setObjectName(QStringLiteral("cmbArea"));
    area_->setToolTip(tr("Area: the world or one of the active areas"));
    for (QComboBox* box : {period_, area_}) {
        box->setEditable(false);
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->hide();
        connect(box, &QComboBox::activated, this, [this](int) { emit periodActivated(); });
    }
    frameLayout_->addWidget(period_, 2, 0);
    frameLayout_->addWidget(area_, 2, 1);

    view_->setObjectName(QStringLiteral("tv1"));
    view_->setHeaderHidden(true);
    view_->setUniformRowHeights(true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setIconSize(QSize(16, 16));
    view_->setAcceptDrops(true);
    view_->viewport()->setAcceptDrops(true);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QTreeView::customContextMenuRequested, this, &TreePane::contextMenuRequested);
    nodes_ = NodeTree(view_);
    connect(view_, &QTreeView::clicked, this, &TreePane::nodeClicked);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& at) { emit currentNodeChanged(at); });
}

QString TreePane::listName() const {
    return category_->currentData().toString();
}

void TreePane::setLists(const QStringList& lists) {
    const QSignalBlocker block(category_);
    category_->clear();
    for (const QString& list : lists) {
        category_->addItem(tr(list.toUtf8().constData()), list);
    }
    category_->setCurrentIndex(0);
}

void TreePane::chooseList(const QString& list) {
    const QSignalBlocker block(category_);
    category_->setCurrentIndex(category_->findData(list));
}

bool TreePane::birdsChosen() const {
    return optCat_[0]->isChecked();
}

void TreePane::chooseBirds() {
    optCat_[0]->setChecked(true);
}

int TreePane::frameHeight() const {
    return frame_->sizeHint().height();
}

bool TreePane::arrangeFor(int frameWidth) {
    const QMargins m = frameLayout_->contentsMargins();
    const int frame = frame_->width() - frame_->contentsRect().width();
    const int needed = optCat_[0]->sizeHint().width() + optCat_[1]->sizeHint().width() +
                       std::max(0, frameLayout_->horizontalSpacing()) + m.left() + m.right() +
                       frame;
    const bool stack = needed > frameWidth;
    if (stack == stacked_) {
        return false;
    }
    stacked_ = stack;
    for (QWidget* w : {static_cast<QWidget*>(optCat_[0]), static_cast<QWidget*>(optCat_[1]),
                       static_cast<QWidget*>(category_), static_cast<QWidget*>(period_),
                       static_cast<QWidget*>(area_)}) {
        frameLayout_->removeWidget(w);
    }
    const int row = stack ? 1 : 0;
    frameLayout_->addWidget(optCat_[0], 0, 0, 1, stack ? 2 : 1);
    frameLayout_->addWidget(optCat_[1], row, stack ? 0 : 1, 1, stack ? 2 : 1);
    frameLayout_->addWidget(category_, row + 1, 0, 1, 2, Qt::AlignLeft);
    frameLayout_->addWidget(period_, row + 2, 0);
    frameLayout_->addWidget(area_, row + 2, 1);
    frameLayout_->invalidate();
    return true;
}

void TreePane::place(const QRect& frame, int categoryWidth, const QRect& tree) {
    frame_->setGeometry(frame);
    category_->setFixedWidth(std::max(0, categoryWidth));
    view_->setGeometry(tree);
}

}  // namespace wf
