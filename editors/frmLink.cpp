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
}

void frmLink::Form_Load() {
    if (!state_.EditMode) {
        // A new link starts from the page the web pane shows.
        txtLink_->setText(main_.addressText());
    }
    const bool birds = state_.birds();
    lblSubject_->setText(birds ? QStringLiteral("Bird Name") : QStringLiteral("Subject"));
    try {
        QStringList names;
        for (const Subject& s : state_.db().subjects(state_.category())) {
            names << s.name;
        }
        picker_->setItems(names);
        if (!state_.EditMode) {
            return;
        }
        editing_ = true;
        setWindowIcon(artwork::icon(QStringLiteral("Edit")));
        setWindowTitle(QStringLiteral("Editing Current Link"));
        cmbSub_->setEnabled(false);
        const std::optional<Entry> e = state_.db().entry(state_.CurrentEntryId);
        if (!e) {
            state_.services.messages.notify(
                QStringLiteral("Cannot Find the Information for this item."),
                QStringLiteral("Missing Data"), MsgIcon::Exclamation);
            return;
        }
        picker_->setText(state_.db().subjectName(state_.category(), e->subid).value_or(QString()));
        txtTitle_->setText(e->title);
        txtLink_->setText(e->fname);
    } catch (const AppError& e) {
        state_.services.messages.notify(QStringLiteral("Error Loading Data. Error # ") +
                                            QString::number(e.number()) + e.description(),
                                        QStringLiteral("Error loading Data"), MsgIcon::Exclamation);
    }
}

void frmLink::cmdSave_Click() {
    const QString subject = cmbSub_->currentText();
    if (subject.trimmed().isEmpty()) {
        state_.services.messages.notify(state_.birds()
                                            ? QStringLiteral("You must choose a bird name.")
                                            : QStringLiteral("You must choose a subject."),
                                        QStringLiteral("Wingfolio"));
        cmbSub_->setFocus();
        return;
    }
    const QString title = txtTitle_->text();
    if (title.trimmed().isEmpty()) {
        state_.services.messages.notify(
            QStringLiteral("You must enter a title for the Internet Link."),
            QStringLiteral("Please Enter a Title"), MsgIcon::Information);
        txtTitle_->setFocus();
        return;
    }
    Store& db = state_.db();
    try {
        if (editing_) {
            std::optional<Entry> e = db.entry(state_.CurrentEntryId);
            if (!e) {
                throw AppError(err::NoCurrentRecord, QStringLiteral("wingfolio.frmLink"),
                               QStringLiteral("No current record."));
            }
            e->title = title;
            e->fname = txtLink_->text();
            db.updateEntry(*e);
            state_.EditMode = false;
        } else {
            NewEntryNode node;
            node.category = state_.category();
            node.subjectText = subject;
            node.keyLetter = QStringLiteral("L");
            node.title = title;
            node.picture = 3;
            db.inTransaction([&] {
                node.subid = db.findOrAddSubject(node.category, subject);
                node.subjectHadEntries = db.entryCount(node.category, node.subid) > 0;
                Entry e;
                e.catid = int(node.category);
                e.subid = node.subid;
                e.type = kLink;
                e.title = title;
                e.fname = txtLink_->text();
                node.id = db.appendEntry(e);
            });
            insertEntryNode(main_, node);
        }
    } catch (const AppError& e) {
        state_.services.messages.notify(QStringLiteral("Error saving the link. Error # ") +
                                            QString::number(e.number()) + e.description(),
                                        QStringLiteral("Wingfolio"), MsgIcon::Exclamation);
        return;
    }
    accept();
}

void frmLink::done(int result) {
    state_.EditMode = false;
    QDialog::done(result);
}

}  // namespace wf
