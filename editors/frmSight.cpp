// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmSight.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

#include "AppError.h"
#include "AppState.h"
#include "Artwork.h"
#include "DateField.h"
#include "EntryEditor.h"
#include "MainWindowApi.h"
#include "NearestNames.h"
#include "SubjectPicker.h"
#include "Words.h"
#include "frmNewBird.h"

namespace wf {

namespace {

// Decimal degrees as typed ("52.65", "-0,64"), within limit either way:
// the text to keep, empty when nothing was typed, nothing when wrong.
std::optional<QString> parseDegrees(const QString& typed, double limit) {
    QString t = typed.trimmed();
    if (t.isEmpty()) {
        return QString();
    }
    t.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok || std::abs(value) > limit) {
        return std::nullopt;
    }
    return t;
}

QComboBox* areaBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

}  // namespace

std::optional<QTime> parseTimeOfDay(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        return QTime();
    }
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})(?:[:.h ]?(\\d{2}))?$"));
    const QRegularExpressionMatch m = form.match(t);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const QTime time(m.captured(1).toInt(), m.captured(2).isEmpty() ? 0 : m.captured(2).toInt());
    if (!time.isValid()) {
        return std::nullopt;
    }
    return time;
}

frmSight::frmSight(AppState& state, MainWindowApi& main, QWidget* parent)
    : QDialog(parent),
      state_(state),
      main_(main),
      heading_(new QLabel(tr("New Sighting Entry for :"), this)),
      cmbBird_(new QComboBox(this)),
      picker_(new SubjectPicker(cmbBird_, state, false)),
      DTPicker1_(new DateField(this)),
      txtTime_(new QLineEdit(this)),
      cmbType_(new QComboBox(this)),
      txtCount_(new QLineEdit(this)),
      txtSite_(new QLineEdit(this)),
      cmbDistrict_(areaBox(this, "cmbDistrict")),
      cmbState_(areaBox(this, "cmbState")),
      cmbCountry_(areaBox(this, "cmbCountry")),
      cmbRegion_(areaBox(this, "cmbRegion")),
      txtNotes_(new QLineEdit(this)),
      cmdSaveNext_(new QPushButton(tr("Save and &Next"), this)),
      cmdSave_(new QPushButton(tr("&Save"), this)),
      cmdClose_(new QPushButton(tr("&Cancel"), this)) {
    setObjectName(QStringLiteral("frmSight"));
    setWindowTitle(tr("Add new Sighting"));
    setWindowIcon(artwork::icon(QStringLiteral("Sighting")));
    heading_->setObjectName(QStringLiteral("lblHeading"));
    heading_->setTextFormat(Qt::PlainText);
    cmbBird_->setObjectName(QStringLiteral("cmbBird"));
    cmbBird_->setMinimumWidth(280);
    DTPicker1_->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1_->setToday(state_.services.clock.now().date());
    txtTime_->setObjectName(QStringLiteral("txtTime"));
    txtTime_->setPlaceholderText(tr("HH:MM"));
    txtTime_->setMaxLength(5);
    cmbType_->setObjectName(QStringLiteral("cmbType"));
    txtCount_->setObjectName(QStringLiteral("txtCount"));
    txtCount_->setPlaceholderText(tr("a number, or X for present"));
    // The hint is read whole, in any language.
    txtCount_->setMinimumWidth(
        txtCount_->fontMetrics().horizontalAdvance(txtCount_->placeholderText()) + 16);
    // A number, or X where the birds were not counted, as eBird writes it.
    txtCount_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{1,7}|[xX]")), txtCount_));
    txtSite_->setObjectName(QStringLiteral("txtSite"));
    txtNotes_->setObjectName(QStringLiteral("txtNotes"));
    // Where, when known: decimal degrees, as maps and eBird give them.
    txtLatitude_ = new QLineEdit(this);
    txtLatitude_->setObjectName(QStringLiteral("txtLatitude"));
    txtLatitude_->setPlaceholderText(tr("degrees, north positive (52.65)"));
    txtLongitude_ = new QLineEdit(this);
    txtLongitude_->setObjectName(QStringLiteral("txtLongitude"));
    txtLongitude_->setPlaceholderText(tr("degrees, east positive (-0.64)"));
    for (QLineEdit* box : {txtLatitude_, txtLongitude_}) {
        connect(box, &QLineEdit::textEdited, this, [this, box] { markFieldInvalid(box, false); });
    }
    cmdSaveNext_->setObjectName(QStringLiteral("cmdSaveNext"));
    cmdSaveNext_->setAutoDefault(false);
    cmdSaveNext_->setToolTip(
        tr("Store this sighting and start the next of the same "
           "day and place (Ctrl+Return)"));
    cmdSave_->setObjectName(QStringLiteral("cmdSave"));
    cmdSave_->setDefault(true);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdClose_->setAutoDefault(false);
    connect(cmdSaveNext_, &QPushButton::clicked, this, &frmSight::cmdSaveNext_Click);
    connect(cmdSave_, &QPushButton::clicked, this, &frmSight::cmdSave_Click);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* next = new QShortcut(keys, this);
        connect(next, &QShortcut::activated, this, [this] {
            if (cmdSaveNext_->isVisible()) {
                cmdSaveNext_Click();
            }
        });
    }
    // A corrected field loses its mark.
    connect(txtTime_, &QLineEdit::textEdited, this, [this] { markFieldInvalid(txtTime_, false); });
    connect(txtCount_, &QLineEdit::textEdited, this,
            [this] { markFieldInvalid(txtCount_, false); });

    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    auto* form = new QFormLayout;
    form->addRow(tr("Bird"), cmbBird_);
    form->addRow(tr("Date"), DTPicker1_);
    form->addRow(tr("Time"), txtTime_);
    form->addRow(tr("Type"), cmbType_);
    form->addRow(tr("Count"), txtCount_);
    form->addRow(tr("Site"), txtSite_);
    form->addRow(tr("District"), cmbDistrict_);
    form->addRow(tr("State/Prov"), cmbState_);
    form->addRow(tr("Country"), cmbCountry_);
    form->addRow(tr("Region"), cmbRegion_);
    form->addRow(tr("Latitude"), txtLatitude_);
    form->addRow(tr("Longitude"), txtLongitude_);
    // The visit it was part of: an outing of that day and site, a new one, or none.
    cmbOuting_ = new QComboBox(this);
    cmbOuting_->setObjectName(QStringLiteral("cmbOuting"));
    cmbOuting_->setToolTip(tr("The outing of this day and site the sighting belongs to"));
    form->addRow(tr("Outing"), cmbOuting_);
    connect(DTPicker1_, &QLineEdit::editingFinished, this, &frmSight::fillOutings);
    connect(txtSite_, &QLineEdit::editingFinished, this, &frmSight::fillOutings);
    // Tab follows the form down: the place, its coordinates, the outing, the notes.
    setTabOrder(cmbRegion_, txtLatitude_);
    setTabOrder(txtLatitude_, txtLongitude_);
    setTabOrder(txtLongitude_, cmbOuting_);
    setTabOrder(cmbOuting_, txtNotes_);
    form->addRow(tr("Notes"), txtNotes_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSaveNext_);
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(form);
    layout->addLayout(buttons);
    Form_Load();
    changes_.watch([this] { return snapshot(); });
}

