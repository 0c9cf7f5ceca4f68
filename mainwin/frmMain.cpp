#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "Artwork.h"
#include "Twips.h"
#include "frmAbout.h"

namespace wf {

const QStringList frmMain::kStartCategories = {
    QStringLiteral("All Entries"),           QStringLiteral("All Images"),
    QStringLiteral("All Articles"),          QStringLiteral("All Internet Links"),
    QStringLiteral("Custom Search"),         QStringLiteral("All Sightings"),
    QStringLiteral("Region Life Sightings"), QStringLiteral("Country Life Sightings"),
    QStringLiteral("State Life Sightings"),  QStringLiteral("District Life Sightings"),
};

const QString frmMain::kGridFormat = QStringLiteral(
    "< |<Date  |<Type   |<Site  |<District  |State/Prov   |<Country   |<Region  |<Notes  ");
const int frmMain::kGridWidths[9] = {0, 1000, 1000, 2000, 2000, 1500, 1500, 1500, 4000};

namespace {

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
         "&File",
         {{"mnuFileNewSighting", "New &Sighting", "Ctrl+S"},
          {"mnuFileNewArticle", "New &Article", "Ctrl+T"},
          {"mnuFileNewImage", "New &Image", "Ctrl+I"},
          {"mnuFileNewLink", "New Internet &Link", "Ctrl+L"},
          {"mnuFileBar5", "-", ""},
          {"mnuFileClose", "&Exit", "Ctrl+Q"}}},
        {"mnuEdit",
         "&Edit",
         {{"mnuEditEntry", "Edit Current Entry", ""},
          {"mnuEditDelete", "Delete Current Entry", ""},
          {"mnuEditSubject", "Edit Subject Text", ""},
          {"sep2", "-", ""},
          {"mnuEditExpand", "Expand All Nodes", ""},
          {"mnuEditCollapse", "Collapse All Nodes", ""}}},
        {"mnuView",
         "&View",
         {{"mnuViewCustom", "Custom Search", "F3"},
          {"mnuViewSep1", "-", ""},
          {"mnuViewWebBrowser", "&Web Browser", ""},
          {"sep1", "-", ""},
          {"mnuViewOptions", "Options", "Ctrl+O"}}},
        {"mnuHelp",
         "&Help",
         {{"mnuHelpContents", "&Contents", ""},
          {"mnuHelpSearchForHelpOn", "&Search For Help On...", ""},
          {"mnuHelpBar0", "-", ""},
          {"mnuHelpAbout", "&About ", ""}}},
    };
    return m;
}

struct ToolButton {
    const char* key;  // empty for a separator
    const char* text;
};

const ToolButton kToolButtons[] = {
    {"Sighting", "New Sighting"},
    {"Article", "New Article"},
    {"Image", "New Image"},
    {"Link", "New Link"},
    {"", ""},
    {"Edit", "Edit Entry"},
    {"Delete", "Delete Entry"},
    {"", ""},
    {"Related", "Related Entries"},
    {"Internet", "Internet"},
};

struct Panel {
    const char* key;
    const char* text;
};

const Panel kPanels[] = {
    {"Life", "Life List"},
    {"Region", "Region Life List"},
    {"Country", "Country Life List"},
    {"State", "State Life List"},
    {"District", "District Life List"},
};

}  // namespace

frmMain::frmMain(AppState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Wingfolio"));
    setWindowIcon(artwork::appIcon());
    buildMenus();
    buildToolbar();
    buildStatusBar();
    buildPanes();
    resize(twipsToPixels(13500, logicalDpiX()), twipsToPixels(9000, logicalDpiY()));
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::buildMenus() {
    for (const Menu& m : menus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(m.name));
        for (const MenuItem& item : m.items) {
            QAction* a = nullptr;
            if (qstrcmp(item.caption, "-") == 0) {
                a = menu->addSeparator();
            } else {
                a = menu->addAction(QString::fromUtf8(item.caption));
                if (item.shortcut[0] != '\0') {
                    a->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
                }
            }
            a->setObjectName(QString::fromLatin1(item.name));
        }
    }
    findChild<QAction*>(QStringLiteral("mnuEditEntry"))->setEnabled(false);
    findChild<QAction*>(QStringLiteral("mnuEditDelete"))->setEnabled(false);
    connect(findChild<QAction*>(QStringLiteral("mnuFileClose")), &QAction::triggered, this,
            &QWidget::close);
    connect(findChild<QAction*>(QStringLiteral("mnuHelpAbout")), &QAction::triggered, this,
            &frmMain::mnuHelpAbout_Click);
}

