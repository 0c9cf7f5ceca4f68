// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmSubject.h"
#include "EntryEditor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppError.h"
#include "AppState.h"
#include "Artwork.h"
#include "MainWindowApi.h"
#include "SubjectPicker.h"
#include "Tr.h"

namespace wf {

frmSubject::frmSubject(AppState& state, MainWindowApi& main, QWidget* parent)
    : QDialog(parent),
      state_(state),
      main_(main),
      lbl_(new QLabel(this)),
      cmbSubject_(new QComboBox(this)),
      picker_(new SubjectPicker(cmbSubject_, state, false)),
      lblRenaming_(new QLabel(this)),
      cmdSave_(new QPushButton(tr("&Save"), this)),
      cmdDelete_(new QPushButton(tr("&Delete"), this)),
      cmdCancel_(new QPushButton(tr("&Cancel"), this)) {
    setObjectName(QStringLiteral("frmSubject"));
    setWindowTitle(tr("Edit Subject Text"));
    setWindowIcon(artwork::icon(QStringLiteral("Edit")));
    lbl_->setObjectName(QStringLiteral("lbl"));
    cmbSubject_->setObjectName(QStringLiteral("cmbSubject"));
    cmbSubject_->setMinimumWidth(320);
    lblRenaming_->setObjectName(QStringLiteral("lblRenaming"));
    lblRenaming_->setTextFormat(Qt::PlainText);
    cmdSave_->setObjectName(QStringLiteral("cmdSave"));
    cmdSave_->setDefault(true);
    cmdDelete_->setObjectName(QStringLiteral("cmdDelete"));
    cmdDelete_->setAutoDefault(false);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    // Only choosing from the list changes which subject is meant. The box
    // would also choose the item whose name was typed when the field loses
    // the focus or takes Enter; a name typed is the new name, never a choice.
    disconnect(cmbSubject_->lineEdit(), &QLineEdit::editingFinished, cmbSubject_, nullptr);
    connect(cmbSubject_, &QComboBox::activated, this, [this](int) { cmbSubject_Click(); });
    connect(cmdSave_, &QPushButton::clicked, this, &frmSubject::cmdSave_Click);
    connect(cmdDelete_, &QPushButton::clicked, this, &frmSubject::cmdDelete_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdDelete_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl_);
    // The subject being renamed, always in sight beside its new name.
    auto* row = new QHBoxLayout;
    row->addWidget(lblRenaming_);
    row->addWidget(cmbSubject_, 1);
    layout->addLayout(row);
    layout->addLayout(buttons);
    Form_Load();
}

void frmSubject::report(long number, const QString& description) {
    state_.services.messages.notify(tr("Error # ") + QString::number(number) + u' ' + description,
                                    QStringLiteral("Wingfolio"), MsgIcon::Exclamation);
}

void frmSubject::Form_Load() {
    lbl_->setText(state_.birds() ? tr("Birds of the World") : tr("Other Topics"));
    try {
        QStringList names;
        for (const Subject& s : state_.db().subjects(state_.category())) {
            names << s.name;
        }
        picker_->setItems(names);
        // The subject selected in the tree, else the list's first.
        const qint64 fromTree = main_.selectedSubjectId();
        const std::optional<QString> treeName =
            fromTree > 0 ? state_.db().subjectName(state_.category(), fromTree) : std::nullopt;
        if (treeName) {
            selectedId_ = fromTree;
            cmbSubject_->setCurrentIndex(cmbSubject_->findText(*treeName, Qt::MatchExactly));
            picker_->setText(*treeName);
            showSelected();
        } else if (!names.isEmpty()) {
            cmbSubject_->setCurrentIndex(0);
            cmbSubject_Click();
        }
    } catch (const AppError& e) {
        report(e.number(), e.description());
    }
}

void frmSubject::cmbSubject_Click() {
    try {
        // When two subjects share a name, the first row wins.
        selectedId_ =
            state_.db().findSubject(state_.category(), cmbSubject_->currentText()).value_or(0);
    } catch (const AppError& e) {
        report(e.number(), e.description());
    }
    showSelected();
}

void frmSubject::showSelected() {
    try {
        selectedName_ =
            selectedId_ > 0
                ? state_.db().subjectName(state_.category(), selectedId_).value_or(QString())
                : QString();
    } catch (const AppError& e) {
        report(e.number(), e.description());
    }
    lblRenaming_->setText(
        selectedName_.isEmpty() ? QString() : tr("Renaming \u201c%1\u201d to:").arg(selectedName_));
}

bool frmSubject::confirmRename(const QString& oldName, const QString& newName) {
    return state_.services.messages.ask(
        tr("Rename \u201c%1\u201d to \u201c%2\u201d?").arg(oldName, newName),
        tr("Edit Subject Text"), MsgIcon::Question);
}

void frmSubject::rebuildTree() {
    if (state_.birds()) {
        main_.LoadTree();
    } else {
        main_.LoadTopicTree();
    }
}

void frmSubject::cmdSave_Click() {
    if (selectedId_ == 0) {
        state_.services.messages.notify(tr("There is no subject to change."),
                                        QStringLiteral("Wingfolio"));
        return;
    }
    const QString name = cmbSubject_->currentText();
    if (name.trimmed().isEmpty()) {
        state_.services.messages.notify(tr("A subject needs a name."), QStringLiteral("Wingfolio"));
        cmbSubject_->setFocus();
        return;
    }
    if (name == selectedName_) {
        accept();  // nothing to change
        return;
    }
    try {
        Store& db = state_.db();
        const Category cat = state_.category();
        // Another subject of that name: the two become one, or nothing changes.
        const std::optional<qint64> other = db.findSubject(cat, name);
        if (other && *other != selectedId_) {
            const QString other_name = db.subjectName(cat, *other).value_or(name);
            if (!state_.services.messages.ask(
                    tr("There is already a subject \u201c%1\u201d. Merge \u201c%2\u201d "
                       "into it? Its entries and sightings move to \u201c%1\u201d and "
                       "\u201c%2\u201d is removed.")
                        .arg(other_name, selectedName_),
                    tr("Merge Subjects"), MsgIcon::Question)) {
                return;
            }
            db.mergeSubjects(cat, selectedId_, *other);
        } else {
            if (!confirmRename(selectedName_, name)) {
                return;
            }
            db.renameSubject(cat, selectedId_, name);
        }
    } catch (const AppError& e) {
        report(e.number(), e.description());
        return;
    }
    state_.services.messages.notify(tr("Subject Saved"), tr("Subject Text Saved"),
                                    MsgIcon::Exclamation);
    rebuildTree();
    accept();
}

void frmSubject::reject() {
    const QString typed = cmbSubject_->currentText();
    const bool changed = selectedId_ != 0 && typed != selectedName_;
    if (!changed || state_.services.messages.discardChanges()) {
        QDialog::reject();
    }
}

void frmSubject::cmdDelete_Click() {
    if (selectedId_ == 0) {
        state_.services.messages.notify(tr("There is no subject to delete."),
                                        QStringLiteral("Wingfolio"));
        return;
    }
    Store& db = state_.db();
    const Category cat = state_.category();
    try {
        // One question naming everything that goes; then all of it goes, or
        // nothing does.
        const SubjectContents contents = db.contentsOf(cat, selectedId_);
        if (!contents.empty() &&
            !state_.services.messages.confirm(
                tr("Delete \u201c%1\u201d with %2?")
                    .arg(selectedName_, entry_editor::contentsInWords(contents)),
                tr("Delete Subject"), tr("&Delete"), tr("&Cancel"))) {
            return;
        }
        db.inTransaction([&] {
            db.deleteEntriesOf(cat, selectedId_);
            if (cat == Category::Birds) {
                db.deleteSightingsOf(selectedId_);
            }
            // Picture files stay in the Images folder.
            db.deleteSubject(cat, selectedId_);
        });
    } catch (const AppError& e) {
        report(e.number(), e.description());
        return;
    }
    rebuildTree();
    accept();
}

}  // namespace wf