void frmSight::Form_Load() {
    const Store& db = state_.db();
    try {
        for (const Subject& s : db.subjects(Category::Birds)) {
            birdNames_ << s.name;
        }
        picker_->setItems(birdNames_);
        // The journal keeps a type in English; the box shows it in the
        // user's language.
        for (const char* type : {QT_TR_NOOP("Adult"), QT_TR_NOOP("Male"), QT_TR_NOOP("Female"),
                                 QT_TR_NOOP("Immature"), QT_TR_NOOP("Sound Record")}) {
            cmbType_->addItem(tr(type), QString::fromLatin1(type));
        }
        cmbType_->setCurrentIndex(0);
        cmbRegion_->addItems(db.areaValues(Area::Region));
        cmbCountry_->addItems(db.areaValues(Area::Country));
        cmbState_->addItems(db.areaValues(Area::State));
        cmbDistrict_->addItems(db.areaValues(Area::District));
        DTPicker1_->setDate(state_.services.clock.now().date());
        // A birder's next sighting is most often where the last one typed
        // was; an imported record says nothing about where the user is now.
        const std::optional<Sighting> last = db.lastTypedSighting();
        cmbRegion_->setEditText(last ? last->region : QString());
        cmbCountry_->setEditText(last ? last->country : QString());
        cmbState_->setEditText(last ? last->state : QString());
        cmbDistrict_->setEditText(last ? last->district : QString());
        txtSite_->setText(last ? last->site : QString());
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
    }
    fillOutings();
}

