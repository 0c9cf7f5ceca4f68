// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's imports and exports, without windows.
#include <QDir>
#include <QLockFile>

#include "AppError.h"
#include "Backups.h"
#include "EbirdImport.h"
#include "Export.h"
#include "IsoCodes.h"
#include "Startup.h"
#include "Store.h"
#include "Tr.h"

namespace wf {

int runExchange(CommandLine& cl, const DataFolder& folder, const QString& worldListCsv) {
    const QString journal = folder.journalPath();
    QDir().mkpath(folder.dir());
    QLockFile lock(journal + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        cl.errors += tr("wingfolio: the journal %1 is open in Wingfolio; close it "
                        "and try again.\n")
                         .arg(QDir::toNativeSeparators(journal));
        return kExitJournalInUse;
    }
    try {
        std::unique_ptr<Store> store = folder.openJournal(worldListCsv);
        const IsoCodes& codes = IsoCodes::system();
        if (!cl.importEbird.isEmpty()) {
            EbirdImport import(cl.importEbird, codes);  // checked whole before anything changes
            Backups(folder.dir())
                .named(*store, QDateTime::currentDateTime(), QStringLiteral("before-import"));
            const EbirdImportResult r = import.run(*store);
            cl.output += tr("Imported %1\n%2\n").arg(cl.importEbird, r.summary());
            const Options o = store->options();
            cl.output += tr("World Life List = %1\n").arg(store->lifeListCount(Area::World));
            const std::pair<Area, QString> areas[] = {{Area::Region, o.region},
                                                      {Area::Country, o.country},
                                                      {Area::State, o.state},
                                                      {Area::District, o.district}};
            for (const auto& [area, place] : areas) {
                if (!place.isEmpty()) {
                    cl.output +=
                        tr("%1 List = %2\n").arg(place).arg(store->lifeListCount(area, place));
                }
            }
        }
        const Exporter exporter(*store, codes);
        if (!cl.exportEbird.isEmpty()) {
            const Exporter::UploadFiles up =
                exporter.writeEbirdUpload(cl.exportEbird, cl.from, cl.to, cl.includeImported);
            cl.output += tr("Wrote %1 sightings in eBird Record Format to %2\n")
                             .arg(up.rows)
                             .arg(up.files.join(QStringLiteral(", ")));
            if (up.leftOut > 0) {
                cl.output += tr("Left out %1 sightings imported from eBird (they are "
                                "on eBird already; --include-imported writes them)\n")
                                 .arg(up.leftOut);
            }
        }
        if (!cl.exportSightings.isEmpty()) {
            const int n = exporter.writeSightingsCsv(cl.exportSightings);
            cl.output += tr("Wrote %1 sightings to %2\n").arg(n).arg(cl.exportSightings);
        }
        if (!cl.exportLifeList.isEmpty()) {
            const int n = exporter.writeLifeListsCsv(cl.exportLifeList, store->options());
            cl.output += tr("Wrote %1 life-list rows to %2\n").arg(n).arg(cl.exportLifeList);
        }
    } catch (const AppError& e) {
        cl.errors += tr("wingfolio: %1\n").arg(e.description());
        return 1;
    }
    return 0;
}

}  // namespace wf
