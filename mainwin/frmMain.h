#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "AppState.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QRadioButton;
class QStatusBar;
class QTableWidget;
class QTextEdit;
class QToolBar;
class QTreeWidget;

namespace wf {

// The main window: the subject tree and its lists on the left, the entry
// viewer on the right, the commands in the menus and on the toolbar, the
// life-list counts in the status bar.
class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    // The category box's items as the window fills them at start.
    static const QStringList kStartCategories;
    // The sighting grid's format string and column widths (twips).
    static const QString kGridFormat;
    static const int kGridWidths[9];

    explicit frmMain(AppState& state, QWidget* parent = nullptr);
    ~frmMain() override;

    // Public procedures other windows call.
    void LoadTree();
    void LoadTopicTree();

    // The controls, for the other windows and for tests.
    QTreeWidget* tv1() const { return tv1_; }
    QComboBox* cmbSearchCategory() const { return cmbSearchCategory_; }
    QLabel* lbltitle() const { return lbltitle_; }
    QTableWidget* fg1() const { return fg1_; }
    QToolBar* tbMain() const { return tbMain_; }
    QStatusBar* sbStatusBar() const { return sbStatusBar_; }
    // A keyed toolbar button of tbMain ("Sighting", "Edit", "Related", ...).
    QAction* toolButton(const QString& key) const;
    // A keyed panel of sbStatusBar ("Life", "Region", ... "Date", "Time").
    QLabel* panel(const QString& key) const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void buildPanes();

    void Form_Load();
    bool Form_Unload();
    void cmbSearchCategory_Click();
    void optCat_Click(int index);
    void fillCategories(const QStringList& items);
    void setUpGrid();
    void CountLifeLists();
    void updateClock();
    void mnuHelpAbout_Click();

    AppState& state_;
    std::unique_ptr<Timer> clockTimer_;

    QToolBar* tbMain_ = nullptr;
    QStatusBar* sbStatusBar_ = nullptr;
    QWidget* leftPane_ = nullptr;   // pic(0)
    QWidget* rightPane_ = nullptr;  // pic(1)
    QGroupBox* Frame1_ = nullptr;
    QRadioButton* optCat_[2] = {nullptr, nullptr};
    QComboBox* cmbSearchCategory_ = nullptr;
    QTreeWidget* tv1_ = nullptr;
    QLabel* lbltitle_ = nullptr;
    QFrame* viewArea_ = nullptr;  // pic(2)
    QTextEdit* rtb_ = nullptr;
    QLabel* picture_ = nullptr;  // pic(3)
    QTableWidget* fg1_ = nullptr;
};

}  // namespace wf