void frmSight::fillOutings() {
    const qint64 before = cmbOuting_->count() > 0 ? cmbOuting_->currentData().toLongLong() : 0;
    const QSignalBlocker block(cmbOuting_);
    cmbOuting_->clear();
    cmbOuting_->addItem(tr("None"), qint64(0));
    std::vector<ListedOuting> outings;
    try {
        if (DTPicker1_->date().isValid()) {
            outings = state_.db().outingsAt(DTPicker1_->date(), txtSite_->text().trimmed());
        }
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
    }
    for (const ListedOuting& o : outings) {
        cmbOuting_->addItem(
            tr("%1 at %2 (%3 species)")
                .arg(words::date(o.date), o.site.isEmpty() ? tr("no place") : o.site)
                .arg(o.species),
            o.id);
    }
    cmbOuting_->addItem(tr("New outing"), qint64(-1));
    // The outing kept, else the one chosen before, else the day's only one.
    int at = keptOuting_ ? cmbOuting_->findData(*keptOuting_) : -1;
    if (at < 0 && before != 0) {
        at = cmbOuting_->findData(before);
    }
    if (at < 0 && outings.size() == 1 && !editing_) {
        at = 1;
    }
    cmbOuting_->setCurrentIndex(std::max(0, at));
}

void frmSight::editSighting(const Sighting& s) {
    editing_ = s;
    setWindowTitle(tr("Edit Sighting"));
    cmdSaveNext_->hide();
    QString bird;
    try {
        bird = state_.db().subjectName(Category::Birds, s.birdid).value_or(QString());
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
    }
    picker_->setText(bird);
    heading_->setText(tr("Sighting of ") + entry_editor::sightingWords(bird, s.date));
    // A sighting without a date keeps none unless one is typed.
    DTPicker1_->setDate(s.date);
    txtTime_->setText(s.time.isValid() ? s.time.toString(QStringLiteral("HH:mm")) : QString());
    if (const int i = cmbType_->findData(s.type); i >= 0) {
        cmbType_->setCurrentIndex(i);
    } else {
        cmbType_->setEditable(true);
        cmbType_->setEditText(s.type);
    }
    txtCount_->setText(s.count);
    txtSite_->setText(s.site);
    cmbDistrict_->setEditText(s.district);
    cmbState_->setEditText(s.state);
    cmbCountry_->setEditText(s.country);
    cmbRegion_->setEditText(s.region);
    txtNotes_->setText(s.notes);
    txtLatitude_->setText(s.latitude);
    txtLongitude_->setText(s.longitude);
    try {
        keptOuting_ = state_.db().outingOf(s.id);
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
    }
    fillOutings();
    changes_.mark();
}

// The stored name of the type shown: a type of the list, or what was typed.
QString frmSight::typeChosen() const {
    const int i = cmbType_->currentIndex();
    return i >= 0 && cmbType_->itemText(i) == cmbType_->currentText()
               ? cmbType_->itemData(i).toString()
               : cmbType_->currentText();
}

QStringList frmSight::snapshot() const {
    return {cmbBird_->currentText(),
            DTPicker1_->text(),
            txtTime_->text(),
            typeChosen(),
            txtCount_->text(),
            txtSite_->text(),
            cmbDistrict_->currentText(),
            cmbState_->currentText(),
            cmbCountry_->currentText(),
            cmbRegion_->currentText(),
            txtNotes_->text(),
            txtLatitude_->text(),
            txtLongitude_->text(),
            cmbOuting_->currentData().toString()};
}

std::optional<QString> frmSight::birdToFile(const QString& typed) {
    if (state_.db().findSubject(Category::Birds, typed)) {
        return typed;
    }
    frmNewBird ask(typed, nearestNames(birdNames_, typed), this);
    const int answer = state_.services.dialogs.exec(ask);
    if (answer == QDialog::Accepted) {
        return typed;
    }
    if (answer == frmNewBird::UseName && !ask.chosenName().isEmpty()) {
        picker_->setText(ask.chosenName());
        return ask.chosenName();
    }
    return std::nullopt;
}

