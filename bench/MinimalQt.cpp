// SPDX-License-Identifier: GPL-3.0-or-later
// The least Qt Widgets program with a main window like the journal's (menu,
// tool bar, a tree, a label, a status bar), built as the program is: what
// start-up time and idle memory are measured against.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <cstdio>

#include "FirstPaint.h"
#include "ResidentMemory.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.addToolBar(QStringLiteral("Main"))->addAction(QStringLiteral("New"));
    auto* split = new QSplitter(&window);
    split->addWidget(new QTreeView(split));
    split->addWidget(new QLabel(QStringLiteral("Birds of the World"), split));
    window.setCentralWidget(split);
    window.statusBar()->showMessage(QStringLiteral("World List = 0"));
    window.resize(900, 600);
    window.show();
    if (app.arguments().contains(QStringLiteral("--report-idle-memory"))) {
        QTimer::singleShot(1000, &app, [] {
            std::printf("%s\n", wf::residentMemoryLine().constData());
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    } else {
        // Shown as the journal's window is: once its first frame is painted.
        wf::afterFirstPaint(&window, [] {
            wf::reportShown();
            QCoreApplication::quit();
        });
    }
    return QApplication::exec();
}
