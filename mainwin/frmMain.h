// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <vector>

#include "AppState.h"
#include "DailyCheck.h"
#include "EntryViewer.h"
#include "MainWindowApi.h"
#include "NodeTree.h"
#include "SightingGrid.h"
#include "StatusPanel.h"
#include "SubjectPage.h"
#include "TreePane.h"
#include "WebPane.h"
#include "WindowLayout.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class QStatusBar;
class QTextEdit;
class QToolBar;
class QTextDocument;
class QTreeView;

namespace wf {

// The main window: the subject tree and its lists on the left, the entry
// viewer on the right, the commands in the menus and on the toolbar, the
// life-list counts in the status bar.
class frmMain : public QMainWindow, public MainWindowApi {
    Q_OBJECT
  public:
    // The category box's items as the window fills them at start.
    static const QStringList kStartCategories;
    // The sighting grid's format string and column widths (twips).
    // The split position the window is designed with (twips).
    static constexpr float kDesignSplit = 4200;

    explicit frmMain(AppState& state, QWidget* parent = nullptr);
    ~frmMain() override;

    // Public procedures other windows call.
    // The subject trees; when the tree is shown already, it is read again
    // as the reader left it (open nodes, scroll place).
    void LoadTree() override;
    void LoadTopicTree() override;
    void entrySaved(const QString& key, bool isNew) override;
    void LoadArticles();
    void SizeControls(float& X);

    // What the editors reach of the window.
    QString categoryListText() const override;
    QString treeRootKey() const override;
    void addNode(const QString& parentKey, const QString& key, const QString& text,
                 int picture) override;
    QString addressText() const override;
    bool showRelatedEntry(const QString& key) override;
    qint64 selectedSubjectId() const override;

    // A click on the node with this key, as the user makes it.
    void clickNode(const QString& key);

    // The controls, for the other windows and for tests.
    NodeTree& nodes() { return treePane_->nodes(); }
    const NodeTree& nodes() const { return treePane_->nodes(); }
    QTreeView* tv1() const { return treePane_->view(); }
    QComboBox* cmbSearchCategory() const { return treePane_->category(); }
    // The year or month, and the area, of the year, month and first lists.
    QComboBox* cmbPeriod() const { return treePane_->period(); }
    QComboBox* cmbArea() const { return treePane_->area(); }
    QLabel* lbltitle() const { return viewer_->title(); }
    SightingGrid* fg1() const { return viewer_->grid(); }
    QTextEdit* rtb() const;
    QFrame* pictureFrame() const { return viewer_->area(); }  // pic(2)
    QLabel* picture() const { return viewer_->picture(); }    // pic(3)
    class PictureView* pictureView() const {
        return viewer_->pictureView();
    }
    QWidget* coolBar() const { return CoolBar1_; }
    QComboBox* cmbAddress() const { return cmbAddress_; }
    // The browser view (a QWebEngineView); null until a page is first shown.
    QWidget* web() const { return web_ ? web_->view() : nullptr; }
    WebPane* webPane() const { return web_; }
    QWidget* imgSplitter() const { return imgSplitter_; }
    QFrame* picSplitter() const { return picSplitter_; }
    QToolBar* tbMain() const { return tbMain_; }
    QStatusBar* sbStatusBar() const { return sbStatusBar_; }
    // A keyed toolbar button of tbMain ("Sighting", "Edit", "Related", ...).
    QAction* toolButton(const QString& key) const;
    QToolBar* toolbar1() const { return Toolbar1_; }
    // The help window, once it has been opened.
    class frmHelp* help() const {
        return help_.get();
    }
    // A menu item by name ("mnuEditEntry", ...).
    QAction* menuItem(const QString& name) const;
    // A keyed panel of sbStatusBar ("Life", "Region", ... "Date", "Time").
    StatusPanel* panel(const QString& key) const;
    // The split position (twips).
    float splitPosition() const { return splitX_; }
    // Makes the day's backup unless there is one, beside the window, with
    // its progress in the status bar; with check, the journal is checked
    // first (saves wait for that). A failed backup is told once, in the
    // status bar, and never stops the program; a journal that fails its
    // check is refused: the user is told, and journalRefused is emitted.
    void DailyBackup(bool check = false);
    // Waits for the day's check and backup and shows how they ended.
    void waitForDailyCheck();
    // The life lists' counts are made once the window is first painted, so
    // that it shows at once; this makes them now if they are still to come.
    void countLifeListsNow();
    // What File, Print prints: the page shown (an outing, a subject's page,
    // an article) when the viewer shows one, else the list as the tree shows it.
    std::unique_ptr<QTextDocument> printDocument() const;
    // Looks at the files (a folder by its files), proposes each one's bird
    // and sighting and shows them for review; bird, when not 0, is proposed
    // for those whose day proposes none.
    void importPictures(const QStringList& paths, qint64 bird = 0) override;

