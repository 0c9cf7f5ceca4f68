// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmLink.h"

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

frmLink::frmLink(AppState& state, MainWindowApi& main, QWidget* parent)
    : QDialog(parent),
      state_(state),
      main_(main),
      lblSubject_(new QLabel(this)),
      cmbSub_(new QComboBox(this)),
      picker_(new SubjectPicker(cmbSub_, state, true)),
      txtTitle_(new QLineEdit(this)),
      txtLink_(new QLineEdit(this)),
      cmdSave_(new QPushButton(QStringLiteral("&Save"), this)),
      cmdCancel_(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName(QStringLiteral("frmLink"));
    setWindowTitle(QStringLiteral("Add a New Internet Link"));
    setWindowIcon(artwork::icon(QStringLiteral("Link")));
    lblSubject_->setObjectName(QStringLiteral("lbl(1)"));
    cmbSub_->setObjectName(QStringLiteral("cmbSub"));
    txtTitle_->setObjectName(QStringLiteral("txtTitle"));
    txtLink_->setObjectName(QStringLiteral("txtLink"));
    txtLink_->setMinimumWidth(360);
    cmdSave_->setObjectName(QStringLiteral("cmdSave"));
    cmdSave_->setDefault(true);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    connect(cmdSave_, &QPushButton::clicked, this, &frmLink::cmdSave_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* lblTitle = new QLabel(QStringLiteral("Title"), this);
    lblTitle->setObjectName(QStringLiteral("lbl(2)"));
    auto* lblLink = new QLabel(QStringLiteral("Web Address (URL)"), this);
    lblLink->setObjectName(QStringLiteral("lbl(3)"));
    auto* fields = new QGridLayout;
    fields->addWidget(lblSubject_, 0, 0);
    fields->addWidget(cmbSub_, 0, 1);
    fields->addWidget(lblTitle, 1, 0);
    fields->addWidget(txtTitle_, 1, 1);
    fields->addWidget(lblLink, 2, 0);
    fields->addWidget(txtLink_, 2, 1);
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setTabOrder(cmbSub_, txtTitle_);
    setTabOrder(txtTitle_, txtLink_);
    Form_Load();
    changes_.watch([this] {
        return QStringList{cmbSub_->currentText(), txtTitle_->text(), txtLink_->text()};
    });
}

void frmLink::Form_Load() {
    if (!state_.EditMode) {
        // A new link starts from the page the web pane shows.
        txtLink_->setText(main_.addressText());
    }
    try {
        entry_editor::loadSubjects(state_, *picker_, lblSubject_);
        if (!state_.EditMode) {
            return;
        }
        editing_ = true;
        setWindowIcon(artwork::icon(QStringLiteral("Edit")));
        setWindowTitle(QStringLiteral("Editing Current Link"));
        cmbSub_->setEnabled(false);
        if (const auto current = entry_editor::currentEntry(state_)) {
            picker_->setText(current->second);
            txtTitle_->setText(current->first.title);
            txtLink_->setText(current->first.fname);
        }
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
    }
}

void frmLink::cmdSave_Click() {
    if (!entry_editor::checkFields(
            state_, cmbSub_, txtTitle_,
            {QStringLiteral("You must enter a title for the Internet Link."),
             QStringLiteral("Please Enter a Title"), MsgButtons::Ok, MsgIcon::Information})) {
        return;
    }
    const QString subject = cmbSub_->currentText();
    const QString title = txtTitle_->text();
    qint64 id = 0;
    try {
        if (editing_) {
            Entry e = entry_editor::entryToEdit(state_, "wingfolio.frmLink");
            e.title = title;
            e.fname = txtLink_->text();
            state_.db().updateEntry(e);
            state_.EditMode = false;
            id = e.id;
        } else {
            Entry e;
            e.type = kLink;
            e.title = title;
            e.fname = txtLink_->text();
            const entry_editor::Stored stored = entry_editor::storeUnderSubject(state_, e, subject);
            insertEntryNode(main_,
                            {state_.category(), stored.subid, subject, stored.subjectHadEntries,
                             QStringLiteral("L"), stored.id, title, 3});
            id = stored.id;
        }
    } catch (const AppError& e) {
        entry_editor::reportSaveError(state_, QStringLiteral("Error saving the link. Error # "), e);
        return;
    }
    main_.entrySaved(QStringLiteral("L") + QString::number(id), !editing_);
    accept();
}

void frmLink::reject() {
    if (changes_.mayClose(state_.services.messages)) {
        QDialog::reject();
    }
}

void frmLink::done(int result) {
    state_.EditMode = false;
    QDialog::done(result);
}

}  // namespace wf
