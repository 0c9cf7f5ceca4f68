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

    // Opens the help with a command: kContents or kHelpOnHelp.
    void open(int command);
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
