// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmReviewNames.h"
#include "Words.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "AppError.h"
#include "AppState.h"
#include "Artwork.h"
#include "IsoCodes.h"

namespace wf {

namespace {

// An editable box of every bird's name, completing what is typed anywhere
// in a name.
QComboBox* birdBox(QWidget* parent, const char* name, const QStringList& birds) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(birds);
    box->setCurrentIndex(-1);
    box->setMinimumContentsLength(28);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->completer()->setCompletionMode(QCompleter::PopupCompletion);
    box->completer()->setFilterMode(Qt::MatchContains);
    box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    return box;
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

frmReviewNames::frmReviewNames(AppState& state, QWidget* parent)
    : QDialog(parent),
      state_(state),
      names_(state.db(), IsoCodes::system()),
      tabs_(new QTabWidget(this)),
      tblWaiting_(new QTableWidget(this)),
      lstSuggestions_(new QListWidget(this)),
      cmbBird_(nullptr),
      cmdFile_(new QPushButton(tr("&File Under This Bird"), this)),
      cmdSplit_(new QPushButton(tr("&Split by Country..."), this)),
      cmdNew_(new QPushButton(tr("Add as &New Bird"), this)),
      cmdLater_(new QPushButton(tr("&Later"), this)),
      lblWaiting_(new QLabel(this)),
      tblChoices_(new QTableWidget(this)),
      cmbChangeTo_(nullptr),
      cmdChange_(new QPushButton(tr("C&hange"), this)) {
    setObjectName(QStringLiteral("frmReviewNames"));
    setWindowTitle(tr("Review eBird Names"));
    setWindowIcon(artwork::appIcon());
    try {
        for (const Subject& s : state_.db().subjects(Category::Birds)) {
            birdNames_ << s.name;
        }
    } catch (const AppError& e) {
        report(e);
    }
    cmbBird_ = birdBox(this, "cmbBird", birdNames_);
    cmbChangeTo_ = birdBox(this, "cmbChangeTo", birdNames_);

    // The waiting names.
    tabs_->setObjectName(QStringLiteral("tabs"));
    tblWaiting_->setObjectName(QStringLiteral("tblWaiting"));
    tblWaiting_->setColumnCount(6);
    tblWaiting_->setHorizontalHeaderLabels({tr("English Name"), tr("Scientific Name"),
                                            tr("Records"), tr("Places"), tr("Dates"),
                                            tr("Countries")});
    tblWaiting_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblWaiting_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblWaiting_->verticalHeader()->hide();
    tblWaiting_->horizontalHeader()->setStretchLastSection(true);
    lstSuggestions_->setObjectName(QStringLiteral("lstSuggestions"));
    lblWaiting_->setObjectName(QStringLiteral("lblWaiting"));
    cmdFile_->setObjectName(QStringLiteral("cmdFile"));
    cmdSplit_->setObjectName(QStringLiteral("cmdSplit"));
    cmdNew_->setObjectName(QStringLiteral("cmdNew"));
    cmdLater_->setObjectName(QStringLiteral("cmdLater"));
    for (QPushButton* b : {cmdFile_, cmdSplit_, cmdNew_, cmdLater_, cmdChange_}) {
        b->setAutoDefault(false);
    }
    // A bird's name typed (or a suggestion chosen), Enter files the records.
    cmdFile_->setDefault(true);
    auto* waitingPage = new QWidget(this);
    auto* w = new QVBoxLayout(waitingPage);
    w->addWidget(lblWaiting_);
    w->addWidget(tblWaiting_, 3);
    auto* suggested = new QLabel(tr("The birds these names may mean:"), waitingPage);
    suggested->setBuddy(lstSuggestions_);
    w->addWidget(suggested);
    w->addWidget(lstSuggestions_, 2);
    auto* fileRow = new QHBoxLayout;
    auto* birdLabel = new QLabel(tr("&Bird:"), waitingPage);
    birdLabel->setBuddy(cmbBird_);
    fileRow->addWidget(birdLabel);
    fileRow->addWidget(cmbBird_, 1);
    fileRow->addWidget(cmdFile_);
    w->addLayout(fileRow);
    auto* otherRow = new QHBoxLayout;
    otherRow->addWidget(cmdSplit_);
    otherRow->addWidget(cmdNew_);
    otherRow->addStretch(1);
    otherRow->addWidget(cmdLater_);
    w->addLayout(otherRow);
    tabs_->addTab(waitingPage, tr("&Waiting"));

    // The choices made.
    tblChoices_->setObjectName(QStringLiteral("tblChoices"));
    tblChoices_->setColumnCount(5);
    tblChoices_->setHorizontalHeaderLabels({tr("English Name"), tr("Scientific Name"),
                                            tr("Country"), tr("Filed Under"), tr("Sightings")});
    tblChoices_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblChoices_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblChoices_->verticalHeader()->hide();
    tblChoices_->horizontalHeader()->setStretchLastSection(true);
    cmdChange_->setObjectName(QStringLiteral("cmdChange"));
    auto* choicesPage = new QWidget(this);
    auto* c = new QVBoxLayout(choicesPage);
    c->addWidget(tblChoices_, 1);
    auto* changeRow = new QHBoxLayout;
    auto* changeLabel = new QLabel(tr("File &under:"), choicesPage);
    changeLabel->setBuddy(cmbChangeTo_);
    changeRow->addWidget(changeLabel);
    changeRow->addWidget(cmbChangeTo_, 1);
    changeRow->addWidget(cmdChange_);
    c->addLayout(changeRow);
    tabs_->addTab(choicesPage, tr("&Choices Made"));

    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(close);
    resize(760, 560);

    connect(tblWaiting_, &QTableWidget::currentCellChanged, this, [this] { showSuggestions(); });
    connect(lstSuggestions_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < int(suggestions_.size())) {
            cmbBird_->setEditText(suggestions_[size_t(row)].name);
        }
    });
    connect(lstSuggestions_, &QListWidget::itemActivated, this, [this] { cmdFile_Click(); });
    connect(cmdFile_, &QPushButton::clicked, this, &frmReviewNames::cmdFile_Click);
    connect(cmdSplit_, &QPushButton::clicked, this, &frmReviewNames::cmdSplit_Click);
    connect(cmdNew_, &QPushButton::clicked, this, &frmReviewNames::cmdNew_Click);
    connect(cmdLater_, &QPushButton::clicked, this, &frmReviewNames::cmdLater_Click);
    connect(cmdChange_, &QPushButton::clicked, this, &frmReviewNames::cmdChange_Click);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1) {
            fillChoices();  // counted when first looked at
        }
    });
    fillWaiting();
}