void frmMain::buildToolbar() {
    tbMain_ = addToolBar(QStringLiteral("Main"));
    tbMain_->setObjectName(QStringLiteral("tbMain"));
    tbMain_->setMovable(false);
    tbMain_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tbMain_->setIconSize(QSize(24, 24));
    for (const ToolButton& b : kToolButtons) {
        if (b.key[0] == '\0') {
            tbMain_->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        QAction* a = tbMain_->addAction(artwork::icon(key), QString::fromLatin1(b.text));
        a->setObjectName(key);
        a->setToolTip(QString::fromLatin1(b.text));
    }
    toolButton(QStringLiteral("Edit"))->setEnabled(false);
    toolButton(QStringLiteral("Delete"))->setEnabled(false);
    toolButton(QStringLiteral("Related"))->setEnabled(false);
}

void frmMain::buildStatusBar() {
    sbStatusBar_ = statusBar();
    sbStatusBar_->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar_->setSizeGripEnabled(true);
    for (const Panel& p : kPanels) {
        auto* l = new QLabel(QString::fromLatin1(p.text), sbStatusBar_);
        l->setObjectName(QString::fromLatin1(p.key));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(twipsToPixels(1800, logicalDpiX()));
        sbStatusBar_->addWidget(l);
    }
    for (const char* key : {"Date", "Time"}) {
        auto* l = new QLabel(sbStatusBar_);
        l->setObjectName(QString::fromLatin1(key));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        sbStatusBar_->addPermanentWidget(l);
    }
    clockTimer_ = state_.services.clock.createTimer();
    clockTimer_->start(1000, true, [this] { updateClock(); });
    updateClock();
}

void frmMain::buildPanes() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);

    leftPane_ = new QWidget(central);
    leftPane_->setObjectName(QStringLiteral("pic(0)"));
    Frame1_ = new QGroupBox(QStringLiteral("Find"), leftPane_);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    optCat_[0] = new QRadioButton(QStringLiteral("In My Birds"), Frame1_);
    optCat_[0]->setObjectName(QStringLiteral("optCat(0)"));
    optCat_[1] = new QRadioButton(QStringLiteral("In Other Topics"), Frame1_);
    optCat_[1]->setObjectName(QStringLiteral("optCat(1)"));
    optCat_[0]->setChecked(true);
    for (int i = 0; i < 2; ++i) {
        connect(optCat_[i], &QRadioButton::clicked, this, [this, i] { optCat_Click(i); });
    }
    cmbSearchCategory_ = new QComboBox(Frame1_);
    cmbSearchCategory_->setObjectName(QStringLiteral("cmbSearchCategory"));
    cmbSearchCategory_->setEditable(false);
    connect(cmbSearchCategory_, &QComboBox::activated, this,
            [this](int) { cmbSearchCategory_Click(); });
    auto* frameLayout = new QVBoxLayout(Frame1_);
    frameLayout->addWidget(optCat_[0]);
    frameLayout->addWidget(optCat_[1]);
    frameLayout->addWidget(cmbSearchCategory_);

    tv1_ = new QTreeWidget(leftPane_);
    tv1_->setObjectName(QStringLiteral("tv1"));
    tv1_->setHeaderHidden(true);
    tv1_->setIconSize(QSize(16, 16));
    auto* leftLayout = new QVBoxLayout(leftPane_);
    leftLayout->setContentsMargins(4, 4, 4, 4);
    leftLayout->addWidget(Frame1_);
    leftLayout->addWidget(tv1_, 1);

    rightPane_ = new QWidget(central);
    rightPane_->setObjectName(QStringLiteral("pic(1)"));
    lbltitle_ = new QLabel(rightPane_);
    lbltitle_->setObjectName(QStringLiteral("lbltitle"));
    QFont titleFont = lbltitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    lbltitle_->setFont(titleFont);
    viewArea_ = new QFrame(rightPane_);
    viewArea_->setObjectName(QStringLiteral("pic(2)"));
    viewArea_->setFrameShape(QFrame::StyledPanel);
    rtb_ = new QTextEdit(viewArea_);
    rtb_->setObjectName(QStringLiteral("rtb"));
    rtb_->setReadOnly(true);
    picture_ = new QLabel(viewArea_);
    picture_->setObjectName(QStringLiteral("pic(3)"));
    picture_->hide();
    auto* viewLayout = new QVBoxLayout(viewArea_);
    viewLayout->addWidget(rtb_);
    fg1_ = new QTableWidget(rightPane_);
    fg1_->setObjectName(QStringLiteral("fg1"));
    fg1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fg1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    fg1_->verticalHeader()->hide();
    fg1_->hide();
    auto* rightLayout = new QVBoxLayout(rightPane_);
    rightLayout->setContentsMargins(4, 4, 4, 4);
    rightLayout->addWidget(lbltitle_);
    rightLayout->addWidget(viewArea_, 1);
    rightLayout->addWidget(fg1_, 1);

    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    leftPane_->setFixedWidth(twipsToPixels(4200, logicalDpiX()));
    layout->addWidget(leftPane_);
    layout->addWidget(rightPane_, 1);
}

QAction* frmMain::toolButton(const QString& key) const {
    return tbMain_->findChild<QAction*>(key, Qt::FindDirectChildrenOnly);
}

QLabel* frmMain::panel(const QString& key) const {
    return sbStatusBar_->findChild<QLabel*>(key, Qt::FindDirectChildrenOnly);
}

// Load and unload --------------------------------------------------------------

