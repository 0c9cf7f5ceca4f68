// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmNewBird.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace wf {

frmNewBird::frmNewBird(const QString& typed, const QStringList& nearest, QWidget* parent)
    : QDialog(parent),
      lblQuestion_(new QLabel(this)),
      lstNearest_(new QListWidget(this)),
      cmdUse_(new QPushButton(tr("&Use This Name"), this)),
      cmdYes_(new QPushButton(tr("&Yes, Add It"), this)),
      cmdNo_(new QPushButton(tr("&No"), this)) {
    setObjectName(QStringLiteral("frmNewBird"));
    setWindowTitle(tr("New Bird"));
    lblQuestion_->setObjectName(QStringLiteral("lblQuestion"));
    lblQuestion_->setTextFormat(Qt::PlainText);
    lblQuestion_->setWordWrap(true);
    setMinimumWidth(380);
    lblQuestion_->setText(
        tr("\u201c%1\u201d is not in the world list. Add it as a new bird?").arg(typed));
    lstNearest_->setObjectName(QStringLiteral("lstNearest"));
    lstNearest_->addItems(nearest);
    lstNearest_->setMaximumHeight(lstNearest_->sizeHintForRow(0) * 5 +
                                  2 * lstNearest_->frameWidth() + 4);
    cmdUse_->setObjectName(QStringLiteral("cmdUse"));
    cmdYes_->setObjectName(QStringLiteral("cmdYes"));
    cmdNo_->setObjectName(QStringLiteral("cmdNo"));
    // Enter goes back to the box: a new bird is added only when asked for.
    cmdNo_->setDefault(true);
    cmdUse_->setAutoDefault(false);
    cmdYes_->setAutoDefault(false);
    cmdUse_->setEnabled(false);
    connect(lstNearest_, &QListWidget::currentRowChanged, this,
            [this](int row) { cmdUse_->setEnabled(row >= 0); });
    connect(lstNearest_, &QListWidget::itemActivated, this, [this] { done(UseName); });
    connect(cmdUse_, &QPushButton::clicked, this, [this] { done(UseName); });
    connect(cmdYes_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdNo_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblQuestion_);
    if (nearest.isEmpty()) {
        lstNearest_->hide();
        cmdUse_->hide();
    } else {
        auto* hint = new QLabel(tr("Or did you mean:"), this);
        hint->setBuddy(lstNearest_);
        layout->addWidget(hint);
        layout->addWidget(lstNearest_);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdUse_);
    buttons->addStretch(1);
    buttons->addWidget(cmdYes_);
    buttons->addWidget(cmdNo_);
    layout->addLayout(buttons);
}

QString frmNewBird::chosenName() const {
    const QListWidgetItem* item = lstNearest_->currentItem();
    return item != nullptr ? item->text() : QString();
}

}  // namespace wf