  signals:
    void journalRefused();

  public:
  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Window construction.
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void buildPanes();
    void buildCoolBar();

    // Load and unload.
    void Form_Load();
    void readOptions();
    void mnuFileImport_Click();
    void mnuFileBackup_Click();
    void mnuFileRestore_Click();
    // Exchange with eBird and other programs.
    enum class ExportKind { Ebird, Sightings, LifeLists };
    void mnuFileImportEbird_Click();
    void mnuFileReviewNames_Click();
    void mnuFilePrint_Click();
    void mnuFileImportPictures_Click();
    // Pictures as thumbnails: of the All Images list, or of a subject.
    bool thumbnailsOn() const;
    void showAllThumbnails();
    void showSubjectThumbnails(Category cat, qint64 id, const QString& name);
    void showThumbnails(const QString& title, std::vector<ThumbnailModel::Item> items);
    void mnuViewThumbnails_Click(bool on);
    // The picture tied to the sighting on a row of the grid.
    void showSightingPicture(int row);
    void mnuFileTripReport_Click();
    // The records waiting for review, in the File menu and the status bar.
    void countWaitingNames();
    void exportFile(ExportKind kind);
    bool askDateRange(QDate& from, QDate& to, bool& includeImported);
    // Puts the journal just opened (or reopened) on show: lists, options, counts.
    void journalReplaced();
    bool Form_Unload();

    // Category box, option buttons and lists.
    void cmbSearchCategory_Click();
    // Shows the list of the category box's item (not the custom search).
    void loadList(const QString& item);
    void loadSubjectTree(Category cat);
    bool showsSubjectTree(Category cat) const;
    // Reads the list shown again, keeping the reader's place in it.
    void reloadList();
    // The year, month and first-sighting lists, and the boxes beside them.
    void LoadPeriodList(const QString& item);
    void fillPeriodBoxes(const QString& item);
    // The birds' tree and lists in the world list's order, when chosen.
    bool taxonomic() const;
    void setTaxonomic(bool on);
    NodeList birdOrder(NodeList list, bool isList) const;
    // The page of the subject selected in the tree (a subject, its
    // sightings or one of its entries), in the viewer.
    void mnuViewSubjectPage_Click();
    void showSubjectPage(Category cat, qint64 id);
    void openEntryKey(const QString& key);
    void tv1_ContextMenu(const QPoint& at);
    void optCat_Click(int index);
    void fillCategories(const QStringList& items);
    void LoadImages();
    void LoadLinks();
    void LoadSightings();
    void LoadAreaSightings(Area area, const QString& place);
    void runCustomSearch();
    void showList(const std::function<NodeList()>& build);
    // An outing's page in the viewer, titled as its node (title empty: made
    // from the outing).
    void showOuting(qint64 id, const QString& title);
    // The life list of a country (as its sightings name it) in the tree.
    void showCountryList(const QString& country);
    void CountLifeLists();

    // Entry viewer.
    void tv1_NodeClick(const QModelIndex& node);
    NodeList lazySubjectTree(Category cat) const;
    void showNode(const QString& key, const QString& text, const QString& parentText);
    void setEntryCommands(bool edit, bool del, bool related);
    // No entry is current any more: the entry commands rest until the next
    // click on a node.
    void forgetCurrentEntry();
    // Removes a node without the tree moving on to show a neighbour.
    void removeNodeQuietly(const QString& key);
    void decideRelated(QChar kind, Category cat, qint64 subid);
    void showArticle(const Entry& e, const QString& text, const QString& parentText);
    void showImage(const Entry& e, const QString& text, const QString& parentText);
    // An entry's title as its list names it: the node's text in its own
    // flat list (ownList) and in a search, else "subject : title".
    QString entryTitle(const Entry& e, const QString& text, const QString& parentText,
                       const char* ownList) const;
    void showLink(const Entry& e, const QString& text, const QString& parentText);
    // A bird's sightings (their ids, newest first) in the grid.
    void showSightings(std::vector<qint64> rows, const QString& text, const QString& parentText);
    void FillSightingGrid(std::vector<qint64> rows);
    void setUpGrid();
    // The web pane, loaded and made the first time; null (and the user told)
    // when the web browser module cannot be loaded.
    WebPane* ensureWeb();
    void showWeb(bool visible);
    void reportLoadError(long number, const QString& description);

