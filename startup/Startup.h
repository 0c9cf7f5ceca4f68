// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <QDate>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

#include "AppState.h"

namespace wf {

class frmMain;
class frmSplash;

// The exit status of a start refused because another copy of the program has
// the journal open.
constexpr int kExitJournalInUse = 3;

// The program's entry procedure: opens the journal, shows the splash window,
// and when the splash timer fires shows the main window and unloads the
// splash.
class Startup {
    Q_DECLARE_TR_FUNCTIONS(wf::Startup)

  public:
    static constexpr int kRunning = -1;

    Startup(Services services, DataFolder folder, QString worldListCsv, int splashMs);
    ~Startup();

    // Runs the start-up steps. Returns kRunning when the splash window is up
    // (the program lives on in its windows), or the exit status when the
    // journal could not be opened (the user has been told why).
    int begin();

    AppState& state() { return state_; }
    frmSplash* splash() const { return splash_.get(); }
    frmMain* mainWindow() const { return main_.get(); }
    // Called once the main window has been shown.
    void setOnMainShown(std::function<void()> f) { onMainShown_ = std::move(f); }

  private:
    void showMain();
    bool importJet();
    // Takes the lock beside the journal that keeps a second copy of the
    // program off it; a lock left by a run that crashed is taken over.
    bool lockJournal();
    void unloadSplash();

    AppState state_;
    QString worldListCsv_;
    int splashMs_;
    std::function<void()> onMainShown_;
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<frmSplash> splash_;
    std::unique_ptr<QLockFile> lock_;
    bool staleLock_ = false;    // a crashed run's lock was taken over
    bool checkBeside_ = false;  // the day's check runs beside the window
};

// What the command line asks for.
struct CommandLine {
    QString dataDir;
    int splashMs = 2500;
    bool quitWhenShown = false;
    // Prints the resident memory once the shown window has been idle a
    // second, then ends (for the benchmarks).
    bool reportIdleMemory = false;
    // Set when the program should end at once (after --help, --version or a
    // mistake), with this exit status.
    int exitStatus = Startup::kRunning;
    // What to print on standard output and standard error before ending.
    QString output;
    QString errors;

    // Exchange without windows: each file named, or empty.
    QString importEbird;
    QString exportEbird;
    QString exportSightings;
    QString exportLifeList;
    QDate from;  // the eBird export's dates; null: open
    QDate to;
    bool includeImported = false;  // the eBird export's sightings from eBird too
    bool exchange() const {
        return !importEbird.isEmpty() || !exportEbird.isEmpty() || !exportSightings.isEmpty() ||
               !exportLifeList.isEmpty();
    }
};

CommandLine parseCommandLine(const QStringList& arguments);

// Runs the command line's imports and exports on the journal in folder
// without windows, the import first. What it did goes to cl.output, what
// failed to cl.errors; returns the exit status (0 done, 1 failed,
// kExitJournalInUse when another copy of the program has the journal open).
int runExchange(CommandLine& cl, const DataFolder& folder, const QString& worldListCsv);

}  // namespace wf
