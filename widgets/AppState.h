// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <functional>
#include <memory>

#include "DataFolder.h"
#include "Services.h"
#include "Store.h"

namespace wf {

// What the windows share for the whole run, created once by start-up and
// handed to every window that needs it.
struct AppState {
    AppState(Services services, DataFolder folder)
        : services(services), folder(std::move(folder)) {}

    Services services;
    DataFolder folder;

    std::unique_ptr<Store> AppDatabase;
    QString CurrentCategory = QStringLiteral("Birds");
    QString CurrentEntryKind;
    qint64 CurrentEntryId = 0;
    bool EditMode = false;
    CustomSearch CustomSearchSql;
    QString ActiveRegion;
    QString ActiveCountry;
    QString ActiveState;
    QString ActiveDistrict;
    QString SearchUrl;
    QString HomeUrl;

    // For tests: runs on the day's check's thread while the check holds the
    // journal.
    std::function<void()> whileChecking;

    // Where the windows remember their size and place between runs; none
    // (as in tests) remembers nothing.
    std::unique_ptr<QSettings> settings;

    Store& db() const { return *AppDatabase; }
    bool hasDatabase() const { return AppDatabase != nullptr; }
    void closeDatabase() { AppDatabase.reset(); }
    bool birds() const { return CurrentCategory == QStringLiteral("Birds"); }
    // Entries are filed under outings while the Outings list is shown.
    bool outings() const { return CurrentCategory == QStringLiteral("Outings"); }
    Category category() const {
        return birds() ? Category::Birds : outings() ? Category::Outings : Category::Topics;
    }
    // The active areas and web addresses, as the options store them.
    void useOptions(const Options& o) {
        ActiveRegion = o.region;
        ActiveCountry = o.country;
        ActiveState = o.state;
        ActiveDistrict = o.district;
        SearchUrl = o.search;
        HomeUrl = o.home;
    }
};

}  // namespace wf
