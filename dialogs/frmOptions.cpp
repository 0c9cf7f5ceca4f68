// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmOptions.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "AppError.h"
#include "AppState.h"
#include "Artwork.h"
#include "CountryMatcher.h"
#include "Words.h"
#include "WorldShapes.h"

namespace wf {

namespace {

QLineEdit* box(QWidget* parent, const char* name) {
    auto* b = new QLineEdit(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumWidth(300);
    return b;
}

}  // namespace

frmOptions::frmOptions(AppState& state, QWidget* parent)
    : QDialog(parent),
      state_(state),
      txtRegion_(box(this, "txtRegion")),
      txtCountry_(box(this, "txtCountry")),
      txtState_(box(this, "txtState")),
      txtDistrict_(box(this, "txtDistrict")),
      txtSearch_(box(this, "txtSearch")),
      txtHome_(box(this, "txtHome")),
      txtAliases_(new QPlainTextEdit(this)),
      cmbDates_(new QComboBox(this)) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Options"));
    setWindowIcon(artwork::appIcon());
    auto* lists = new QGroupBox(tr("Active Life Lists"), this);
    auto* listsForm = new QFormLayout(lists);
    auto* internet = new QGroupBox(tr("Internet Options"), this);
    auto* internetForm = new QFormLayout(internet);
    // The captions of both groups share one width, so the boxes line up.
    const std::pair<QFormLayout*, std::pair<const char*, QLineEdit*>> rows[] = {
        {listsForm, {QT_TR_NOOP("Region"), txtRegion_}},
        {listsForm, {QT_TR_NOOP("Country"), txtCountry_}},
        {listsForm, {QT_TR_NOOP("State/Prov"), txtState_}},
        {listsForm, {QT_TR_NOOP("District"), txtDistrict_}},
        {internetForm, {QT_TR_NOOP("Search Engine"), txtSearch_}},
        {internetForm, {QT_TR_NOOP("Home Page"), txtHome_}},
    };
    int widest = 0;
    for (const auto& [form, row] : rows) {
        widest = std::max(widest, fontMetrics().horizontalAdvance(tr(row.first)));
    }
    for (const auto& [form, row] : rows) {
        auto* caption = new QLabel(tr(row.first), this);
        caption->setMinimumWidth(widest + 4);
        caption->setBuddy(row.second);
        form->addRow(caption, row.second);
    }
    // Dates as people read them, everywhere in the program.
    auto* display = new QGroupBox(tr("Display"), this);
    auto* displayForm = new QFormLayout(display);
    cmbDates_->setObjectName(QStringLiteral("cmbDates"));
    const QDate sample(2026, 5, 3);
    for (const DateStyle style : {DateStyle::Short, DateStyle::Long, DateStyle::Iso}) {
        cmbDates_->addItem(words::date(sample, style), words::dateStyleKey(style));
    }
    cmbDates_->setCurrentIndex(cmbDates_->findData(words::dateStyleKey(words::dateStyle())));
    auto* datesCaption = new QLabel(tr("&Dates"), this);
    datesCaption->setMinimumWidth(widest + 4);
    datesCaption->setBuddy(cmbDates_);
    displayForm->addRow(datesCaption, cmbDates_);
    // Country names of the sightings that the map does not know by itself.
    auto* map = new QGroupBox(tr("Map"), this);
    auto* mapForm = new QFormLayout(map);
    txtAliases_->setObjectName(QStringLiteral("txtAliases"));
    txtAliases_->setTabChangesFocus(true);
    txtAliases_->setPlaceholderText(tr("England = United Kingdom"));
    txtAliases_->setFixedHeight(txtAliases_->fontMetrics().lineSpacing() * 4 + 12);
    auto* aliasesCaption = new QLabel(tr("Country &names"), this);
    aliasesCaption->setMinimumWidth(widest + 4);
    aliasesCaption->setBuddy(txtAliases_);
    aliasesCaption->setToolTip(
        tr("One a line: a country name your sightings use, \"=\", and "
           "the country of the map it means"));
    txtAliases_->setToolTip(aliasesCaption->toolTip());
    mapForm->addRow(aliasesCaption, txtAliases_);
    auto* cmdSave = new QPushButton(tr("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setDefault(true);
    auto* cmdCancel = new QPushButton(tr("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    connect(cmdSave, &QPushButton::clicked, this, &frmOptions::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lists);
    layout->addWidget(internet);
    layout->addWidget(display);
    layout->addWidget(map);
    layout->addLayout(buttons);

    try {
        const Options o = state_.db().options();
        txtSearch_->setText(o.search);
        txtHome_->setText(o.home);
        txtRegion_->setText(o.region);
        txtCountry_->setText(o.country);
        txtState_->setText(o.state);
        txtDistrict_->setText(o.district);
        QStringList aliases;
        for (const auto& [alias, country] : state_.db().countryAliases()) {
            aliases << alias + QStringLiteral(" = ") + country;
        }
        txtAliases_->setPlainText(aliases.join(u'\n'));
    } catch (const AppError& e) {
        state_.services.messages.notify(
            tr("Error Loading Data. Error # ") + QString::number(e.number()) + e.description(),
            tr("Error loading Data"), MsgIcon::Exclamation);
    }
    changes_.watch([this] {
        return QStringList{txtRegion_->text(),
                           txtCountry_->text(),
                           txtState_->text(),
                           txtDistrict_->text(),
                           txtSearch_->text(),
                           txtHome_->text(),
                           cmbDates_->currentData().toString(),
                           txtAliases_->toPlainText()};
    });
}

bool frmOptions::readAliases(std::vector<std::pair<QString, QString>>& aliases) {
    const maps::CountryMatcher matcher(maps::WorldShapes::coarse().countries());
    const QStringList lines = txtAliases_->toPlainText().split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty()) {
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        const QString alias = line.left(eq).trimmed();
        const QString country = line.mid(eq + 1).trimmed();
        QString problem;
        if (eq < 0 || alias.isEmpty() || country.isEmpty()) {
            problem = tr("Line %1 of the country names is not \"name = country\" (England = "
                         "United Kingdom).")
                          .arg(i + 1);
        } else if (matcher.match(country).isEmpty()) {
            problem = tr("\u201c%1\u201d is no country of the map (line %2 of the country "
                         "names).")
                          .arg(country)
                          .arg(i + 1);
        }
        if (!problem.isEmpty()) {
            state_.services.messages.notify(problem, windowTitle(), MsgIcon::Exclamation);
            txtAliases_->setFocus();
            QTextCursor at(txtAliases_->document()->findBlockByNumber(int(i)));
            at.select(QTextCursor::LineUnderCursor);
            txtAliases_->setTextCursor(at);
            return false;
        }
        aliases.emplace_back(alias, country);
    }
    return true;
}

void frmOptions::reject() {
    if (changes_.mayClose(state_.services.messages)) {
        QDialog::reject();
    }
}

void frmOptions::cmdSave_Click() {
    const Options o{txtSearch_->text(),  txtHome_->text(),  txtRegion_->text(),
                    txtCountry_->text(), txtState_->text(), txtDistrict_->text()};
    std::vector<std::pair<QString, QString>> aliases;
    if (!readAliases(aliases)) {
        return;
    }
    try {
        state_.db().saveOptions(o);
        state_.db().setCountryAliases(aliases);
    } catch (const AppError& e) {
        state_.services.messages.notify(tr("Error saving the options. Error # ") +
                                            QString::number(e.number()) + e.description(),
                                        QStringLiteral("Wingfolio"), MsgIcon::Exclamation);
        return;
    }
    state_.useOptions(o);
    const QString dates = cmbDates_->currentData().toString();
    words::setDateStyle(words::dateStyleFromKey(dates));
    if (state_.settings) {
        state_.settings->setValue(QStringLiteral("View/dates"), dates);
    }
    accept();
}

}  // namespace wf
