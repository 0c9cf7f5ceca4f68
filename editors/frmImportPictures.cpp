// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmImportPictures.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "AppError.h"
#include "AppState.h"
#include "Artwork.h"
#include "BusyCursor.h"
#include "SubjectPicker.h"
#include "Words.h"

namespace wf {

namespace {

enum Column { kPicture, kFile, kTaken, kBird, kSighting, kTitle, kStatus, kColumns };

QString defaultTitle(const QString& bird, const QDateTime& taken) {
    return taken.isValid()
               ? bird + QStringLiteral(", ") + words::date(taken.date(), DateStyle::Long)
               : bird;
}

}  // namespace

frmImportPictures::frmImportPictures(AppState& state, std::vector<PhotoChoice> choices,
                                     QWidget* parent)
    : QDialog(parent),
      state_(state),
      choices_(std::move(choices)),
      tblFiles_(new QTableWidget(int(choices_.size()), kColumns, this)),
      cmbBird_(new QComboBox(this)),
      picker_(new SubjectPicker(cmbBird_, state, false)),
      cmbSighting_(new QComboBox(this)),
      txtTitle_(new QLineEdit(this)),
      lblSummary_(new QLabel(this)),
      cmdAccept_(new QPushButton(tr("&Accept"), this)) {
    setObjectName(QStringLiteral("frmImportPictures"));
    setWindowTitle(tr("Import Pictures"));
    setWindowIcon(artwork::icon(QStringLiteral("Image")));
    tblFiles_->setObjectName(QStringLiteral("tblFiles"));
    tblFiles_->setHorizontalHeaderLabels({tr("Picture"), tr("File"), tr("Taken"), tr("Bird"),
                                          tr("Sighting"), tr("Title"), tr("Status")});
    tblFiles_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblFiles_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblFiles_->setTabKeyNavigation(false);  // Tab goes on to the boxes below
    tblFiles_->verticalHeader()->hide();
    tblFiles_->setIconSize(QSize(PhotoFile::kThumbnail / 2, PhotoFile::kThumbnail / 2));
    tblFiles_->verticalHeader()->setDefaultSectionSize(PhotoFile::kThumbnail / 2 + 8);
    tblFiles_->setColumnWidth(kPicture, PhotoFile::kThumbnail / 2 + 12);
    tblFiles_->horizontalHeader()->setSectionResizeMode(kStatus, QHeaderView::Stretch);
    tblFiles_->setMinimumSize(860, 320);
    cmbBird_->setObjectName(QStringLiteral("cmbBird"));
    cmbSighting_->setObjectName(QStringLiteral("cmbSighting"));
    txtTitle_->setObjectName(QStringLiteral("txtTitle"));
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    lblSummary_->setWordWrap(true);
    try {
        QStringList names;
        for (const Subject& s : state_.db().subjects(Category::Birds)) {
            names << s.name;
        }
        picker_->setItems(names);
    } catch (const AppError&) {
        // The boxes stay empty; the rows proposed can still be stored.
    }
    for (int row = 0; row < int(choices_.size()); ++row) {
        fillRow(row);
    }
    tblFiles_->resizeColumnToContents(kFile);
    tblFiles_->resizeColumnToContents(kTaken);
    auto* form = new QFormLayout;
    form->addRow(tr("&Bird:"), cmbBird_);
    form->addRow(tr("S&ighting:"), cmbSighting_);
    form->addRow(tr("&Title:"), txtTitle_);
    cmdAccept_->setObjectName(QStringLiteral("cmdAccept"));
    cmdAccept_->setDefault(true);
    auto* cmdCancel = new QPushButton(tr("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblSummary_, 1);
    buttons->addWidget(cmdAccept_);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    auto* lead = new QLabel(tr("Each picture is filed under the bird of the sighting it was "
                               "taken at, when the day and place it was taken say which. "
                               "Choose rows to change their bird, sighting or title."),
                            this);
    lead->setWordWrap(true);
    layout->addWidget(lead);
    layout->addWidget(tblFiles_, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(tblFiles_, &QTableWidget::itemSelectionChanged, this, &frmImportPictures::showChosen);
    connect(cmbBird_->lineEdit(), &QLineEdit::editingFinished, this, &frmImportPictures::birdTyped);
    connect(cmbBird_, &QComboBox::activated, this, [this] { birdTyped(); });
    connect(cmbSighting_, &QComboBox::activated, this, &frmImportPictures::sightingChosen);
    connect(txtTitle_, &QLineEdit::textEdited, this, &frmImportPictures::titleTyped);
    connect(cmdAccept_, &QPushButton::clicked, this, &frmImportPictures::cmdAccept_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(tblFiles_, cmbBird_);
    setTabOrder(cmbBird_, cmbSighting_);
    setTabOrder(cmbSighting_, txtTitle_);
    setTabOrder(txtTitle_, cmdAccept_);
    setTabOrder(cmdAccept_, cmdCancel);
    if (!choices_.empty()) {
        tblFiles_->selectRow(0);
    }
    tblFiles_->setFocus();
    showChosen();
}

void frmImportPictures::fillRow(int row) {
    const PhotoChoice& c = choices_[size_t(row)];
    const auto set = [&](int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setToolTip(text);
        tblFiles_->setItem(row, column, item);
        return item;
    };
    auto* picture = set(kPicture, QString());
    if (!c.file.thumbnail.isNull()) {
        picture->setIcon(QIcon(QPixmap::fromImage(c.file.thumbnail)));
    }
    set(kFile, c.file.name);
    set(kTaken, c.file.exif.taken.isValid() ? words::date(c.file.exif.taken.date()) + u' ' +
                                                  words::time(c.file.exif.taken.time())
                                            : QString());
    QString bird;
    QString sighting;
    try {
        if (c.birdid != 0) {
            bird = state_.db().subjectName(Category::Birds, c.birdid).value_or(QString());
        }
        if (c.sightingId != 0) {
            if (const std::optional<Sighting> s = state_.db().sighting(c.sightingId)) {
                sighting = s->site.isEmpty() ? words::date(s->date) : s->site;
            }
        }
    } catch (const AppError&) {
    }
    set(kBird, bird);
    set(kSighting, sighting);
    set(kTitle, c.title);
    QString status;
    if (!c.outcome.isEmpty()) {
        status = c.outcome;
    } else if (!c.file.ok()) {
        status = c.file.problem;
    } else if (c.birdid == 0) {
        status = tr("choose its bird");
    } else {
        status = c.file.kind == PhotoFile::Kind::Jpeg ? tr("ready") : tr("ready, to be made JPEG");
    }
    QTableWidgetItem* statusItem = set(kStatus, status);
    if (!c.file.ok()) {
        statusItem->setForeground(QColor(0xb0, 0x20, 0x20));
    }
}

std::vector<int> frmImportPictures::chosenRows() const {
    std::set<int> rows;
    for (const QModelIndex& i : tblFiles_->selectionModel()->selectedRows()) {
        rows.insert(i.row());
    }
    return {rows.begin(), rows.end()};
}

void frmImportPictures::showChosen() {
    const std::vector<int> rows = chosenRows();
    int ready = 0;
    int refused = 0;
    int birdless = 0;
    for (const PhotoChoice& c : choices_) {
        if (!c.file.ok()) {
            ++refused;
        } else if (c.birdid == 0) {
            ++birdless;
        } else {
            ++ready;
        }
    }
    lblSummary_->setText(tr("%1: %2 ready, %3 without a bird, %4 refused.")
                             .arg(words::counted(qint64(choices_.size()), tr("file"), tr("files")))
                             .arg(ready)
                             .arg(birdless)
                             .arg(refused));
    cmdAccept_->setEnabled(ready > 0);
    filling_ = true;
    const bool any = !rows.empty() && std::any_of(rows.begin(), rows.end(), [&](int r) {
        return choices_[size_t(r)].file.ok();
    });
    cmbBird_->setEnabled(any);
    const bool one = rows.size() == 1 && any;
    cmbSighting_->setEnabled(one);
    txtTitle_->setEnabled(one);
    cmbSighting_->clear();
    if (!any) {
        picker_->setText({});
        txtTitle_->clear();
        filling_ = false;
        return;
    }
    const PhotoChoice& c = choices_[size_t(rows.front())];
    QString bird;
    try {
        bird = c.birdid != 0
                   ? state_.db().subjectName(Category::Birds, c.birdid).value_or(QString())
                   : QString();
        cmbSighting_->addItem(tr("None"), qint64(0));
        if (one && c.birdid != 0 && c.file.exif.taken.isValid()) {
            const QDate day = c.file.exif.taken.date();
            const auto days = state_.db().sightingsOnDays({day});
            if (const auto it = days.find(day); it != days.end()) {
                for (const Sighting& s : it->second) {
                    if (s.birdid == c.birdid) {
                        cmbSighting_->addItem(
                            s.site.isEmpty() ? words::date(s.date)
                                             : words::date(s.date) + QStringLiteral(", ") + s.site,
                            s.id);
                    }
                }
            }
        }
    } catch (const AppError&) {
    }
    cmbSighting_->setCurrentIndex(std::max(0, cmbSighting_->findData(c.sightingId)));
    picker_->setText(bird);
    txtTitle_->setText(one ? c.title : QString());
    filling_ = false;
}

void frmImportPictures::birdTyped() {
    if (filling_) {
        return;
    }
    const QString name = cmbBird_->currentText().trimmed();
    if (name.isEmpty()) {
        return;
    }
    std::optional<qint64> bird;
    try {
        bird = state_.db().findSubject(Category::Birds, name);
    } catch (const AppError&) {
    }
    if (!bird) {
        lblSummary_->setText(tr("There is no bird \u201c%1\u201d in the journal.").arg(name));
        return;
    }
    const QString shown = state_.db().subjectName(Category::Birds, *bird).value_or(name);
    for (const int r : chosenRows()) {
        PhotoChoice& c = choices_[size_t(r)];
        if (!c.file.ok() || c.birdid == *bird) {
            continue;
        }
        const QString oldBird =
            c.birdid != 0 ? state_.db().subjectName(Category::Birds, c.birdid).value_or(QString())
                          : QString();
        // A title the user has not changed follows the bird.
        if (c.title.isEmpty() || c.title == defaultTitle(oldBird, c.file.exif.taken)) {
            c.title = defaultTitle(shown, c.file.exif.taken);
        }
        c.birdid = *bird;
        c.sightingId = 0;
        if (c.file.exif.taken.isValid()) {
            const QDate day = c.file.exif.taken.date();
            const auto days = state_.db().sightingsOnDays({day});
            if (const auto it = days.find(day); it != days.end()) {
                std::vector<Sighting> mine;
                for (const Sighting& s : it->second) {
                    if (s.birdid == *bird) {
                        mine.push_back(s);
                    }
                }
                c.sightingId = PhotoImport::proposedSighting(mine, c.file.exif.latitude,
                                                             c.file.exif.longitude);
            }
        }
        fillRow(r);
    }
    showChosen();
}

void frmImportPictures::sightingChosen(int index) {
    if (filling_ || index < 0) {
        return;
    }
    const std::vector<int> rows = chosenRows();
    if (rows.size() != 1) {
        return;
    }
    choices_[size_t(rows.front())].sightingId = cmbSighting_->itemData(index).toLongLong();
    fillRow(rows.front());
}

void frmImportPictures::titleTyped() {
    const std::vector<int> rows = chosenRows();
    if (filling_ || rows.size() != 1) {
        return;
    }
    choices_[size_t(rows.front())].title = txtTitle_->text();
    tblFiles_->item(rows.front(), kTitle)->setText(txtTitle_->text());
}

void frmImportPictures::cmdAccept_Click() {
    try {
        const BusyCursor busy;
        stored_ = PhotoImport::store(state_.db(), state_.folder, choices_);
    } catch (const AppError& e) {
        state_.services.messages.notify(
            tr("Nothing was imported. Error # ") + QString::number(e.number()) + e.description(),
            tr("Import Pictures"), MsgIcon::Exclamation);
        return;
    }
    QStringList told;
    for (const PhotoChoice& c : choices_) {
        if (!c.outcome.isEmpty()) {
            told << c.file.name + QStringLiteral(": ") + c.outcome;
        }
    }
    QString text = tr("%1 imported.").arg(words::counted(stored_, tr("picture"), tr("pictures")));
    if (!told.isEmpty()) {
        text += u'\n' + tr("Not imported:") + u'\n' + told.join(u'\n');
    }
    state_.services.messages.notify(text, tr("Import Pictures"),
                                    told.isEmpty() ? MsgIcon::Information : MsgIcon::Exclamation);
    accept();
}

}  // namespace wf