void frmReviewNames::report(const AppError& e) {
    state_.services.messages.notify(
        tr("Error # ") + QString::number(e.number()) + u' ' + e.description(), windowTitle(),
        MsgIcon::Exclamation);
}

void frmReviewNames::fillWaiting() {
    try {
        waiting_ = names_.waiting();
    } catch (const AppError& e) {
        report(e);
        return;
    }
    int records = 0;
    for (const EbirdNames::Waiting& x : waiting_) {
        records += x.records;
    }
    lblWaiting_->setText(
        waiting_.empty()
            ? tr("No eBird records are waiting: every one is filed under a bird.")
            : tr("%1 under %2 match no bird of the world list by both their names. "
                 "Choose the bird each pair of names means.")
                  .arg(words::counted(records, tr("record"), tr("records")),
                       words::counted(qint64(waiting_.size()), tr("name"), tr("names"))));
    tblWaiting_->setUpdatesEnabled(false);
    tblWaiting_->setRowCount(int(waiting_.size()));
    for (int r = 0; r < int(waiting_.size()); ++r) {
        const EbirdNames::Waiting& x = waiting_[size_t(r)];
        QString dates = words::date(x.first);
        if (x.last != x.first) {
            dates += tr(" to ") + words::date(x.last);
        }
        tblWaiting_->setItem(r, 0, cell(x.common));
        tblWaiting_->setItem(r, 1, cell(x.scientific));
        tblWaiting_->setItem(r, 2, cell(QString::number(x.records)));
        tblWaiting_->setItem(r, 3, cell(QString::number(x.places)));
        tblWaiting_->setItem(r, 4, cell(dates));
        tblWaiting_->setItem(r, 5, cell(x.countries.join(QStringLiteral(", "))));
    }
    tblWaiting_->resizeColumnsToContents();
    tblWaiting_->setUpdatesEnabled(true);
    const bool any = !waiting_.empty();
    for (QPushButton* b : {cmdFile_, cmdSplit_, cmdNew_, cmdLater_}) {
        b->setEnabled(any);
    }
    if (any) {
        tblWaiting_->setCurrentCell(0, 0);
    } else {
        suggestions_.clear();
        lstSuggestions_->clear();
    }
}

const EbirdNames::Waiting* frmReviewNames::current() const {
    const int row = tblWaiting_->currentRow();
    return row >= 0 && row < int(waiting_.size()) ? &waiting_[size_t(row)] : nullptr;
}

void frmReviewNames::showSuggestions() {
    lstSuggestions_->clear();
    suggestions_.clear();
    cmbBird_->setEditText(QString());
    const EbirdNames::Waiting* w = current();
    if (w == nullptr) {
        return;
    }
    try {
        suggestions_ = names_.suggestions(w->common, w->scientific);
    } catch (const AppError& e) {
        report(e);
        return;
    }
    for (const EbirdNames::Suggestion& s : suggestions_) {
        lstSuggestions_->addItem(
            QStringLiteral("%1 \u2014 %2%3: %4")
                .arg(s.name, s.scientific,
                     s.family.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(s.family),
                     s.why));
    }
}

std::optional<qint64> frmReviewNames::birdNamed(const QString& name) {
    const std::optional<qint64> id = state_.db().findSubject(Category::Birds, name.trimmed());
    if (!id) {
        state_.services.messages.notify(
            name.trimmed().isEmpty()
                ? tr("Choose the bird these records go under.")
                : tr("\u201c%1\u201d is not in the world list.").arg(name.trimmed()),
            windowTitle());
    }
    return id;
}

