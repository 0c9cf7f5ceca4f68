// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreePane.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QRadioButton>
#include <QTreeView>

namespace wf {

TreePane::TreePane(QWidget* leftPane)
    : QObject(leftPane),
      frame_(new QGroupBox(QStringLiteral("Find"), leftPane)),
      optCat_{new QRadioButton(QStringLiteral("In My Birds"), frame_),
              new QRadioButton(QStringLiteral("In Other Topics"), frame_)},
      category_(new QComboBox(frame_)),
      period_(new QComboBox(frame_)),
      area_(new QComboBox(frame_)),
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
    auto* frameLayout = new QGridLayout(frame_);
    frameLayout->setContentsMargins(6, 2, 6, 4);
    frameLayout->setVerticalSpacing(2);
    frameLayout->addWidget(optCat_[0], 0, 0);
    frameLayout->addWidget(optCat_[1], 0, 1);
    frameLayout->addWidget(category_, 1, 0, 1, 2, Qt::AlignLeft);
    // Beside the year, month and first lists: which year or month, which area.
    period_->setObjectName(QStringLiteral("cmbPeriod"));
    period_->setToolTip(QStringLiteral("The year or month the list shows"));
    area_->setObjectName(QStringLiteral("cmbArea"));
    area_->setToolTip(QStringLiteral("Area: the world or one of the active areas"));
    for (QComboBox* box : {period_, area_}) {
        box->setEditable(false);
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->hide();
        connect(box, &QComboBox::activated, this, [this](int) { emit periodActivated(); });
    }
    frameLayout->addWidget(period_, 2, 0);
    frameLayout->addWidget(area_, 2, 1);

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
    return category_->currentText();
}

void TreePane::setLists(const QStringList& lists) {
    const QSignalBlocker block(category_);
    category_->clear();
    category_->addItems(lists);
    category_->setCurrentIndex(0);
}

void TreePane::chooseList(const QString& list) {
    const QSignalBlocker block(category_);
    category_->setCurrentText(list);
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

void TreePane::place(const QRect& frame, int categoryWidth, const QRect& tree) {
    frame_->setGeometry(frame);
    category_->setFixedWidth(std::max(0, categoryWidth));
    view_->setGeometry(tree);
}

}  // namespace wf
