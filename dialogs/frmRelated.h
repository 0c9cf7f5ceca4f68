// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTreeWidget;
class QTreeWidgetItem;

namespace wf {

struct AppState;
class MainWindowApi;

// The entries filed under the current entry's subject (and a bird's
// sighting history); a click shows one in the main window and closes.
class frmRelated : public QDialog {
    Q_OBJECT
  public:
    frmRelated(AppState& state, MainWindowApi& main, QWidget* parent = nullptr);

    QTreeWidget* tv2() const { return tv2_; }
    // A click on the node with this key, as the user makes it.
    void clickNode(const QString& key);

  private:
    void build();
    void tv2_NodeClick(QTreeWidgetItem* node);

    AppState& state_;
    MainWindowApi& main_;
    QTreeWidget* tv2_;
};

}  // namespace wf
