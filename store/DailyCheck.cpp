// SPDX-License-Identifier: GPL-3.0-or-later
#include "DailyCheck.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <QFile>

#include "AppError.h"
#include "Schema.h"
#include "Store.h"
#include "Tr.h"

namespace wf {

DailyCheck::DailyCheck(Store& journal, QString dataDir, QDate today, bool check, Hooks hooks)
    : journal_(journal), hooks_(std::move(hooks)) {
    // Saves wait from this moment, not from when the thread first runs.
    if (check) {
        journal_.setCheckState(Store::CheckState::Checking);
    }
    thread_ = std::thread(&DailyCheck::run, this, journal.path(), std::move(dataDir), today, check);
}

DailyCheck::~DailyCheck() {
    stop_ = true;
    wait();
}

void DailyCheck::wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void DailyCheck::run(QString path, QString dataDir, QDate today, bool check) {
    Outcome out;
    try {
        SQLite::Database db(QFile::encodeName(path).toStdString(), SQLite::OPEN_READONLY, 2000);
        schema::registerFunctions(db.getHandle());
        if (check) {
            out.checked = true;
            {
                // The statement holds the journal until it is done with.
                SQLite::Statement q(db, "PRAGMA quick_check(1)");
                out.verdict = q.executeStep() ? QString::fromStdString(q.getColumn(0).getString())
                                              : wf::tr("no answer");
                if (hooks_.whileChecking) {
                    hooks_.whileChecking();
                }
                if (out.verdict != QLatin1String("ok")) {
                    // Still holding it: no save slips in before writes end.
                    journal_.refuseWrites();
                }
            }
            if (out.refused()) {
                done_ = true;
                if (hooks_.finished) {
                    hooks_.finished(out);
                }
                return;
            }
            journal_.setCheckState(Store::CheckState::None);
        }
        try {
            // Checked just now (or at the start, after a crash): not again.
            const bool checked = true;
            out.backup = Backups(dataDir).daily(db, today, checked, [&](qint64 done, qint64 total) {
                if (stop_) {
                    throw AppError(err::Cancelled, QStringLiteral("wingfolio.DailyCheck"),
                                   wf::tr("The program ended first."));
                }
                if (hooks_.progress) {
                    hooks_.progress(done, total);
                }
            });
        } catch (const AppError& e) {
            out.stopped = e.number() == err::Cancelled;
            out.backupError = e.description();
        }
    } catch (const SQLite::Exception& e) {
        out.backupError = QString::fromUtf8(e.what());
        if (check && out.verdict.isEmpty()) {
            // The check itself met the damage.
            out.checked = true;
            out.verdict = out.backupError;
            journal_.refuseWrites();
        }
    }
    if (journal_.checkState() == Store::CheckState::Checking) {
        journal_.setCheckState(Store::CheckState::None);
    }
    done_ = true;
    if (hooks_.finished) {
        hooks_.finished(out);
    }
}

}  // namespace wf
