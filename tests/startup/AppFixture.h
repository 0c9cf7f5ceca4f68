// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <memory>

#include "GuiDoubles.h"
#include "Resources.h"
#include "Startup.h"
#include "TempDir.h"
#include "TestDoubles.h"
#include "frmMain.h"
#include "frmSplash.h"

namespace wf::test {

// A program started on a journal in a temporary data folder, with scripted
// message boxes and dialogs and a clock the test drives.
class AppFixture : public ::testing::Test {
  protected:
    TempDir tmp;
    ScriptedMessageBoxes messages;
    FakeClipboard clipboard;
    ScriptedDialogs dialogs;
    ManualClock clock;
    Services services{messages, clipboard, dialogs, clock};
    std::unique_ptr<Startup> startup;

    QString dataDir() const { return tmp.file(dataName); }
    // The data folder's name inside the test's temporary folder.
    QString dataName = QStringLiteral("data");
    // When set, the program keeps its window state in this file.
    QString settingsFile;

    int begin() {
        startup = std::make_unique<Startup>(services, DataFolder(dataDir()), worldListPath(),
                                            frmSplash::kInterval);
        if (!settingsFile.isEmpty()) {
            startup->state().settings =
                std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
        }
        return startup->begin();
    }

    // Starts the program and lets the splash timer hand over.
    frmMain& startToMain() {
        EXPECT_EQ(begin(), Startup::kRunning);
        EXPECT_EQ(clock.fireTimers(frmSplash::kInterval), 1);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_NE(startup->mainWindow(), nullptr);
        // The day's check and backup run beside the window: done with first.
        startup->mainWindow()->waitForDailyCheck();
        startup->mainWindow()->countLifeListsNow();
        return *startup->mainWindow();
    }

    void choose(frmMain& w, const QString& item) {
        const int i = w.cmbSearchCategory()->findData(item);
        ASSERT_GE(i, 0) << item.toStdString();
        w.cmbSearchCategory()->setCurrentIndex(i);
        emit w.cmbSearchCategory()->activated(i);
    }

    void TearDown() override {
        if (startup && startup->mainWindow()) {
            startup->mainWindow()->close();
        }
        startup.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

}  // namespace wf::test
