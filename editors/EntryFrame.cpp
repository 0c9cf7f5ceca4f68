// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryFrame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppError.h"
#include "AppState.h"
#include "Artwork.h"
#include "EntryEditor.h"
#include "EntryNodes.h"
#include "MainWindowApi.h"
#include "SubjectPicker.h"

namespace wf {

EntryFrame::EntryFrame(AppState& state, MainWindowApi& main, QWidget* parent, const Look& look)
    : QDialog(parent),
      state_(state),
      main_(main),
      lblSubject_(new QLabel(this)),
      cmbSub_(new QComboBox(this)),
      picker_(new SubjectPicker(cmbSub_, state, true)),
      txtTitle_(new QLineEdit(this)),
      cmdSave_(new QPushButton(tr("&Save"), this)),
      cmdCancel_(new QPushButton(tr("&Cancel"), this)),
      layout_(new QVBoxLayout(this)),
      fields_(new QGridLayout),
      body_(new QVBoxLayout),
      buttons_(new QHBoxLayout) {
    setObjectName(QString::fromLatin1(look.name));
    setWindowTitle(tr(look.title));
    setWindowIcon(artwork::icon(QString::fromLatin1(look.icon)));
    lblSubject_->setObjectName(QStringLiteral("lbl(1)"));
    cmbSub_->setObjectName(QStringLiteral("cmbSub"));
    txtTitle_->setObjectName(QStringLiteral("txtTitle"));
    cmdSave_->setObjectName(QStringLiteral("cmdSave"));
    cmdSave_->setDefault(true);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* lblTitle = new QLabel(tr("Title"), this);
    lblTitle->setObjectName(QStringLiteral("lbl(2)"));
    fields_->addWidget(lblSubject_, 0, 0);
    fields_->addWidget(cmbSub_, 0, 1);
    fields_->addWidget(lblTitle, 1, 0);
    fields_->addWidget(txtTitle_, 1, 1);
    fields_->setColumnStretch(1, 1);
    layout_->addLayout(fields_);
    layout_->addLayout(body_, 1);
}

void EntryFrame::finish() {
    buttons_->addStretch(1);
    buttons_->addWidget(cmdSave_);
    buttons_->addWidget(cmdCancel_);
    layout_->addLayout(buttons_);
    setTabOrder(cmbSub_, txtTitle_);
}

std::optional<std::pair<Entry, QString>> EntryFrame::loadEntry(const char* editTitle) {
    entry_editor::loadSubjects(state_, *picker_, lblSubject_);
    if (!state_.EditMode) {
        return std::nullopt;
    }
    editing_ = true;
    setWindowIcon(artwork::icon(QStringLiteral("Edit")));
    setWindowTitle(tr(editTitle));
    cmbSub_->setEnabled(false);
    auto current = entry_editor::currentEntry(state_);
    if (current) {
        picker_->setText(current->second);
        txtTitle_->setText(current->first.title);
    }
    return current;
}

void EntryFrame::saveEntry(const Kind& kind, const std::function<void(Entry&)>& fill) {
    const QString subject = cmbSub_->currentText();
    qint64 id = 0;
    try {
        if (editing_) {
            Entry e = entry_editor::entryToEdit(state_, kind.source);
            e.title = txtTitle_->text();
            fill(e);
            state_.db().updateEntry(e);
            state_.EditMode = false;
            id = e.id;
        } else {
            Entry e;
            e.type = kind.type;
            e.title = txtTitle_->text();
            e.fname = QStringLiteral(" ");
            fill(e);
            const entry_editor::Stored stored = entry_editor::storeUnderSubject(state_, e, subject);
            insertEntryNode(
                main_, {state_.category(), stored.subid, subject, stored.subjectHadEntries,
                        QString::fromLatin1(kind.keyLetter), stored.id, e.title, kind.picture});
            id = stored.id;
        }
    } catch (const AppError& e) {
        entry_editor::reportSaveError(state_, tr(kind.failure), e);
        return;
    }
    main_.entrySaved(QString::fromLatin1(kind.keyLetter) + QString::number(id), !editing_);
    accept();
}

void EntryFrame::reject() {
    if (changes_.mayClose(state_.services.messages)) {
        QDialog::reject();
    }
}

void EntryFrame::done(int result) {
    // Saved, cancelled or closed: the next editor starts a new entry.
    state_.EditMode = false;
    cmbSub_->setEnabled(true);
    QDialog::done(result);
}

}  // namespace wf