void frmMain::Form_Load() {
    fillCategories(kStartCategories);
    lbltitle_->setText(QStringLiteral("Welcome to Wingfolio"));
    setUpGrid();
    const Options o = state_.db().options();
    state_.SearchUrl = o.search;
    state_.HomeUrl = o.home;
    state_.ActiveRegion = o.region;
    state_.ActiveCountry = o.country;
    state_.ActiveState = o.state;
    state_.ActiveDistrict = o.district;
    CountLifeLists();
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

// Category box and option buttons ---------------------------------------------

void frmMain::fillCategories(const QStringList& items) {
    {
        const QSignalBlocker block(cmbSearchCategory_);
        cmbSearchCategory_->clear();
        cmbSearchCategory_->addItems(items);
        cmbSearchCategory_->setCurrentIndex(0);
    }
    cmbSearchCategory_Click();
}

void frmMain::optCat_Click(int index) {
    if (index == 0) {
        state_.CurrentCategory = QStringLiteral("Birds");
        fillCategories(
            {QStringLiteral("All Entries"), QStringLiteral("All Images"),
             QStringLiteral("All Articles"), QStringLiteral("All Internet Links"),
             QStringLiteral("All Sightings"), QStringLiteral("Region Life Sightings"),
             QStringLiteral("Country Life Sightings"), QStringLiteral("State Life Sightings"),
             QStringLiteral("District Life Sightings"), QStringLiteral("Custom Search")});
    } else if (index == 1) {
        state_.CurrentCategory = QStringLiteral("Topics");
        fillCategories({QStringLiteral("All Entries"), QStringLiteral("All Images"),
                        QStringLiteral("All Articles"), QStringLiteral("All Internet Links"),
                        QStringLiteral("Custom Search")});
    }
}

void frmMain::cmbSearchCategory_Click() {
    toolButton(QStringLiteral("Related"))->setEnabled(false);
    auto* expand = findChild<QAction*>(QStringLiteral("mnuEditExpand"));
    auto* collapse = findChild<QAction*>(QStringLiteral("mnuEditCollapse"));
    expand->setEnabled(false);
    collapse->setEnabled(false);
    const QString item = cmbSearchCategory_->currentText();
    if (item == QLatin1String("All Entries")) {
        if (optCat_[0]->isChecked()) {
            LoadTree();
        } else {
            LoadTopicTree();
        }
        expand->setEnabled(true);
        collapse->setEnabled(true);
    }
}

// Trees ---------------------------------------------------------------------

void frmMain::LoadTree() {
    tv1_->clear();
    auto* root = new QTreeWidgetItem(tv1_, {QStringLiteral("Birds of the World")});
    root->setData(0, Qt::UserRole, QStringLiteral("Birds"));
    root->setExpanded(true);
}

void frmMain::LoadTopicTree() {
    tv1_->clear();
    auto* root = new QTreeWidgetItem(tv1_, {QStringLiteral("Other Topics")});
    root->setData(0, Qt::UserRole, QStringLiteral("Topics"));
    root->setExpanded(true);
}

// Grid, life lists and clock ------------------------------------------------

void frmMain::setUpGrid() {
    const auto columns = parseGridFormat(kGridFormat);
    fg1_->setColumnCount(int(columns.size()));
    for (int c = 0; c < int(columns.size()); ++c) {
        auto* header = new QTableWidgetItem(columns[size_t(c)].header);
        header->setTextAlignment(columns[size_t(c)].alignment | Qt::AlignVCenter);
        fg1_->setHorizontalHeaderItem(c, header);
        const int width = c < 9 ? kGridWidths[c] : 1000;
        fg1_->setColumnWidth(c, twipsToPixels(width, logicalDpiX()));
        fg1_->setColumnHidden(c, width == 0);
    }
    fg1_->setRowCount(0);
}

void frmMain::CountLifeLists() {
    const Store& db = state_.db();
    const int world = db.lifeListCount(Area::World);
    panel(QStringLiteral("Life"))
        ->setText(world > 0 ? QStringLiteral("World List = %1").arg(world)
                            : QStringLiteral("World List "));
    struct AreaPanel {
        Area area;
        const char* key;
        const QString& place;
        const char* empty;
    };
    const AreaPanel areas[] = {
        {Area::Region, "Region", state_.ActiveRegion, "Region Life List "},
        {Area::Country, "Country", state_.ActiveCountry, "Country Life List "},
        {Area::State, "State", state_.ActiveState, "State Life List "},
        {Area::District, "District", state_.ActiveDistrict, "District Life List "},
    };
    for (const AreaPanel& a : areas) {
        const int n = db.lifeListCount(a.area, a.place);
        panel(QString::fromLatin1(a.key))
            ->setText(n > 0 ? a.place + QStringLiteral(" List = ") + QString::number(n)
                            : QString::fromLatin1(a.empty));
    }
}

void frmMain::updateClock() {
    const QDateTime now = state_.services.clock.now();
    const QLocale locale = QLocale::system();
    panel(QStringLiteral("Date"))->setText(locale.toString(now.date(), QLocale::ShortFormat));
    panel(QStringLiteral("Time"))->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

// Commands ------------------------------------------------------------------

void frmMain::mnuHelpAbout_Click() {
    frmAbout about(this);
    state_.services.dialogs.exec(about);
}

}  // namespace wf
