// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QModelIndex>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include "NodeTree.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QRadioButton;
class QTreeView;
class QWidget;

namespace wf {

// The left-hand side of the main window: the "Find" frame (the two
// category buttons, the category box, and the period and area boxes of the
// year, month and first lists) above the tree view of subjects and lists.
// It makes them and tells what the user does with them; the window decides
// what each choice shows and places the pane.
class TreePane : public QObject {
    Q_OBJECT
  public:
    explicit TreePane(QWidget* leftPane);

    QGroupBox* frame() const { return frame_; }
    QRadioButton* optCat(int index) const { return optCat_[index]; }
    QComboBox* category() const { return category_; }
    QComboBox* period() const { return period_; }
    QComboBox* area() const { return area_; }
    QTreeView* view() const { return view_; }
    // The nodes the view shows, found and changed by key.
    NodeTree& nodes() { return nodes_; }
    const NodeTree& nodes() const { return nodes_; }

    // The list chosen in the category box ("All Entries", "Year List", ...).
    QString listName() const;
    // Fills the category box, the first item chosen, without a signal.
    void setLists(const QStringList& lists);
    void chooseList(const QString& list);
    // Whether the birds (not the topics) are chosen; chooseBirds chooses
    // them without a signal.
    bool birdsChosen() const;
    void chooseBirds();
    // The least height of the Find frame.
    int frameHeight() const;
    // Sets the two choices side by side when both fit a frame of this
    // width, else one above the other; whether the arrangement changed (and
    // with it the frame's height).
    bool arrangeFor(int frameWidth);
    // Places the Find frame, the category box's width and the tree.
    void place(const QRect& frame, int categoryWidth, const QRect& tree);

  signals:
    void optCatClicked(int index);
    void categoryActivated();
    void periodActivated();  // the period or the area box
    void nodeClicked(const QModelIndex& node);
    void currentNodeChanged(const QModelIndex& node);
    void contextMenuRequested(const QPoint& inViewport);

  private:
    QGroupBox* frame_;
    QRadioButton* optCat_[2];
    QComboBox* category_;
    QComboBox* period_;
    QComboBox* area_;
    QGridLayout* frameLayout_;
    bool stacked_ = false;
    QTreeView* view_;
    NodeTree nodes_;
};

}  // namespace wf
