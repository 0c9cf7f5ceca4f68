// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmMain.h"
#include "FirstPaint.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "AppError.h"
#include "Artwork.h"
#include "FileChooser.h"
#include "NodeModel.h"
#include "PictureView.h"
#include "StatusPanel.h"
#include "SubjectPage.h"
#include "Twips.h"
#include "Words.h"
#include "frmAbout.h"
#include "frmHelp.h"
#include "frmLink.h"
#include "frmOptions.h"
#include "frmPic.h"
#include "frmRelated.h"
#include "frmSight.h"
#include "frmStatistics.h"
#include "frmSubject.h"
#include "frmText.h"

namespace wf {

const QStringList frmMain::kStartCategories = {
    QStringLiteral("All Entries"),
    QStringLiteral("All Images"),
    QStringLiteral("All Articles"),
    QStringLiteral("All Internet Links"),
    QStringLiteral("Custom Search"),
    QStringLiteral("All Sightings"),
    QStringLiteral("Region Life Sightings"),
    QStringLiteral("Country Life Sightings"),
    QStringLiteral("State Life Sightings"),
    QStringLiteral("District Life Sightings"),
    QStringLiteral("Year List"),
    QStringLiteral("Month List"),
    QStringLiteral("First Sightings"),
    QStringLiteral("Outings"),
    QStringLiteral("Photographed Species"),
};

namespace {

// Design positions (twips) that the layout keeps.
constexpr float kPaneMargin = 60;
constexpr float kTitleHeight = 480;
constexpr float kSplitterWidth = 60;

// The mime type of a drag that carries a control of this window by name.
const QString kControlMime = QStringLiteral("application/x-wingfolio-control");

struct MenuItem {
    const char* name;
    const char* caption;  // "-" for a separator
    const char* shortcut;
};

struct Menu {
    const char* name;
    const char* caption;
    std::vector<MenuItem> items;
};

const std::vector<Menu>& menus() {
    static const std::vector<Menu> m = {
        {"mnuFile",
         QT_TRANSLATE_NOOP("wf::frmMain", "&File"),
         {{"mnuFileNewSighting", QT_TRANSLATE_NOOP("wf::frmMain", "New &Sighting"), "Ctrl+S"},
          {"mnuFileNewArticle", QT_TRANSLATE_NOOP("wf::frmMain", "New &Article"), "Ctrl+T"},
          {"mnuFileNewImage", QT_TRANSLATE_NOOP("wf::frmMain", "New &Image"), "Ctrl+I"},
          {"mnuFileNewLink", QT_TRANSLATE_NOOP("wf::frmMain", "New Internet &Link"), "Ctrl+L"},
          {"mnuFileBar4", "-", ""},
          {"mnuFileBackup", QT_TRANSLATE_NOOP("wf::frmMain", "&Back Up Journal..."), ""},
          {"mnuFileRestore", QT_TRANSLATE_NOOP("wf::frmMain", "&Restore From Backup..."), ""},
          {"mnuFileImport", QT_TRANSLATE_NOOP("wf::frmMain", "Import Old &Journal..."), ""},
          {"mnuFileImportEbird", QT_TRANSLATE_NOOP("wf::frmMain", "Import &eBird Data..."), ""},
          {"mnuFileReviewNames", QT_TRANSLATE_NOOP("wf::frmMain", "Re&view eBird Names..."), ""},
          {"mnuFileImportPictures", QT_TRANSLATE_NOOP("wf::frmMain", "Import Pi&ctures..."), ""},
          {"mnuFileTripReport", QT_TRANSLATE_NOOP("wf::frmMain", "Export &Trip Report..."), ""},
          {"mnuFilePrint", QT_TRANSLATE_NOOP("wf::frmMain", "Pri&nt..."), "Ctrl+P"},
          {"mnuFileBar5", "-", ""},
          {"mnuFileClose", QT_TRANSLATE_NOOP("wf::frmMain", "E&xit"), "Ctrl+Q"}}},
        {"mnuEdit",
         QT_TRANSLATE_NOOP("wf::frmMain", "&Edit"),
         {{"mnuEditEntry", QT_TRANSLATE_NOOP("wf::frmMain", "&Edit Current Entry"), ""},
          {"mnuEditDelete", QT_TRANSLATE_NOOP("wf::frmMain", "&Delete Current Entry\tDel"), ""},
          {"mnuEditSubject", QT_TRANSLATE_NOOP("wf::frmMain", "Edit &Subject Text"), ""},
          {"mnuEditGroupOutings", QT_TRANSLATE_NOOP("wf::frmMain", "&Group Into Outings..."), ""},
          {"sep2", "-", ""},
          {"mnuEditExpand", QT_TRANSLATE_NOOP("wf::frmMain", "E&xpand All Nodes"), ""},
          {"mnuEditCollapse", QT_TRANSLATE_NOOP("wf::frmMain", "&Collapse All Nodes"), ""}}},
        {"mnuView",
         QT_TRANSLATE_NOOP("wf::frmMain", "&View"),
         {{"mnuViewCustom", QT_TRANSLATE_NOOP("wf::frmMain", "&Custom Search"), "F3"},
          {"mnuViewSubjectPage", QT_TRANSLATE_NOOP("wf::frmMain", "Subject &Page"), "F4"},
          {"mnuViewStatistics", QT_TRANSLATE_NOOP("wf::frmMain", "&Statistics..."), ""},
          {"mnuViewSep1", "-", ""},
          {"mnuViewWebBrowser", QT_TRANSLATE_NOOP("wf::frmMain", "&Web Browser"), ""},
          {"mnuViewSep2", "-", ""},
          {"mnuViewTaxonomic", QT_TRANSLATE_NOOP("wf::frmMain", "Sort Birds &Taxonomically"), ""},
          {"mnuViewThumbnails", QT_TRANSLATE_NOOP("wf::frmMain", "Pictures as T&humbnails"),
           "Ctrl+G"},
          {"sep1", "-", ""},
          {"mnuViewOptions", QT_TRANSLATE_NOOP("wf::frmMain", "&Options..."), "Ctrl+O"}}},
        {"mnuHelp",
         QT_TRANSLATE_NOOP("wf::frmMain", "&Help"),
         {{"mnuHelpContents", QT_TRANSLATE_NOOP("wf::frmMain", "&Contents"), ""},
          {"mnuHelpSearchForHelpOn", QT_TRANSLATE_NOOP("wf::frmMain", "&Search For Help On..."),
           ""},
          {"mnuHelpKeys", QT_TRANSLATE_NOOP("wf::frmMain", "&Keys and Shortcuts"), ""},
          {"mnuHelpBar0", "-", ""},
          {"mnuHelpAbout", QT_TRANSLATE_NOOP("wf::frmMain", "&About "), ""}}},
    };
    return m;
}

struct ToolButton {
    const char* key;  // empty for a separator
    const char* text;
};

const ToolButton kToolButtons[] = {
    {"Sighting", QT_TRANSLATE_NOOP("wf::frmMain", "New Sighting")},
    {"Article", QT_TRANSLATE_NOOP("wf::frmMain", "New Article")},
    {"Image", QT_TRANSLATE_NOOP("wf::frmMain", "New Image")},
    {"Link", QT_TRANSLATE_NOOP("wf::frmMain", "New Link")},
    {"", ""},
    {"Edit", QT_TRANSLATE_NOOP("wf::frmMain", "Edit Entry")},
    {"Delete", QT_TRANSLATE_NOOP("wf::frmMain", "Delete Entry")},
    {"", ""},
    {"Related", QT_TRANSLATE_NOOP("wf::frmMain", "Related Entries")},
    {"Internet", QT_TRANSLATE_NOOP("wf::frmMain", "Internet")},
};

}  // namespace

frmMain::frmMain(AppState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
    setObjectName(QStringLiteral("frmMain"));
    setAcceptDrops(true);  // picture files from a file manager
    setWindowTitle(QStringLiteral("Wingfolio"));
    setWindowIcon(artwork::appIcon());
    buildMenus();
    buildToolbar();
    buildStatusBar();
    buildPanes();
    resize(toPixels(13500), toPixels(9000));
    restoreWindowState();
    Form_Load();
    // F1 in any window of the program opens the help at that window's page.
    qApp->installEventFilter(this);
}

void frmMain::restoreWindowState() {
    if (!state_.settings) {
        return;
    }
    QSettings& s = *state_.settings;
    s.beginGroup(QStringLiteral("MainWindow"));
    const QRect saved = s.value(QStringLiteral("geometry")).toRect();
    const bool maximised = s.value(QStringLiteral("maximised"), false).toBool();
    const float split = s.value(QStringLiteral("split"), kDesignSplit).toFloat();
    s.endGroup();
    userSplit_ = splitX_ = std::max(split, WindowLayout::kMinPane);
    // Only on a screen that is still there; otherwise centred at the size of
    // a first start.
    const QScreen* onScreen = nullptr;
    if (saved.isValid()) {
        for (const QScreen* screen : QGuiApplication::screens()) {
            if (screen->availableGeometry().contains(saved.center())) {
                onScreen = screen;
                break;
            }
        }
    }
    if (onScreen != nullptr) {
        const QRect avail = onScreen->availableGeometry();
        resize(std::min(saved.width(), avail.width()), std::min(saved.height(), avail.height()));
        move(saved.topLeft());
    } else if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect avail = primary->availableGeometry();
        move(avail.center() - QPoint(width() / 2, height() / 2));
    }
    if (maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void frmMain::saveWindowState() const {
    if (!state_.settings) {
        return;
    }
    QSettings& s = *state_.settings;
    s.beginGroup(QStringLiteral("MainWindow"));
    // The place of the frame and the size of the window; of a maximised
    // window those it comes back to.
    const QPoint frame = geometry().topLeft() - pos();
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    s.setValue(QStringLiteral("geometry"), QRect(normal.topLeft() - frame, normal.size()));
    s.setValue(QStringLiteral("maximised"), isMaximized());
    s.setValue(QStringLiteral("split"), userSplit_);
    s.endGroup();
    s.sync();
}

frmMain::~frmMain() {
    stopDailyCheck();  // before the journal it reads goes
}

float frmMain::toTwips(int px) const {
    return float(pixelsToTwips(px, logicalDpiX()));
}

int frmMain::toPixels(float twips) const {
    return twipsToPixels(twips, logicalDpiX());
}

// Construction ----------------------------------------------------------------

void frmMain::buildMenus() {
    for (const Menu& m : menus()) {
        QMenu* menu = menuBar()->addMenu(tr(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        for (const MenuItem& item : m.items) {
            QAction* a = nullptr;
            if (qstrcmp(item.caption, "-") == 0) {
                a = menu->addSeparator();
            } else {
                a = menu->addAction(tr(item.caption));
                if (item.shortcut[0] != '\0') {
                    a->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
                }
            }
            a->setObjectName(QString::fromLatin1(item.name));
        }
    }
    // File, Export: a submenu before the trip report.
    auto* fileMenu = findChild<QMenu*>(QStringLiteral("mnuFile"));
    auto* exportMenu = new QMenu(tr("Ex&port"), fileMenu);
    exportMenu->setObjectName(QStringLiteral("mnuFileExport"));
    fileMenu->insertMenu(menuItem(QStringLiteral("mnuFileTripReport")), exportMenu);
    const std::pair<const char*, const char*> exports[] = {
        {"mnuFileExportEbird", QT_TRANSLATE_NOOP("wf::frmMain", "For &eBird (Record Format)...")},
        {"mnuFileExportSightings", QT_TRANSLATE_NOOP("wf::frmMain", "&Sightings (CSV)...")},
        {"mnuFileExportLifeLists", QT_TRANSLATE_NOOP("wf::frmMain", "&Life Lists (CSV)...")}};
    for (int i = 0; i < 3; ++i) {
        QAction* a = exportMenu->addAction(tr(exports[i].second));
        a->setObjectName(QString::fromLatin1(exports[i].first));
        connect(a, &QAction::triggered, this, [this, i] { exportFile(ExportKind(i)); });
    }
    connect(menuItem(QStringLiteral("mnuFileImportEbird")), &QAction::triggered, this,
            &frmMain::mnuFileImportEbird_Click);
    connect(menuItem(QStringLiteral("mnuFileReviewNames")), &QAction::triggered, this,
            &frmMain::mnuFileReviewNames_Click);
    connect(menuItem(QStringLiteral("mnuFileImportPictures")), &QAction::triggered, this,
            &frmMain::mnuFileImportPictures_Click);
    connect(menuItem(QStringLiteral("mnuFileTripReport")), &QAction::triggered, this,
            &frmMain::mnuFileTripReport_Click);
    connect(menuItem(QStringLiteral("mnuFilePrint")), &QAction::triggered, this,
            &frmMain::mnuFilePrint_Click);
    QAction* taxonomicItem = menuItem(QStringLiteral("mnuViewTaxonomic"));
    taxonomicItem->setCheckable(true);
    taxonomicItem->setChecked(
        state_.settings &&
        state_.settings->value(QStringLiteral("View/taxonomic"), false).toBool());
    connect(taxonomicItem, &QAction::toggled, this, &frmMain::setTaxonomic);
    QAction* thumbnailsItem = menuItem(QStringLiteral("mnuViewThumbnails"));
    thumbnailsItem->setCheckable(true);
    thumbnailsItem->setChecked(
        state_.settings &&
        state_.settings->value(QStringLiteral("View/thumbnails"), false).toBool());
    connect(thumbnailsItem, &QAction::toggled, this, &frmMain::mnuViewThumbnails_Click);
    connect(menuItem(QStringLiteral("mnuViewSubjectPage")), &QAction::triggered, this,
            &frmMain::mnuViewSubjectPage_Click);
    connect(menuItem(QStringLiteral("mnuViewStatistics")), &QAction::triggered, this, [this] {
        frmStatistics statistics(state_, this);
        state_.services.dialogs.exec(statistics);
        if (const QString country = statistics.chosenCountry(); !country.isEmpty()) {
            showCountryList(country);
        }
    });
    menuItem(QStringLiteral("mnuEditEntry"))->setEnabled(false);
    menuItem(QStringLiteral("mnuEditDelete"))->setEnabled(false);
    connect(menuItem(QStringLiteral("mnuFileClose")), &QAction::triggered, this, &QWidget::close);
    connect(menuItem(QStringLiteral("mnuFileNewSighting")), &QAction::triggered, this,
            &frmMain::NewSighting);
    connect(menuItem(QStringLiteral("mnuFileNewArticle")), &QAction::triggered, this,
            &frmMain::NewArticle);
    connect(menuItem(QStringLiteral("mnuEditEntry")), &QAction::triggered, this,
            &frmMain::EditEntry);
    connect(menuItem(QStringLiteral("mnuFileNewImage")), &QAction::triggered, this,
            &frmMain::NewImage);
    connect(menuItem(QStringLiteral("mnuFileNewLink")), &QAction::triggered, this,
            &frmMain::NewLink);
    connect(menuItem(QStringLiteral("mnuFileImport")), &QAction::triggered, this,
            &frmMain::mnuFileImport_Click);
    connect(menuItem(QStringLiteral("mnuFileBackup")), &QAction::triggered, this,
            &frmMain::mnuFileBackup_Click);
    connect(menuItem(QStringLiteral("mnuFileRestore")), &QAction::triggered, this,
            &frmMain::mnuFileRestore_Click);
    connect(menuItem(QStringLiteral("mnuEditDelete")), &QAction::triggered, this,
            &frmMain::DeleteEntry);
    connect(menuItem(QStringLiteral("mnuViewOptions")), &QAction::triggered, this,
            &frmMain::mnuViewOptions_Click);
    connect(menuItem(QStringLiteral("mnuViewWebBrowser")), &QAction::triggered, this,
            &frmMain::mnuViewWebBrowser_Click);
    connect(menuItem(QStringLiteral("mnuHelpContents")), &QAction::triggered, this,
            [this] { Help(frmHelp::kContents); });
    connect(menuItem(QStringLiteral("mnuHelpSearchForHelpOn")), &QAction::triggered, this,
            [this] { Help(frmHelp::kHelpOnHelp); });
    connect(menuItem(QStringLiteral("mnuHelpKeys")), &QAction::triggered, this,
            [this] { helpAt(QStringLiteral("keys.html"), this); });
    connect(menuItem(QStringLiteral("mnuEditSubject")), &QAction::triggered, this,
            &frmMain::EditSubject);
    connect(menuItem(QStringLiteral("mnuEditGroupOutings")), &QAction::triggered, this,
            &frmMain::mnuEditGroupOutings_Click);
    connect(menuItem(QStringLiteral("mnuEditExpand")), &QAction::triggered, this,
            &frmMain::mnuEditExpand_Click);
    connect(menuItem(QStringLiteral("mnuEditCollapse")), &QAction::triggered, this,
            &frmMain::mnuEditCollapse_Click);
    connect(menuItem(QStringLiteral("mnuViewCustom")), &QAction::triggered, this,
            &frmMain::mnuViewCustom_Click);
    connect(menuItem(QStringLiteral("mnuHelpAbout")), &QAction::triggered, this,
            &frmMain::mnuHelpAbout_Click);
}

void frmMain::buildToolbar() {
    tbMain_ = addToolBar(tr("Main"));
    tbMain_->setObjectName(QStringLiteral("tbMain"));
    tbMain_->setMovable(false);
    tbMain_->setFloatable(false);
    tbMain_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tbMain_->setIconSize(QSize(24, 24));
    for (const ToolButton& b : kToolButtons) {
        if (b.key[0] == '\0') {
            tbMain_->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        QAction* a = tbMain_->addAction(artwork::icon(key), tr(b.text));
        a->setObjectName(key);
        a->setToolTip(tr(b.text));
    }
    toolButton(QStringLiteral("Edit"))->setEnabled(false);
    toolButton(QStringLiteral("Delete"))->setEnabled(false);
    toolButton(QStringLiteral("Related"))->setEnabled(false);
    connect(toolButton(QStringLiteral("Sighting")), &QAction::triggered, this,
            &frmMain::NewSighting);
    connect(toolButton(QStringLiteral("Article")), &QAction::triggered, this, &frmMain::NewArticle);
    connect(toolButton(QStringLiteral("Edit")), &QAction::triggered, this, &frmMain::EditEntry);
    connect(toolButton(QStringLiteral("Image")), &QAction::triggered, this, &frmMain::NewImage);
    connect(toolButton(QStringLiteral("Link")), &QAction::triggered, this, &frmMain::NewLink);
    connect(toolButton(QStringLiteral("Delete")), &QAction::triggered, this, &frmMain::DeleteEntry);
    connect(toolButton(QStringLiteral("Related")), &QAction::triggered, this,
            &frmMain::RelatedEntries);
    connect(toolButton(QStringLiteral("Internet")), &QAction::triggered, this,
            &frmMain::Internet_Click);
}

void frmMain::buildPanes() {
    // The panes are placed by SizeControls, not by layouts.
    central_ = new QWidget(this);
    central_->setObjectName(QStringLiteral("central"));
    setCentralWidget(central_);

    leftPane_ = new QWidget(central_);
    leftPane_->setObjectName(QStringLiteral("pic(0)"));
    // The tree pane makes the Find frame and the tree; the window decides
    // what each choice shows.
    treePane_ = new TreePane(leftPane_);
    connect(treePane_, &TreePane::optCatClicked, this, &frmMain::optCat_Click);
    connect(treePane_, &TreePane::categoryActivated, this, &frmMain::cmbSearchCategory_Click);
    connect(treePane_, &TreePane::periodActivated, this,
            [this] { LoadPeriodList(treePane_->listName()); });
    connect(treePane_, &TreePane::contextMenuRequested, this, &frmMain::tv1_ContextMenu);
    tv1()->viewport()->installEventFilter(this);
    nodes().model()->onLoadError = [this](const AppError& e) {
        reportLoadError(e.number(), e.description());
    };
    connect(treePane_, &TreePane::nodeClicked, this,
            [this](const QModelIndex& at) { tv1_NodeClick(at); });
    connect(treePane_, &TreePane::currentNodeChanged, this, [this](const QModelIndex& at) {
        // Keys move the current node without a click.
        if (at.isValid() && !mouseOnTree_ && !quietTree_) {
            tv1_NodeClick(at);
        }
    });

    rightPane_ = new QWidget(central_);
    rightPane_->setObjectName(QStringLiteral("pic(1)"));
    // The entry viewer makes the title, viewing area and grid; the window
    // places them (relayout) and decides what they show.
    viewer_ = new EntryViewer(rightPane_, central_);
    // The grid reads while it paints: the user is told once it has painted.
    fg1()->sightings()->onReadError = [this](const AppError& e) {
        QMetaObject::invokeMethod(
            this, [this, e] { reportLoadError(e.number(), e.description()); },
            Qt::QueuedConnection);
    };
    // A subject page's links open the entry they name.
    connect(viewer_, &EntryViewer::entryClicked, this, &frmMain::openEntryKey);
    connect(viewer_, &EntryViewer::gridPictureWanted, this, &frmMain::showSightingPicture);
    connect(viewer_, &EntryViewer::thumbnailChosen, this,
            [this](qint64 id) { openEntryKey(QStringLiteral("I") + QString::number(id)); });
    connect(viewer_, &EntryViewer::gridRowDoubleClicked, this, [this](int row) {
        if (state_.CurrentEntryKind == QLatin1String("S")) {
            EditSighting(row);
        }
    });

    buildCoolBar();

    imgSplitter_ = new QWidget(central_);
    imgSplitter_->setObjectName(QStringLiteral("imgSplitter"));
    imgSplitter_->setCursor(Qt::SplitHCursor);
    imgSplitter_->setToolTip(tr("Drag to change the width of the panes"));
    imgSplitter_->installEventFilter(this);
    central_->installEventFilter(this);
    picSplitter_ = new QFrame(central_);
    picSplitter_->setObjectName(QStringLiteral("picSplitter"));
    picSplitter_->setAutoFillBackground(true);
    QPalette ghost = picSplitter_->palette();
    ghost.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    picSplitter_->setPalette(ghost);
    picSplitter_->hide();

    // The Delete key deletes in the tree and in the sightings grid only (in
    // a text box it stays the box's key), after the same question.
    for (QWidget* list : {static_cast<QWidget*>(tv1()), static_cast<QWidget*>(fg1())}) {
        auto* del = new QAction(list);
        del->setShortcut(QKeySequence::Delete);
        del->setShortcutContext(Qt::WidgetShortcut);
        list->addAction(del);
        connect(del, &QAction::triggered, this, [this] {
            if (menuItem(QStringLiteral("mnuEditDelete"))->isEnabled()) {
                DeleteEntry();
            }
        });
    }
}

void frmMain::buildCoolBar() {
    CoolBar1_ = new QWidget(central_);
    CoolBar1_->setObjectName(QStringLiteral("CoolBar1"));
    Toolbar1_ = new QToolBar(CoolBar1_);
    Toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1_->setIconSize(QSize(20, 20));
    const std::pair<const char*, const char*> buttons[] = {
        {"Back", QT_TR_NOOP("Back")}, {"Forward", QT_TR_NOOP("Forward")},
        {"Stop", QT_TR_NOOP("Stop")}, {"Refresh", QT_TR_NOOP("Refresh")},
        {"Home", QT_TR_NOOP("Home")}, {"Search", QT_TR_NOOP("Search")}};
    for (const auto& [key, text] : buttons) {
        QAction* a = Toolbar1_->addAction(artwork::icon(QString::fromLatin1(key)), tr(text));
        a->setObjectName(QString::fromLatin1(key));
    }
    auto* caption = new QLabel(tr("Address:"), CoolBar1_);
    cmbAddress_ = new QComboBox(CoolBar1_);
    cmbAddress_->setObjectName(QStringLiteral("cmbAddress"));
    cmbAddress_->setEditable(true);
    cmbAddress_->setInsertPolicy(QComboBox::NoInsert);
    cmbAddress_->setDuplicatesEnabled(true);
    cmbAddress_->setCompleter(nullptr);
    // The edit field reports Enter however the key reached it (the box hands
    // its keys on to the field directly, past any filter there).
    connect(cmbAddress_->lineEdit(), &QLineEdit::returnPressed, this, &frmMain::cmbAddress_Enter);
    connect(Toolbar1_, &QToolBar::actionTriggered, this,
            [this](QAction* a) { Toolbar1_ButtonClick(a->objectName()); });
    auto* band = new QHBoxLayout(CoolBar1_);
    band->setContentsMargins(2, 2, 2, 2);
    band->addWidget(Toolbar1_);
    band->addSpacing(6);
    band->addWidget(caption);
    band->addWidget(cmbAddress_, 1);
    CoolBar1_->hide();
}

QAction* frmMain::toolButton(const QString& key) const {
    return tbMain_->findChild<QAction*>(key, Qt::FindDirectChildrenOnly);
}

QAction* frmMain::menuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

// Load and unload --------------------------------------------------------------

void frmMain::Form_Load() {
    fillCategories(kStartCategories);
    viewer_->setTitle(tr("Welcome to Wingfolio"));
    setUpGrid();
    readOptions();
    // The life lists are counted once the window is on screen (see showEvent).
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (countsToCome_) {
        afterFirstPaint(this, [this] { countLifeListsNow(); });
    }
}

void frmMain::countLifeListsNow() {
    if (countsToCome_) {
        CountLifeLists();
    }
}

void frmMain::readOptions() {
    if (state_.settings) {
        words::setDateStyle(words::dateStyleFromKey(
            state_.settings->value(QStringLiteral("View/dates")).toString()));
    }
    try {
        state_.useOptions(state_.db().options());
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
    }
}

bool frmMain::Form_Unload() {
    // Every other window first, the newest first; then the database.
    bool modalClosed = false;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        QWidget* w = *it;
        if (w == this || !w->isVisible() || w->windowType() == Qt::Popup ||
            w->windowType() == Qt::ToolTip) {
            continue;
        }
        if (w->isModal() || w->testAttribute(Qt::WA_ShowModal)) {
            modalClosed = true;
        }
        w->close();
    }
    if (modalClosed) {
        // A modal dialog's command is still waiting for it to return; close
        // the database once it has.
        return false;
    }
    clockTimer_->stop();
    idleTimer_->stop();
    saveWindowState();
    stopDailyCheck();
    state_.closeDatabase();
    return true;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (Form_Unload()) {
        event->accept();
    } else {
        event->ignore();
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

// Commands ------------------------------------------------------------------

void frmMain::NewSighting() {
    {
        frmSight editor(state_, *this, this);
        state_.services.dialogs.exec(editor);
    }
    CountLifeLists();
}

void frmMain::NewArticle() {
    frmText editor(state_, *this, this);
    state_.services.dialogs.exec(editor);
}

void frmMain::EditSighting(int row) {
    const qint64 id = fg1()->sightingId(row);
    if (id == 0) {
        return;
    }
    std::optional<Sighting> s;
    try {
        s = state_.db().sighting(id);
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
        return;
    }
    if (!s) {
        return;
    }
    {
        frmSight editor(state_, *this, this);
        editor.editSighting(*s);
        if (state_.services.dialogs.exec(editor) != QDialog::Accepted) {
            return;
        }
    }
    CountLifeLists();
}

void frmMain::EditEntry() {
    if (state_.CurrentEntryKind == QLatin1String("S")) {
        if (fg1()->isVisible() && fg1()->rowCount() > 0) {
            EditSighting(std::max(fg1()->currentRow(), 0));
        }
        return;
    }
    if (state_.CurrentEntryKind == QLatin1String("A")) {
        state_.EditMode = true;
        frmText editor(state_, *this, this);
        state_.services.dialogs.exec(editor);
    } else if (state_.CurrentEntryKind == QLatin1String("I")) {
        state_.EditMode = true;
        frmPic editor(state_, *this, this);
        state_.services.dialogs.exec(editor);
    } else if (state_.CurrentEntryKind == QLatin1String("L")) {
        state_.EditMode = true;
        frmLink editor(state_, *this, this);
        state_.services.dialogs.exec(editor);
    }
}

qint64 frmMain::selectedSubjectId() const {
    if (!nodes().currentIsSelected()) {
        return 0;
    }
    const QString key = nodes().currentKey();
    const QChar kind = state_.birds() ? u'B' : state_.outings() ? u'O' : u'T';
    if (key.size() < 2 || key.front() != kind) {
        return 0;
    }
    bool ok = false;
    const qint64 id = key.mid(1).toLongLong(&ok);
    return ok ? id : 0;
}

QString frmMain::categoryListText() const {
    return treePane_->listName();
}

QString frmMain::treeRootKey() const {
    const QStringList roots = nodes().childKeys({});
    return roots.isEmpty() ? QString() : roots.front();
}

void frmMain::addNode(const QString& parentKey, const QString& key, const QString& text,
                      int picture) {
    // In taxonomic order a bird new to the tree goes under its family.
    if (taxonomic() && parentKey == QLatin1String("Birds") && key.startsWith(u'B') &&
        nodes().contains(parentKey) && state_.hasDatabase()) {
        const std::optional<Taxonomy> t = state_.db().taxonomy(key.mid(1).toLongLong());
        const Taxonomy* taxon = t ? &*t : nullptr;
        const QString family = familyKey(taxon);
        if (!nodes().contains(family)) {
            nodes().add(parentKey, family, familyText(taxon), kNoPicture);
        }
        nodes().add(family, key, text, picture);
        return;
    }
    nodes().add(parentKey, key, text, picture);
}

void frmMain::NewImage() {
    frmPic editor(state_, *this, this);
    state_.services.dialogs.exec(editor);
}

void frmMain::EditSubject() {
    // Outings are not named like subjects: beside their list the birds are edited.
    const QScopedValueRollback<QString> category(
        state_.CurrentCategory,
        state_.outings() ? QStringLiteral("Birds") : state_.CurrentCategory);
    frmSubject editor(state_, *this, this);
    state_.services.dialogs.exec(editor);
}

void frmMain::mnuEditExpand_Click() {
    nodes().expandAll();
}

void frmMain::mnuEditCollapse_Click() {
    nodes().collapseAll();
    const QString root = treeRootKey();
    if (const QStringList children = nodes().childKeys(root); !children.isEmpty()) {
        nodes().ensureVisible(children.front());
    }
}

void frmMain::mnuViewCustom_Click() {
    treePane_->chooseList(QStringLiteral("Custom Search"));
    cmbSearchCategory_Click();
}

void frmMain::mnuHelpAbout_Click() {
    frmAbout about(this);
    state_.services.dialogs.exec(about);
}

// Layout ----------------------------------------------------------------------

LayoutInput frmMain::layoutInput() const {
    // The panes share the client area between the toolbar and the status
    // bar: the central widget, whose size the window's own layout has set.
    LayoutInput in;
    in.windowWidth = toTwips(central_->width());
    in.windowHeight = toTwips(height());
    in.scaleHeight = toTwips(central_->height());
    in.tbTop = 0;
    in.tbHeight = 0;
    in.sbVisible = false;
    in.sbHeight = 0;
    in.coolBarHeight = toTwips(CoolBar1_->sizeHint().height());
    in.pic0Top = 0;
    // The tree starts below the search frame, at the height its boxes need.
    in.tv1Top = kPaneMargin + toTwips(treePane_->frameHeight()) + 30;
    in.pic2Left = kPaneMargin;
    return in;
}

void frmMain::SizeControls(float& X) {
    LayoutInput in = layoutInput();
    LayoutResult r = WindowLayout::sizeControls(X, in);
    // Choices too wide for one row stand one above the other: the frame
    // grows, and the tree starts lower.
    if (treePane_->arrangeFor(toPixels(r.frame1Width))) {
        in = layoutInput();
        r = WindowLayout::sizeControls(X, in);
    }
    if (r.windowHeight > in.windowHeight) {
        resize(width(), toPixels(r.windowHeight));
    }
    splitX_ = X;
    const int paneHeight = std::max(0, toPixels(r.pic0.height));
    auto rect = [&](const TwipsRect& t) {
        return QRect(toPixels(t.left), toPixels(t.top), std::max(0, toPixels(t.width)),
                     std::max(0, toPixels(t.height)));
    };
    leftPane_->setGeometry(rect(r.pic0));
    rightPane_->setGeometry(rect(r.pic1));
    // The splitter's grab zone is never narrower than 6 pixels.
    imgSplitter_->setGeometry(toPixels(r.imgSplitter.left), toPixels(r.imgSplitter.top),
                              std::max(6, toPixels(kSplitterWidth)), paneHeight);
    const int margin = toPixels(kPaneMargin);
    // The tree and the viewing area keep their shares, but never reach past
    // the bottom of their pane.
    QRect tree = rect({kPaneMargin, r.tv1.top, r.tv1.width, r.tv1.height});
    tree.setHeight(std::clamp(tree.height(), 0, std::max(0, paneHeight - tree.top() - margin)));
    treePane_->place(QRect(margin, margin, toPixels(r.frame1Width), treePane_->frameHeight()),
                     toPixels(r.cmbSearchCategoryWidth), tree);
    QRect view = rect(r.pic2);
    view.setHeight(tree.height());
    // The text keeps the layout's margins within the area as it really is
    // (never past its foot, whatever the window's height).
    const float share = r.pic2.height > 0 ? float(view.height()) / toPixels(r.pic2.height) : 1;
    const QRect text(toPixels(r.rtb.left), int(toPixels(r.rtb.top) * share),
                     std::max(0, toPixels(r.rtb.width)),
                     std::max(0, int(toPixels(r.rtb.height) * share)));
    // The title on top; below it the web band's place; the web view and the
    // sightings grid from the band's foot to the bottom of the pane.
    const int titleHeight = std::max(toPixels(kTitleHeight), viewer_->title()->sizeHint().height());
    const QRect title(toPixels(r.lbltitleLeft), margin, toPixels(r.lbltitleWidth), titleHeight);
    const int bandTop = rightPane_->y() + margin + titleHeight + 2;
    const int bandHeight = CoolBar1_->sizeHint().height();
    CoolBar1_->setGeometry(toPixels(r.coolBarLeft), bandTop, toPixels(r.coolBarWidth), bandHeight);
    const int webTop = bandTop + bandHeight;
    const QRect below(toPixels(r.web.left), webTop, toPixels(r.web.width),
                      std::max(0, rightPane_->geometry().bottom() + 1 - webTop));
    viewer_->place(title, view, text, below);
    if (web_ != nullptr) {
        web_->widget()->setGeometry(below);
    }
    imgSplitter_->raise();
    laidOut_ = true;
}

void frmMain::relayout() {
    // The split the user chose comes back whenever there is room for it.
    float x = userSplit_;
    SizeControls(x);
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitStatusBar();
    if (toTwips(width()) < WindowLayout::kMinWindowWidth) {
        resize(toPixels(WindowLayout::kMinWindowWidth), height());
    }
    relayout();
}

void frmMain::imgSplitter_MouseDown() {
    const QRect handle = imgSplitter_->geometry();
    picSplitter_->setGeometry(handle.x(), handle.y(), std::max(1, handle.width() / 2),
                              std::max(0, handle.height() - toPixels(20)));
    ghostX_ = splitX_;
    picSplitter_->show();
    picSplitter_->raise();
    splitterDragging_ = true;
}

void frmMain::imgSplitter_MouseMove(int x) {
    if (!splitterDragging_) {
        return;
    }
    ghostX_ = WindowLayout::dragPosition(toTwips(x) + splitX_, toTwips(width()));
    picSplitter_->move(toPixels(ghostX_), picSplitter_->y());
}

void frmMain::imgSplitter_MouseUp() {
    float x = ghostX_;
    SizeControls(x);
    userSplit_ = x;
    picSplitter_->hide();
    splitterDragging_ = false;
}

void frmMain::tv1_DragDrop(const QString& source, int x) {
    if (source == imgSplitter_->objectName()) {
        float pos = toTwips(x);
        SizeControls(pos);
        userSplit_ = pos;
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (window != help_.get()) {
            helpAt(frmHelp::pageFor(window->objectName()), window);
            return true;
        }
        return false;
    }
    if (watched == central_ && event->type() == QEvent::Resize) {
        relayout();
        return false;
    }
    if (watched == imgSplitter_) {
        switch (event->type()) {
            case QEvent::Paint: {
                // A grip: a groove with a column of dots in the middle.
                QPainter p(imgSplitter_);
                const QRect r = imgSplitter_->rect();
                const QPalette& pal = imgSplitter_->palette();
                p.fillRect(r, pal.color(QPalette::Button));
                p.setPen(pal.color(QPalette::Mid));
                p.drawLine(r.left(), r.top(), r.left(), r.bottom());
                p.drawLine(r.right(), r.top(), r.right(), r.bottom());
                const int cx = r.center().x();
                for (int i = -3; i <= 3; ++i) {
                    const int cy = r.center().y() + i * 5;
                    p.fillRect(cx - 1, cy - 1, 2, 2, pal.color(QPalette::Dark));
                }
                return true;
            }
            case QEvent::MouseButtonPress:
                imgSplitter_MouseDown();
                return true;
            case QEvent::MouseMove:
                imgSplitter_MouseMove(int(static_cast<QMouseEvent*>(event)->position().x()));
                return true;
            case QEvent::MouseButtonRelease:
                if (splitterDragging_) {
                    imgSplitter_MouseUp();
                }
                return true;
            default:
                break;
        }
    } else if (watched == tv1()->viewport()) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                mouseOnTree_ = true;
                break;
            case QEvent::MouseButtonRelease:
                mouseOnTree_ = false;
                break;
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* e = static_cast<QDragMoveEvent*>(event);
                if (e->mimeData()->hasFormat(kControlMime) ||
                    !localFiles(e->mimeData()).isEmpty()) {
                    e->acceptProposedAction();
                    return true;
                }
                break;
            }
            case QEvent::Drop: {
                auto* e = static_cast<QDropEvent*>(event);
                if (const QStringList files = localFiles(e->mimeData()); !files.isEmpty()) {
                    // Files from a file manager: on a bird's node, they are
                    // that bird's unless their day says otherwise.
                    e->acceptProposedAction();
                    const QString key = nodes().keyAt(e->position().toPoint());
                    qint64 bird = 0;
                    if (key.startsWith(u'B') && treePane_->birdsChosen()) {
                        bird = key.mid(1).toLongLong();
                    } else if (key.startsWith(u'S')) {
                        bird = key.mid(1).toLongLong();
                    }
                    QTimer::singleShot(0, this,
                                       [this, files, bird] { importPictures(files, bird); });
                    return true;
                }
                if (e->mimeData()->hasFormat(kControlMime)) {
                    const QPoint inWindow = tv1()->viewport()->mapTo(this, e->position().toPoint());
                    tv1_DragDrop(QString::fromUtf8(e->mimeData()->data(kControlMime)),
                                 inWindow.x());
                    e->acceptProposedAction();
                    return true;
                }
                e->ignore();
                return true;
            }
            default:
                break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace wf
