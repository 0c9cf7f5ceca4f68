// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's lists: the subject trees, the entry lists, the life
// lists and the custom search, chosen in the category box.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QToolBar>
#include <QTreeView>

#include "AppError.h"
#include "AreaBox.h"
#include "BusyCursor.h"
#include "OutingPage.h"
#include "StatusPanel.h"
#include "frmMain.h"
#include "frmSearch.h"

namespace wf {

void frmMain::fillCategories(const QStringList& items) {
    treePane_->setLists(items);
    cmbSearchCategory_Click();
}

void frmMain::optCat_Click(int index) {
    if (index == 0) {
        state_.CurrentCategory = QStringLiteral("Birds");
        fillCategories({QStringLiteral("All Entries"), QStringLiteral("All Images"),
                        QStringLiteral("All Articles"), QStringLiteral("All Internet Links"),
                        QStringLiteral("All Sightings"), QStringLiteral("Region Life Sightings"),
                        QStringLiteral("Country Life Sightings"),
                        QStringLiteral("State Life Sightings"),
                        QStringLiteral("District Life Sightings"), QStringLiteral("Custom Search"),
                        QStringLiteral("Year List"), QStringLiteral("Month List"),
                        QStringLiteral("First Sightings"), QStringLiteral("Outings"),
                        QStringLiteral("Photographed Species")});
    } else if (index == 1) {
        state_.CurrentCategory = QStringLiteral("Topics");
        fillCategories({QStringLiteral("All Entries"), QStringLiteral("All Images"),
                        QStringLiteral("All Articles"), QStringLiteral("All Internet Links"),
                        QStringLiteral("Custom Search")});
    }
}

void frmMain::cmbSearchCategory_Click() {
    // The list changes under the entry commands: they wait for a new click.
    forgetCurrentEntry();
    QAction* expand = menuItem(QStringLiteral("mnuEditExpand"));
    QAction* collapse = menuItem(QStringLiteral("mnuEditCollapse"));
    expand->setEnabled(false);
    collapse->setEnabled(false);
    const QString item = treePane_->listName();
    if (treePane_->birdsChosen()) {
        // While the Outings list is shown, new entries are filed under outings.
        state_.CurrentCategory =
            item == QLatin1String("Outings") ? QStringLiteral("Outings") : QStringLiteral("Birds");
    }
    fillPeriodBoxes(item);
    if (item == QLatin1String("All Entries")) {
        expand->setEnabled(true);
        collapse->setEnabled(true);
    }
    if (item == QLatin1String("Custom Search")) {
        runCustomSearch();
    } else {
        loadList(item);
    }
}

void frmMain::loadList(const QString& item) {
    if (item == QLatin1String("All Entries")) {
        loadSubjectTree(treePane_->birdsChosen() ? Category::Birds : Category::Topics);
    } else if (item == QLatin1String("All Sightings")) {
        LoadSightings();
    } else if (item == QLatin1String("All Images")) {
        LoadImages();
        if (thumbnailsOn()) {
            showAllThumbnails();
        }
    } else if (item == QLatin1String("All Articles")) {
        LoadArticles();
    } else if (item == QLatin1String("All Internet Links")) {
        LoadLinks();
    } else if (item == QLatin1String("Region Life Sightings")) {
        LoadAreaSightings(Area::Region, state_.ActiveRegion);
    } else if (item == QLatin1String("Country Life Sightings")) {
        LoadAreaSightings(Area::Country, state_.ActiveCountry);
    } else if (item == QLatin1String("State Life Sightings")) {
        LoadAreaSightings(Area::State, state_.ActiveState);
    } else if (item == QLatin1String("District Life Sightings")) {
        LoadAreaSightings(Area::District, state_.ActiveDistrict);
    } else if (item == QLatin1String("Outings")) {
        showList([this] {
            NodeList list = outingListNodes(state_.db());
            list.children = [this](const QString& key) {
                return outingYearNodes(state_.db(), key);
            };
            list.parentOf = [this](const QString& key) {
                return outingParentKey(state_.db(), key);
            };
            list.whole = [this] {
                NodeList all = outingListNodes(state_.db());
                std::vector<Node> nodes;
                for (Node& n : all.nodes) {
                    const bool lazyYear = n.lazy;
                    const QString key = n.key;
                    n.lazy = false;
                    nodes.push_back(std::move(n));
                    if (lazyYear) {
                        for (Node& c : outingYearNodes(state_.db(), key)) {
                            nodes.push_back(std::move(c));
                        }
                    }
                }
                all.nodes = std::move(nodes);
                return all;
            };
            return list;
        });
    } else if (item == QLatin1String("Year List") || item == QLatin1String("Month List") ||
               item == QLatin1String("First Sightings") ||
               item == QLatin1String("Photographed Species")) {
        LoadPeriodList(item);
    }
}

void frmMain::fillPeriodBoxes(const QString& item) {
    const bool year = item == QLatin1String("Year List");
    const bool month = item == QLatin1String("Month List");
    const bool any = year || month || item == QLatin1String("First Sightings") ||
                     item == QLatin1String("Photographed Species");
    const bool wasShown = !cmbArea()->isHidden();
    {
        const QSignalBlocker blockPeriod(cmbPeriod());
        const QSignalBlocker blockArea(cmbArea());
        cmbPeriod()->clear();
        if (year) {
            try {
                for (const int y : state_.db().sightingYears()) {
                    cmbPeriod()->addItem(QString::number(y), y);
                }
            } catch (const AppError& e) {
                reportLoadError(e.number(), e.description());
            }
            if (cmbPeriod()->count() == 0) {
                const int now = state_.services.clock.now().date().year();
                cmbPeriod()->addItem(QString::number(now), now);
            }
        } else if (month) {
            const QLocale locale;
            for (int m = 1; m <= 12; ++m) {
                cmbPeriod()->addItem(locale.standaloneMonthName(m), m);
            }
            cmbPeriod()->setCurrentIndex(state_.services.clock.now().date().month() - 1);
        }
        fillAreaBox(cmbArea(), state_);
    }
    cmbPeriod()->setVisible(year || month);
    cmbArea()->setVisible(any);
    if (any != wasShown && laidOut_) {
        float x = splitX_;
        SizeControls(x);  // the search frame grew or shrank
    }
}

void frmMain::LoadPeriodList(const QString& item) {
    forgetCurrentEntry();
    const auto [a, place] = chosenArea(cmbArea());
    const QString where = a == Area::World ? QString() : place + u' ';
    showList([&] {
        if (item == QLatin1String("Year List")) {
            const int year = cmbPeriod()->currentData().toInt();
            return birdOrder(
                yearListNodes(state_.db(), a, place, year, where + tr("%1 Year List").arg(year)),
                true);
        }
        if (item == QLatin1String("Month List")) {
            const int month = cmbPeriod()->currentData().toInt();
            return birdOrder(monthListNodes(state_.db(), a, place, month,
                                            where + cmbPeriod()->currentText() + tr(" Month List")),
                             true);
        }
        // In the order first seen (or photographed), whatever the sort of the birds.
        if (item == QLatin1String("Photographed Species")) {
            return firstSightingNodes(state_.db().firstPhotographed(a, place),
                                      where + tr("Photographed Species"));
        }
        return firstSightingNodes(state_.db(), a, place, where + tr("First Sightings"));
    });
}

bool frmMain::taxonomic() const {
    return menuItem(QStringLiteral("mnuViewTaxonomic"))->isChecked();
}

void frmMain::setTaxonomic(bool on) {
    if (state_.settings) {
        state_.settings->setValue(QStringLiteral("View/taxonomic"), on);
    }
    if (state_.birds() && state_.hasDatabase()) {
        cmbSearchCategory_Click();
    }
}

NodeList frmMain::birdOrder(NodeList list, bool isList) const {
    return taxonomic() ? taxonomicOrder(state_.db(), list, isList) : list;
}

void frmMain::showList(const std::function<NodeList()>& build) {
    try {
        const BusyCursor busy;  // a large journal's list takes a moment
        if (keepPlace_ != nullptr) {
            nodes().show(build(), *keepPlace_);
        } else {
            nodes().show(build());
        }
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
    }
    // A list reads much of the journal (all of it, on a large one, for the
    // longer lists); the pages need not stay in memory while nobody asks.
    idleTimer_->start(kIdleReleaseMs, false, [this] {
        if (state_.hasDatabase()) {
            state_.db().releaseMemory();
        }
    });
}

NodeList frmMain::lazySubjectTree(Category cat) const {
    // The subjects now; what hangs under each when it is opened, read from
    // the journal open at that time.
    NodeList list = subjectTreeHeads(state_.db(), cat);
    if (cat == Category::Birds) {
        list = birdOrder(std::move(list), false);
    }
    list.children = [this, cat](const QString& key) {
        return subjectChildNodes(state_.db(), cat, key);
    };
    list.parentOf = [this, cat](const QString& key) {
        return treeParentKey(state_.db(), cat, key);
    };
    list.whole = [this, cat] {
        return cat == Category::Birds ? birdOrder(birdTree(state_.db()), false)
                                      : topicTree(state_.db());
    };
    return list;
}

void frmMain::loadSubjectTree(Category cat) {
    showList([this, cat] { return lazySubjectTree(cat); });
}

bool frmMain::showsSubjectTree(Category cat) const {
    return treePane_->listName() == QLatin1String("All Entries") &&
           treePane_->birdsChosen() == (cat == Category::Birds);
}

void frmMain::LoadTree() {
    if (showsSubjectTree(Category::Birds)) {
        reloadList();
    } else {
        loadSubjectTree(Category::Birds);
    }
}

void frmMain::LoadTopicTree() {
    if (showsSubjectTree(Category::Topics)) {
        reloadList();
    } else {
        loadSubjectTree(Category::Topics);
    }
}

void frmMain::reloadList() {
    const QString item = treePane_->listName();
    if (item == QLatin1String("Custom Search")) {
        return;  // a search is run again only when asked
    }
    const NodeTree::Place at = nodes().place();
    const QScopedValueRollback keep(keepPlace_, &at);
    forgetCurrentEntry();
    loadList(item);
}

void frmMain::entrySaved(const QString& key, bool isNew) {
    if (key.size() < 2) {
        return;
    }
    // A new entry was added to a flat list as its node; any other save can
    // change what the list holds, its texts and its order.
    const bool inFlatList = treePane_->listName() != QLatin1String("All Entries");
    if (!(isNew && key.front() != u'S' && inFlatList)) {
        reloadList();
    }
    if (nodes().contains(key)) {
        nodes().ensureVisible(key);
        clickNode(key);
        return;
    }
    // Not in the list shown: shown all the same.
    if (key.front() == u'S') {
        try {
            const QString bird = state_.db()
                                     .subjectName(Category::Birds, key.mid(1).toLongLong())
                                     .value_or(QString());
            showNode(key, bird, bird);
        } catch (const AppError& e) {
            reportLoadError(e.number(), e.description());
        }
        return;
    }
    openEntryKey(key);
}

void frmMain::LoadArticles() {
    showList([this] { return entryTypeList(state_.db(), state_.category(), kArticle); });
}

void frmMain::LoadImages() {
    showList([this] { return entryTypeList(state_.db(), state_.category(), kImage); });
}

void frmMain::LoadLinks() {
    showList([this] { return entryTypeList(state_.db(), state_.category(), kLink); });
}

void frmMain::LoadSightings() {
    showList([this] {
        return birdOrder(
            lifeListNodes(state_.db(), Area::World, {}, tr("Birds of the World Sightings")), true);
    });
}

void frmMain::LoadAreaSightings(Area area, const QString& place) {
    showList([&] {
        return birdOrder(
            lifeListNodes(state_.db(), area, place, place + tr(" Life List Sightings")), true);
    });
}

void frmMain::showCountryList(const QString& country) {
    // The Country list, for the country chosen rather than the active one.
    treePane_->chooseList(QStringLiteral("Country Life Sightings"));
    forgetCurrentEntry();
    fillPeriodBoxes(QStringLiteral("Country Life Sightings"));
    LoadAreaSightings(Area::Country, country);
}

void frmMain::runCustomSearch() {
    {
        frmSearch search(state_, this);
        state_.services.dialogs.exec(search);
    }
    if (state_.CustomSearchSql.isEmpty()) {
        return;  // cancelled: the tree keeps what it showed
    }
    try {
        std::optional<NodeList> found;
        {
            const BusyCursor busy;
            found = searchListNodes(state_.db(), state_.CustomSearchSql);
        }
        if (!found) {
            state_.services.messages.notify(
                tr("There are no entries that match your search criteria."),
                tr("Search Unsuccessful"), MsgIcon::Exclamation);
            return;
        }
        const BusyCursor busy;
        nodes().show(std::move(*found));
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
    }
}

void frmMain::CountLifeLists() {
    countsToCome_ = false;
    try {
        const Store& db = state_.db();
        const int world = db.lifeListCount(Area::World);
        panel(QStringLiteral("Life"))
            ->setPanelText(world > 0 ? tr("World List") + QStringLiteral(" = %1").arg(world)
                                     : tr("World List") + u' ');
        struct AreaPanel {
            Area area;
            const char* key;
            const QString& place;
            const char* empty;
        };
        const AreaPanel areas[] = {
            {Area::Region, "Region", state_.ActiveRegion, QT_TR_NOOP("Region Life List")},
            {Area::Country, "Country", state_.ActiveCountry, QT_TR_NOOP("Country Life List")},
            {Area::State, "State", state_.ActiveState, QT_TR_NOOP("State Life List")},
            {Area::District, "District", state_.ActiveDistrict, QT_TR_NOOP("District Life List")},
        };
        for (const AreaPanel& a : areas) {
            const int n = db.lifeListCount(a.area, a.place);
            panel(QString::fromLatin1(a.key))
                ->setPanelText(n > 0 ? tr("%1 List").arg(a.place) + QStringLiteral(" = %1").arg(n)
                                     : tr(a.empty) + u' ');
        }
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
    }
    countWaitingNames();
    fitStatusBar();
}

}  // namespace wf