    // Commands.
    void NewSighting();
    void NewArticle();
    void NewImage();
    void NewLink();
    void EditSubject();
    void DeleteEntry();
    void deleteEntryRow();
    void deleteAllSightings();
    void deleteOuting();
    void mnuEditGroupOutings_Click();
    void deleteOneSighting();
    void RelatedEntries();
    void mnuViewOptions_Click();
    void Help(int command);
    // Opens the help at a page, over (centred on) a window of the program.
    void helpAt(const QString& page, QWidget* over);
    // The web pane.
    void Internet_Click();
    void mnuViewWebBrowser_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void cmbAddress_Enter();
    void navigate(const QString& address);
    void EditEntry();
    // Opens the sighting editor on a row of the grid and saves it in place.
    void EditSighting(int row);
    void mnuEditExpand_Click();
    void mnuEditCollapse_Click();
    void mnuViewCustom_Click();
    void mnuHelpAbout_Click();

    // Layout.
    void relayout();
    LayoutInput layoutInput() const;
    float toTwips(int px) const;
    int toPixels(float twips) const;
    void imgSplitter_MouseDown();
    void imgSplitter_MouseMove(int x);
    void imgSplitter_MouseUp();
    void tv1_DragDrop(const QString& source, int x);

    void updateClock();
    // Hides the time, then the date, when the counts need their room.
    void fitStatusBar();
    // The window's size, place, maximised state and split, kept between runs.
    void restoreWindowState();
    void saveWindowState() const;

    void dailyCheckEnded(const DailyCheck::Outcome& outcome);
    // Stops the day's backup (what it made so far is removed) before the
    // journal is closed or replaced.
    void stopDailyCheck();

    AppState& state_;
    std::unique_ptr<DailyCheck> dailyCheck_;
    std::unique_ptr<Timer> clockTimer_;
    // Once a list is shown and the window has been left alone this long, the
    // journal's pages read for it are handed back.
    static constexpr int kIdleReleaseMs = 500;
    std::unique_ptr<Timer> idleTimer_;
    // A note in the status bar stays this long.
    static constexpr int kNoteMs = 10000;
    std::unique_ptr<Timer> noteTimer_;

    QToolBar* tbMain_ = nullptr;
    QStatusBar* sbStatusBar_ = nullptr;
    QWidget* central_ = nullptr;
    QWidget* leftPane_ = nullptr;    // pic(0)
    QWidget* rightPane_ = nullptr;   // pic(1)
    TreePane* treePane_ = nullptr;   // a child of the left pane
    EntryViewer* viewer_ = nullptr;  // a child of the right pane
    QWidget* CoolBar1_ = nullptr;
    QToolBar* Toolbar1_ = nullptr;
    QComboBox* cmbAddress_ = nullptr;
    WebPane* web_ = nullptr;  // its widget belongs to central_
    std::unique_ptr<class frmHelp> help_;
    QWidget* imgSplitter_ = nullptr;
    QFrame* picSplitter_ = nullptr;

    float splitX_ = kDesignSplit;  // imgSplitter.Left

    bool countsToCome_ = true;        // the life lists, counted after the first paint
    float userSplit_ = kDesignSplit;  // the split the user chose
    float ghostX_ = 0;                // picSplitter.Left
    bool splitterDragging_ = false;
    bool mouseOnTree_ = false;
    bool quietTree_ = false;  // the program moves the current node: no click
    // While set, a list is shown at this place rather than from its top.
    const NodeTree::Place* keepPlace_ = nullptr;
    bool laidOut_ = false;
};

}  // namespace wf