void frmReviewNames::cmdFile_Click() {
    const EbirdNames::Waiting* w = current();
    if (w == nullptr) {
        return;
    }
    try {
        const std::optional<qint64> bird = birdNamed(cmbBird_->currentText());
        if (!bird) {
            cmbBird_->setFocus();
            return;
        }
        names_.fileUnder(w->common, w->scientific, *bird);
        changed_ = true;
    } catch (const AppError& e) {
        report(e);
        return;
    }
    fillWaiting();
}

void frmReviewNames::cmdSplit_Click() {
    const EbirdNames::Waiting* w = current();
    if (w == nullptr) {
        return;
    }
    const EbirdNames::Waiting pair = *w;
    QDialog split(this);
    split.setObjectName(QStringLiteral("frmSplitCountry"));
    split.setWindowTitle(tr("Split by Country"));
    auto* layout = new QVBoxLayout(&split);
    auto* intro = new QLabel(tr("Records of \u201c%1\u201d (%2) in the countries ticked "
                                "go under one bird, the rest under another.")
                                 .arg(pair.common, pair.scientific),
                             &split);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* countries = new QListWidget(&split);
    countries->setObjectName(QStringLiteral("lstCountries"));
    const IsoCodes& codes = IsoCodes::system();
    for (const QString& code : pair.countries) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1 (%2)").arg(codes.countryName(code), code), countries);
        item->setData(Qt::UserRole, code);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    layout->addWidget(countries);
    auto* form = new QFormLayout;
    QComboBox* inThese = birdBox(&split, "cmbInThese", birdNames_);
    QComboBox* elsewhere = birdBox(&split, "cmbElsewhere", birdNames_);
    form->addRow(tr("In the countries &ticked:"), inThese);
    form->addRow(tr("&Elsewhere:"), elsewhere);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &split);
    connect(buttons, &QDialogButtonBox::accepted, &split, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &split, &QDialog::reject);
    layout->addWidget(buttons);
    if (state_.services.dialogs.exec(split) != QDialog::Accepted) {
        return;
    }
    QStringList ticked;
    for (int i = 0; i < countries->count(); ++i) {
        if (countries->item(i)->checkState() == Qt::Checked) {
            ticked << countries->item(i)->data(Qt::UserRole).toString();
        }
    }
    try {
        const std::optional<qint64> a = birdNamed(inThese->currentText());
        const std::optional<qint64> b = a ? birdNamed(elsewhere->currentText()) : std::nullopt;
        if (!a || !b) {
            return;
        }
        names_.splitByCountry(pair.common, pair.scientific, ticked, *a, *b);
        changed_ = true;
    } catch (const AppError& e) {
        report(e);
        return;
    }
    fillWaiting();
}

void frmReviewNames::cmdNew_Click() {
    const EbirdNames::Waiting* w = current();
    if (w == nullptr) {
        return;
    }
    if (!state_.services.messages.ask(
            tr("Add \u201c%1\u201d (%2) to the world list as a new bird, with its %3 "
               "records?")
                .arg(w->common, w->scientific)
                .arg(w->records),
            windowTitle())) {
        return;
    }
    try {
        names_.addAsNewBird(w->common, w->scientific);
        changed_ = true;
    } catch (const AppError& e) {
        report(e);
        return;
    }
    fillWaiting();
}

void frmReviewNames::cmdLater_Click() {
    const int next = tblWaiting_->currentRow() + 1;
    if (next < tblWaiting_->rowCount()) {
        tblWaiting_->setCurrentCell(next, 0);
    }
}

void frmReviewNames::fillChoices() {
    try {
        choices_ = names_.choices();
    } catch (const AppError& e) {
        report(e);
        return;
    }
    tblChoices_->setRowCount(int(choices_.size()));
    for (int r = 0; r < int(choices_.size()); ++r) {
        const EbirdNames::Choice& x = choices_[size_t(r)];
        tblChoices_->setItem(r, 0, cell(x.common));
        tblChoices_->setItem(r, 1, cell(x.scientific));
        tblChoices_->setItem(r, 2, cell(x.country.isEmpty() ? QStringLiteral("any") : x.country));
        tblChoices_->setItem(r, 3, cell(x.birdName));
        tblChoices_->setItem(r, 4, cell(QString::number(x.sightings)));
    }
    tblChoices_->resizeColumnsToContents();
    cmdChange_->setEnabled(!choices_.empty());
}

void frmReviewNames::cmdChange_Click() {
    const int row = tblChoices_->currentRow();
    if (row < 0 || row >= int(choices_.size())) {
        return;
    }
    try {
        const std::optional<qint64> bird = birdNamed(cmbChangeTo_->currentText());
        if (!bird) {
            return;
        }
        names_.changeChoice(choices_[size_t(row)], *bird);
        changed_ = true;
    } catch (const AppError& e) {
        report(e);
        return;
    }
    fillChoices();
}

}  // namespace wf
