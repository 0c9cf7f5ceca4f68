// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "AppState.h"
#include "QtServices.h"
#include "Resources.h"
#include "Store.h"
#include "frmMain.h"

namespace wf::bench {

// The program's main window on the journal in dir, shown at 1200×800.
struct Program {
    QtMessageBoxes messages;
    QtClipboard clipboard;
    QtDialogRunner dialogs;
    SystemClock clock;
    AppState state;
    std::unique_ptr<frmMain> window;

    explicit Program(const QString& dir)
        : state(Services{messages, clipboard, dialogs, clock}, DataFolder(dir)) {
        state.AppDatabase = state.folder.openJournal(worldListPath());
        window = std::make_unique<frmMain>(state);
        window->resize(1200, 800);
        window->show();
    }
    Store& db() { return state.db(); }
};

}  // namespace wf::bench
