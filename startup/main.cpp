// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

#include "FirstPaint.h"
#include "QtServices.h"
#include "ResidentMemory.h"
#include "Resources.h"
#include "Startup.h"
#include "Translations.h"
#include "frmMain.h"

int main(int argc, char** argv) {
    // Command-line answers need no window system.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const QString translation = wf::translations::fileFromArguments(arguments);
    wf::CommandLine cl = wf::parseCommandLine(arguments);
    if (cl.exitStatus != wf::Startup::kRunning) {
        // Answered at once (help, version, a mistake): said again in the
        // user's language, which needs the application object.
        QCoreApplication app(argc, argv);
        wf::translations::install(translation);
        cl = wf::parseCommandLine(arguments);
        std::fputs(cl.output.toLocal8Bit().constData(), stdout);
        std::fputs(cl.errors.toLocal8Bit().constData(), stderr);
        return cl.exitStatus;
    }

    if (cl.exchange()) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Wingfolio"));
        QCoreApplication::setOrganizationName(QStringLiteral("Wingfolio"));
        wf::translations::install(translation);
        const QString dir = wf::DataFolder::choose(
            cl.dataDir, QCoreApplication::applicationDirPath(),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        const int status = wf::runExchange(cl, wf::DataFolder(dir), wf::worldListPath());
        std::fputs(cl.output.toLocal8Bit().constData(), stdout);
        std::fputs(cl.errors.toLocal8Bit().constData(), stderr);
        return status;
    }

    // No OpenGL at start: the web pane's module brings it when first used.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wingfolio"));
    QApplication::setOrganizationName(QStringLiteral("Wingfolio"));
    QApplication::setApplicationVersion(QStringLiteral(WINGFOLIO_VERSION));
    wf::translations::install(translation);

    wf::QtMessageBoxes messages;
    wf::QtClipboard clipboard;
    wf::QtDialogRunner dialogs;
    wf::SystemClock clock;
    const wf::Services services{messages, clipboard, dialogs, clock};

    const QString dir =
        wf::DataFolder::choose(cl.dataDir, QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    wf::Startup startup(services, wf::DataFolder(dir), wf::worldListPath(), cl.splashMs);
    startup.state().settings = std::make_unique<QSettings>();
    if (cl.quitWhenShown) {
        // Told, and ended, once the window is on screen: its first frame painted.
        startup.setOnMainShown([&startup] {
            wf::afterFirstPaint(startup.mainWindow(), [] {
                wf::reportShown();
                QCoreApplication::quit();
            });
        });
    } else if (cl.reportIdleMemory) {
        startup.setOnMainShown([] {
            QTimer::singleShot(1000, qApp, [] {
                std::printf("%s\n", wf::residentMemoryLine().constData());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        });
    }
    const int status = startup.begin();
    if (status != wf::Startup::kRunning) {
        return status;
    }
    return QApplication::exec();
}
