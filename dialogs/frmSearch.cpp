// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmSearch.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "AppState.h"
#include "Artwork.h"

namespace wf {

frmSearch::frmSearch(AppState& state, QWidget* parent)
    : QDialog(parent),
      state_(state),
      txtPhrase_(new QLineEdit(this)),
      cmbSubject_(new QComboBox(this)),
      cmdSearch_(new QPushButton(QStringLiteral("&Search"), this)),
      cmdCancel_(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("Custom Search"));
    setWindowIcon(artwork::icon(QStringLiteral("Search")));
    auto* find = new QLabel(QStringLiteral("Find the word(s)  "), this);
    find->setObjectName(QStringLiteral("lbl(0)"));
    auto* in = new QLabel(QStringLiteral("in the"), this);
    in->setObjectName(QStringLiteral("lbl(1)"));
    txtPhrase_->setObjectName(QStringLiteral("txtPhrase"));
    txtPhrase_->setMinimumWidth(220);
    cmbSubject_->setObjectName(QStringLiteral("cmbSubject"));
    cmbSubject_->addItems(
        {QStringLiteral("Subject"), QStringLiteral("Title"), QStringLiteral("Article")});
    cmbSubject_->setCurrentIndex(0);
    cmdSearch_->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch_->setDefault(true);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdSearch_, &QPushButton::clicked, this, &frmSearch::cmdSearch_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmSearch::cmdCancel_Click);

    auto* row = new QHBoxLayout(this);
    row->addWidget(find);
    row->addWidget(txtPhrase_, 1);
    row->addWidget(in);
    row->addWidget(cmbSubject_);
    row->addWidget(cmdSearch_);
    row->addWidget(cmdCancel_);
}

void frmSearch::cmdSearch_Click() {
    const QString phrase = txtPhrase_->text();
    if (phrase.trimmed().isEmpty()) {
        state_.services.messages.notify(
            QStringLiteral("You must enter a word or phrase to search for."),
            QStringLiteral("Missing Search Phrase"), MsgIcon::Exclamation);
        txtPhrase_->setFocus();
        return;
    }
    state_.CustomSearchSql = {cmbSubject_->currentText(), phrase, state_.category()};
    accept();
}

void frmSearch::keyPressEvent(QKeyEvent* event) {
    // QDialog would only reject, leaving the last search to run again.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdCancel_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmSearch::cmdCancel_Click() {
    state_.CustomSearchSql = CustomSearch{};
    reject();
}

}  // namespace wf
