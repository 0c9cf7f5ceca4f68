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
    : EntryFrame(
          state, main, parent,
          {"frmLink", QT_TRANSLATE_NOOP("wf::EntryFrame", "Add a New Internet Link"), "Link"}),
      txtLink_(new QLineEdit(this)) {
    txtLink_->setObjectName(QStringLiteral("txtLink"));
    txtLink_->setMinimumWidth(360);
    auto* lblLink = new QLabel(tr("Web Address (URL)"), this);
    lblLink->setObjectName(QStringLiteral("lbl(3)"));
    fields()->addWidget(lblLink, 2, 0);
    fields()->addWidget(txtLink_, 2, 1);
    finish();
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
        if (const auto current =
                loadEntry(QT_TRANSLATE_NOOP("wf::EntryFrame", "Editing Current Link"))) {
            txtLink_->setText(current->first.fname);
        }
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
    }
}

void frmLink::cmdSave_Click() {
    if (!entry_editor::checkFields(
            state_, cmbSub_, txtTitle_,
            {tr("You must enter a title for the Internet Link."), tr("Please Enter a Title"),
             MsgButtons::Ok, MsgIcon::Information})) {
        return;
    }
    saveEntry({kLink, "L", 3, "wingfolio.frmLink",
               QT_TRANSLATE_NOOP("wf::EntryFrame", "Error saving the link. Error # ")},
              [this](Entry& e) { e.fname = txtLink_->text(); });
}

}  // namespace wf
