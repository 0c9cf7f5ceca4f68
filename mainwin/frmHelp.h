// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace wf {

// The program's help ("wingfolio.hlp"): HTML pages compiled into the
// program, with contents, back and forward, and a search over the pages.
class frmHelp : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kContents = 11;   // the help topics
    static constexpr int kHelpOnHelp = 4;  // how to use the help and find a topic

    explicit frmHelp(QWidget* parent = nullptr);

    // Opens the help at a page ("editors.html"), over the window `over`:
    // centred on it and inside its screen. Over a modal dialog the help is
    // modal too, so that it can be read and closed (Escape) before the
    // dialog goes on.
    void openPage(const QString& page, QWidget* over);
    // The help page that tells of a window, by the window's object name.
    static QString pageFor(const QString& windowName);
    QTextBrowser* browser() const { return browser_; }
    QLineEdit* searchBox() const { return txtSearch_; }
    QListWidget* results() const { return lstResults_; }

  private:
    void search(const QString& words);

    QTextBrowser* browser_;
    QLineEdit* txtSearch_;
    QListWidget* lstResults_;
};

}  // namespace wf
