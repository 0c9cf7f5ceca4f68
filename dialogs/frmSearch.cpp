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
      cmdSearch_(new QPushButton(tr("&Search"), this)),
      cmdCancel_(new QPushButton(tr("&Cancel"), this)) {
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(tr("Custom Search"));
    setWindowIcon(artwork::icon(QStringLiteral("Search")));
    auto* find = new QLabel(tr("Find the word(s)  "), this);
    find->setObjectName(QStringLiteral("lbl(0)"));
    auto* in = new QLabel(tr("in the"), this);
    in->setObjectName(QStringLiteral("lbl(1)"));
    txtPhrase_->setObjectName(QStringLiteral("txtPhrase"));
    txtPhrase_->setMinimumWidth(220);
    cmbSubject_->setObjectName(QStringLiteral("cmbSubject"));
    // Searched by its English name; shown in the user's language.
    for (const char* where : {QT_TR_NOOP("Subject"), QT_TR_NOOP("Title"), QT_TR_NOOP("Article")}) {
        cmbSubject_->addItem(tr(where), QString::fromLatin1(where));
    }
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
        state_.services.messages.notify(tr("You must enter a word or phrase to search for."),
                                        tr("Missing Search Phrase"), MsgIcon::Exclamation);
        txtPhrase_->setFocus();
        return;
    }
    state_.CustomSearchSql = {cmbSubject_->currentData().toString(), phrase, state_.category()};
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
