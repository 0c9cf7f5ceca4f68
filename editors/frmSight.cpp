// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmSight.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppError.h"
#include "AppState.h"
#include "Artwork.h"
#include "DateField.h"
#include "EntryEditor.h"
#include "MainWindowApi.h"
#include "SubjectPicker.h"

namespace wf {

namespace {

QComboBox* areaBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

}  // namespace

frmSight::frmSight(AppState& state, MainWindowApi& main, QWidget* parent)
    : QDialog(parent),
      state_(state),
      main_(main),
      cmbBird_(new QComboBox(this)),
      picker_(new SubjectPicker(cmbBird_, state, false)),
      DTPicker1_(new DateField(this)),
      cmbType_(new QComboBox(this)),
      txtSite_(new QLineEdit(this)),
      cmbDistrict_(areaBox(this, "cmbDistrict")),
      cmbState_(areaBox(this, "cmbState")),
      cmbCountry_(areaBox(this, "cmbCountry")),
      cmbRegion_(areaBox(this, "cmbRegion")),
      txtNotes_(new QLineEdit(this)),
      cmdSave_(new QPushButton(QStringLiteral("&Save"), this)),
      cmdClose_(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName(QStringLiteral("frmSight"));
    setWindowTitle(QStringLiteral("Add new Sighting"));
    setWindowIcon(artwork::icon(QStringLiteral("Sighting")));
    cmbBird_->setObjectName(QStringLiteral("cmbBird"));
    cmbBird_->setMinimumWidth(280);
    DTPicker1_->setObjectName(QStringLiteral("DTPicker1"));
    cmbType_->setObjectName(QStringLiteral("cmbType"));
    txtSite_->setObjectName(QStringLiteral("txtSite"));
    txtNotes_->setObjectName(QStringLiteral("txtNotes"));
    cmdSave_->setObjectName(QStringLiteral("cmdSave"));
    cmdSave_->setDefault(true);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdSave_, &QPushButton::clicked, this, &frmSight::cmdSave_Click);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);

    auto* heading = new QLabel(QStringLiteral("New Sighting Entry for :"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Bird"), cmbBird_);
    form->addRow(QStringLiteral("Date"), DTPicker1_);
    form->addRow(QStringLiteral("Type"), cmbType_);
    form->addRow(QStringLiteral("Site"), txtSite_);
    form->addRow(QStringLiteral("District"), cmbDistrict_);
    form->addRow(QStringLiteral("State/Prov"), cmbState_);
    form->addRow(QStringLiteral("Country"), cmbCountry_);
    form->addRow(QStringLiteral("Region"), cmbRegion_);
    form->addRow(QStringLiteral("Notes"), txtNotes_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(buttons);
    Form_Load();
}

void frmSight::Form_Load() {
    const Store& db = state_.db();
    try {
        QStringList names;
        for (const Subject& s : db.subjects(Category::Birds)) {
            names << s.name;
        }
        picker_->setItems(names);
        cmbType_->addItems({QStringLiteral("Adult"), QStringLiteral("Male"),
                            QStringLiteral("Female"), QStringLiteral("Immature"),
                            QStringLiteral("Sound Record")});
        cmbType_->setCurrentIndex(0);
        cmbRegion_->addItems(db.areaValues(Area::Region));
        cmbCountry_->addItems(db.areaValues(Area::Country));
        cmbState_->addItems(db.areaValues(Area::State));
        cmbDistrict_->addItems(db.areaValues(Area::District));
        DTPicker1_->setDate(state_.services.clock.now().date());
        // A birder's next sighting is most often where the last one was.
        const std::optional<Sighting> last = db.lastSighting();
        cmbRegion_->setEditText(last ? last->region : QString());
        cmbCountry_->setEditText(last ? last->country : QString());
        cmbState_->setEditText(last ? last->state : QString());
        cmbDistrict_->setEditText(last ? last->district : QString());
        txtSite_->setText(last ? last->site : QString());
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
    }
}

void frmSight::editSighting(const Sighting& s) {
    editing_ = s;
    setWindowTitle(QStringLiteral("Edit Sighting"));
    try {
        picker_->setText(state_.db().subjectName(Category::Birds, s.birdid).value_or(QString()));
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
    }
    if (s.date.isValid()) {
        DTPicker1_->setDate(s.date);
    }
    dateShown_ = DTPicker1_->date();
    if (const int i = cmbType_->findText(s.type); i >= 0) {
        cmbType_->setCurrentIndex(i);
    } else {
        cmbType_->setEditable(true);
        cmbType_->setEditText(s.type);
    }
    txtSite_->setText(s.site);
    cmbDistrict_->setEditText(s.district);
    cmbState_->setEditText(s.state);
    cmbCountry_->setEditText(s.country);
    cmbRegion_->setEditText(s.region);
    txtNotes_->setText(s.notes);
}

void frmSight::cmdSave_Click() {
    const QString bird = cmbBird_->currentText();
    if (bird.trimmed().isEmpty()) {
        state_.services.messages.notify(QStringLiteral("You must choose a bird name."),
                                        QStringLiteral("Wingfolio"));
        cmbBird_->setFocus();
        return;
    }
    // A date after today is a typing slip more often than a sighting.
    if (DTPicker1_->date() > state_.services.clock.now().date() &&
        !state_.services.messages.ask(QStringLiteral("The date is in the future. Save it anyway?"),
                                      QStringLiteral("Wingfolio"))) {
        DTPicker1_->setFocus(Qt::OtherFocusReason);
        return;
    }
    Sighting s;
    if (editing_) {
        s = *editing_;  // its id and time of day stay
    }
    s.date = DTPicker1_->date();
    if (editing_ && !editing_->date.isValid() && s.date == dateShown_) {
        s.date = QDate();  // a sighting without a date keeps none unless one is chosen
    }
    s.type = cmbType_->currentText();
    s.region = cmbRegion_->currentText();
    s.country = cmbCountry_->currentText();
    s.state = cmbState_->currentText();
    s.district = cmbDistrict_->currentText();
    s.site = txtSite_->text();
    s.notes = txtNotes_->text();
    try {
        // The new bird and its sighting are stored together or not at all.
        Store& db = state_.db();
        db.inTransaction([&] {
            s.birdid = db.findOrAddSubject(Category::Birds, bird);
            if (editing_) {
                if (!db.updateSighting(s)) {
                    throw AppError(err::NoCurrentRecord, QStringLiteral("wingfolio.frmSight"),
                                   QStringLiteral("The sighting is no longer in the journal."));
                }
            } else {
                db.appendSighting(s);
            }
        });
    } catch (const AppError& e) {
        state_.services.messages.notify(QStringLiteral("Error saving the sighting. Error # ") +
                                            QString::number(e.number()) + e.description(),
                                        QStringLiteral("Wingfolio"), MsgIcon::Exclamation);
        return;
    }
    state_.EditMode = false;
    if (state_.birds() && main_.categoryListText() == QLatin1String("All Entries")) {
        main_.LoadTree();
    }
    accept();
}

void frmSight::done(int result) {
    // However it closes, the editor leaves edit mode behind it.
    state_.EditMode = false;
    QDialog::done(result);
}

}  // namespace wf