bool frmSight::store() {
    // Blanks around a name are no part of it.
    const QString typed = cmbBird_->currentText().trimmed();
    if (typed.isEmpty()) {
        state_.services.messages.notify(tr("You must choose a bird name."),
                                        QStringLiteral("Wingfolio"));
        cmbBird_->setFocus();
        return false;
    }
    const QDate date = DTPicker1_->date();
    const bool keepsNoDate =
        editing_ && !editing_->date.isValid() && DTPicker1_->text().trimmed().isEmpty();
    if (!date.isValid() && !keepsNoDate) {
        DTPicker1_->markInvalid(true);
        DTPicker1_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const std::optional<QTime> time = parseTimeOfDay(txtTime_->text());
    if (!time) {
        markFieldInvalid(txtTime_, true, tr("This is not a time of day. Type it as HH:MM."));
        txtTime_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    QString count = txtCount_->text().trimmed().toUpper();
    if (!txtCount_->hasAcceptableInput() && !count.isEmpty()) {
        markFieldInvalid(txtCount_, true, tr("A count is a number, or X for present."));
        txtCount_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const std::optional<QString> latitude = parseDegrees(txtLatitude_->text(), 90);
    const std::optional<QString> longitude = parseDegrees(txtLongitude_->text(), 180);
    if (!latitude || !longitude) {
        QLineEdit* wrong = !latitude ? txtLatitude_ : txtLongitude_;
        markFieldInvalid(wrong, true,
                         !latitude ? tr("A latitude is a number of degrees from -90 (south) to "
                                        "90 (north).")
                                   : tr("A longitude is a number of degrees from -180 (west) "
                                        "to 180 (east)."));
        wrong->setFocus(Qt::OtherFocusReason);
        return false;
    }
    // A date after today is a typing slip more often than a sighting.
    if (date > state_.services.clock.now().date() &&
        !state_.services.messages.ask(tr("The date is in the future. Save it anyway?"),
                                      QStringLiteral("Wingfolio"))) {
        DTPicker1_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    std::optional<QString> bird;
    try {
        bird = birdToFile(typed);
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
        return false;
    }
    if (!bird) {
        cmbBird_->setFocus(Qt::OtherFocusReason);
        cmbBird_->lineEdit()->selectAll();
        return false;
    }
    Sighting s;
    if (editing_) {
        s = *editing_;  // its id stays
    }
    s.date = date;
    s.time = *time;
    s.count = count;
    s.type = typeChosen();
    s.region = cmbRegion_->currentText();
    s.country = cmbCountry_->currentText();
    s.state = cmbState_->currentText();
    s.district = cmbDistrict_->currentText();
    s.site = txtSite_->text();
    s.notes = txtNotes_->text();
    s.latitude = *latitude;
    s.longitude = *longitude;
    try {
        // The new bird and its sighting are stored together or not at all.
        Store& db = state_.db();
        db.inTransaction([&] {
            s.birdid = db.findOrAddSubject(Category::Birds, *bird);
            if (editing_) {
                if (!db.updateSighting(s)) {
                    throw AppError(err::NoCurrentRecord, QStringLiteral("wingfolio.frmSight"),
                                   tr("The sighting is no longer in the journal."));
                }
            } else {
                s.id = db.appendSighting(s);
            }
            // Its outing: the one chosen, a new one of this day and place, or none.
            qint64 outing = cmbOuting_->currentData().toLongLong();
            if (outing < 0) {
                Outing o;
                o.date = s.date;
                o.startTime =
                    s.time.isValid() ? s.time.toString(QStringLiteral("HH:mm")) : QString();
                o.site = s.site;
                o.district = s.district;
                o.state = s.state;
                o.country = s.country;
                o.region = s.region;
                o.latitude = s.latitude;
                o.longitude = s.longitude;
                outing = db.addOuting(o);
            }
            db.setOutingOf(s.id, outing > 0 ? std::optional<qint64>(outing) : std::nullopt);
            keptOuting_ = outing > 0 ? std::optional<qint64>(outing) : std::nullopt;
        });
    } catch (const AppError& e) {
        state_.services.messages.notify(tr("Error saving the sighting. Error # ") +
                                            QString::number(e.number()) + e.description(),
                                        QStringLiteral("Wingfolio"), MsgIcon::Exclamation);
        return false;
    }
    ++saved_;
    if (!birdNames_.contains(*bird, Qt::CaseInsensitive)) {
        birdNames_ << *bird;
        picker_->setItems(birdNames_);
    }
    state_.EditMode = false;
    main_.entrySaved(QStringLiteral("S") + QString::number(s.birdid), !editing_);
    return true;
}

void frmSight::cmdSave_Click() {
    if (store()) {
        changes_.mark();
        accept();
    }
}

void frmSight::cmdSaveNext_Click() {
    if (!store()) {
        return;
    }
    // The next sighting of the same day and place: only the bird, the count
    // and the notes start again.
    picker_->setText(QString());
    txtCount_->clear();
    txtNotes_->clear();
    fillOutings();  // the outing saved with, new or not, stays chosen
    changes_.mark();
    cmbBird_->setFocus(Qt::OtherFocusReason);
}

void frmSight::reject() {
    if (changes_.mayClose(state_.services.messages)) {
        QDialog::reject();
    }
}

void frmSight::done(int result) {
    // However it closes, the editor leaves edit mode behind it.
    state_.EditMode = false;
    QDialog::done(result);
}

}  // namespace wf
