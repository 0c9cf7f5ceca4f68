// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's entry viewer: what a click on a node shows, and which
// commands it allows.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>

#include "AppError.h"
#include "BusyCursor.h"
#include "OutingPage.h"
#include "PictureView.h"
#include "Pictures.h"
#include "RichText.h"
#include "Tr.h"
#include "Twips.h"
#include "frmMain.h"

namespace wf {

namespace {

const QString kViewerSource = QStringLiteral("wingfolio.frmMain");

// The picture of an image entry, read from the Images folder.
QImage loadPicture(const DataFolder& folder, const QString& fname) {
    const std::optional<QString> path = folder.picturePath(fname);
    if (!path) {
        throw AppError(err::PathAccess, kViewerSource,
                       tr("The picture's file name \"%1\" leads outside the Images "
                          "folder.")
                           .arg(fname));
    }
    // A link in the Images folder could show a file from anywhere: never followed.
    if (QFileInfo(*path).isSymLink()) {
        throw AppError(err::PathAccess, kViewerSource,
                       tr("The picture's file %1 is a symbolic link, which Wingfolio "
                          "does not follow.")
                           .arg(*path));
    }
    if (!QFileInfo(*path).isFile()) {
        throw AppError(err::FileNotFound, kViewerSource, tr("File not found: %1").arg(*path));
    }
    QImageReader reader(*path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        throw AppError(err::InvalidPicture, kViewerSource,
                       tr("Invalid picture: %1 (%2)").arg(*path, reader.errorString()));
    }
    return image;
}

}  // namespace

void frmMain::clickNode(const QString& key) {
    const QModelIndex at = nodes().index(key);
    if (!at.isValid()) {
        return;
    }
    {
        const QScopedValueRollback quiet(quietTree_, true);
        nodes().setCurrent(key);
    }
    tv1_NodeClick(at);
}

void frmMain::tv1_NodeClick(const QModelIndex& node) {
    if (!node.isValid()) {
        return;
    }
    showNode(NodeTree::keyOf(node), node.data().toString(), node.parent().data().toString());
}

void frmMain::setEntryCommands(bool edit, bool del, bool related) {
    toolButton(QStringLiteral("Edit"))->setEnabled(edit);
    toolButton(QStringLiteral("Delete"))->setEnabled(del);
    toolButton(QStringLiteral("Related"))->setEnabled(related);
    menuItem(QStringLiteral("mnuEditEntry"))->setEnabled(edit);
    menuItem(QStringLiteral("mnuEditDelete"))->setEnabled(del);
}

void frmMain::forgetCurrentEntry() {
    setEntryCommands(false, false, false);
    state_.CurrentEntryKind.clear();
    state_.CurrentEntryId = 0;
}

void frmMain::removeNodeQuietly(const QString& key) {
    const QScopedValueRollback quiet(quietTree_, true);
    // The tree stays where it was: nothing selected, the removed node's
    // neighbour in view.
    const QString neighbour = nodes().neighbour(key);
    nodes().remove(key);
    nodes().setCurrent({});
    if (!neighbour.isEmpty()) {
        if (const QModelIndex at = nodes().index(neighbour); at.isValid()) {
            tv1()->scrollTo(at);
        }
    }
}

void frmMain::reportLoadError(long number, const QString& description) {
    // Damage met while reading is never shown as fewer rows: the journal is named.
    const QString where =
        number == err::DatabaseDamaged
            ? QStringLiteral(" Journal: ") + QDir::toNativeSeparators(state_.folder.journalPath())
            : QString();
    state_.services.messages.notify(
        tr("Error Loading Data. Error # ") + QString::number(number) + description + where,
        tr("Error loading Data"), MsgIcon::Exclamation);
}

void frmMain::showNode(const QString& key, const QString& text, const QString& parentText) {
    if (key.isEmpty()) {
        return;
    }
    const QChar kind = key.front();
    if (kind == u'T' || kind == u'B' || kind == u'F' ||
        kind == u'Y') {  // a subject, a root, a family or a year of outings
        setEntryCommands(false, false, false);
        if (thumbnailsOn() && (kind == u'T' || kind == u'B') && key.size() > 1 &&
            key[1].isDigit()) {
            showSubjectThumbnails(kind == u'B' ? Category::Birds : Category::Topics,
                                  key.mid(1).toLongLong(), text);
        } else if (thumbnailsOn() && key == QLatin1String("Birds") &&
                   treePane_->listName() == QLatin1String("All Images")) {
            showAllThumbnails();
        }
        return;
    }
    if (kind == u'O' && key != QLatin1String("Outings")) {
        // An outing can be deleted from its node; its sightings stay.
        setEntryCommands(false, true, false);
        state_.CurrentEntryKind = QStringLiteral("O");
        state_.CurrentEntryId = key.mid(1).toLongLong();
        showOuting(state_.CurrentEntryId, text);
        return;
    }
    if (key == QLatin1String("Outings")) {
        setEntryCommands(false, false, false);
        return;
    }
    // A bird's sightings can be edited row by row in the grid.
    setEntryCommands(true, true, false);
    try {
        bool ok = false;
        const qint64 id = key.mid(1).toLongLong(&ok);
        state_.CurrentEntryKind = QString(kind);
        if (!ok) {
            throw AppError(err::TypeMismatch, kViewerSource, tr("Type mismatch"));
        }
        state_.CurrentEntryId = id;
        const Store& db = state_.db();
        if (kind == u'S') {
            std::vector<qint64> rows = db.sightingIdsOf(id);
            if (rows.empty()) {
                state_.services.messages.notify(tr("Cannot Find the Information for this item."),
                                                tr("Missing Data"), MsgIcon::Exclamation);
                return;
            }
            decideRelated(kind, Category::Birds, id);
            // A first sighting's node says when and where: the title takes
            // the bird's own name.
            const QString list = treePane_->listName();
            const QString name = list == QLatin1String("First Sightings") ||
                                         list == QLatin1String("Photographed Species")
                                     ? db.subjectName(Category::Birds, id).value_or(text)
                                     : text;
            showSightings(std::move(rows), name, parentText);
            return;
        }
        const std::optional<Entry> e = db.entry(id);
        if (!e) {
            state_.services.messages.notify(tr("Cannot Find the Information for this item."),
                                            tr("Missing Data"), MsgIcon::Exclamation);
            return;
        }
        decideRelated(kind, categoryOf(e->catid), e->subid);
        if (kind == u'A') {
            showArticle(*e, text, parentText);
        } else if (kind == u'I') {
            showImage(*e, text, parentText);
        } else if (kind == u'L') {
            showLink(*e, text, parentText);
        }
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
    }
}

void frmMain::decideRelated(QChar kind, Category cat, qint64 subid) {
    if (treePane_->listName() == QLatin1String("All Entries")) {
        return;  // the tree shows the related entries already
    }
    QAction* related = toolButton(QStringLiteral("Related"));
    const Store& db = state_.db();
    if (kind == u'S') {
        related->setEnabled(db.entryCount(Category::Birds, subid) > 0);
        return;
    }
    related->setEnabled(db.entryCount(cat, subid) >= 2);
    if (cat == Category::Birds && db.hasSightings(subid)) {
        related->setEnabled(true);
    }
}

QString frmMain::entryTitle(const Entry& e, const QString& text, const QString& parentText,
                            const char* ownList) const {
    // In its own flat list and in a search an entry's node names it whole.
    const QString list = treePane_->listName();
    return list == QLatin1String("Custom Search") || list == QLatin1String(ownList)
               ? text
               : parentText + QStringLiteral(" : ") + e.title;
}

void frmMain::showArticle(const Entry& e, const QString& text, const QString& parentText) {
    showWeb(false);
    viewer_->showArticle(e.caption);
    viewer_->setTitle(entryTitle(e, text, parentText, "All Articles"));
}

void frmMain::showImage(const Entry& e, const QString& text, const QString& parentText) {
    const QImage picture = loadPicture(state_.folder, e.fname);
    showWeb(false);
    viewer_->showImage(picture);
    viewer_->setTitle(entryTitle(e, text, parentText, "All Images"));
}

void frmMain::showLink(const Entry& e, const QString& text, const QString& parentText) {
    viewer_->showNothing();
    showWeb(true);
    viewer_->setTitle(entryTitle(e, text, parentText, "All Internet Links"));
    if (WebPane* web = ensureWeb()) {
        web->load(QUrl::fromUserInput(e.fname));
    }
}

void frmMain::showSightings(std::vector<qint64> rows, const QString& text,
                            const QString& parentText) {
    showWeb(false);
    viewer_->setTitle((treePane_->listName() == QLatin1String("All Entries") ? parentText : text) +
                      tr(" Sighting History"));
    FillSightingGrid(std::move(rows));
    imgSplitter_->raise();
}

WebPane* frmMain::ensureWeb() {
    if (web_ == nullptr) {
        QString error;
        const bool unguarded = webSandboxOff();
        {
            const BusyCursor busy;  // the web engine loads
            web_ = createWebPane(central_, &error);
        }
        if (web_ != nullptr && unguarded) {
            // Said once, beside the counts, for a while.
            StatusPanel* note = panel(QStringLiteral("Web"));
            note->setPanelText(tr("The web pane runs without the web engine's sandbox."));
            note->show();
            noteTimer_ = state_.services.clock.createTimer();
            noteTimer_->start(kNoteMs, false, [this] {
                panel(QStringLiteral("Web"))->hide();
                fitStatusBar();
            });
            fitStatusBar();
        }
        if (web_ == nullptr) {
            state_.services.messages.notify(error, tr("Web Browser"), MsgIcon::Exclamation);
            return nullptr;
        }
        web_->widget()->setObjectName(QStringLiteral("webPane"));
        web_->widget()->hide();
        // The address box follows the page, links clicked inside it too.
        web_->onUrlChanged([this](const QUrl& url) { cmbAddress_->setEditText(url.toString()); });
        web_->onLoadFinished([this](bool) { cmbAddress_->setEditText(web_->url().toString()); });
        relayout();
    }
    return web_;
}

void frmMain::showWeb(bool visible) {
    if (visible) {
        viewer_->hideArea();  // the web view takes its place
        if (ensureWeb() != nullptr) {
            web_->widget()->show();
            web_->widget()->raise();
        }
        CoolBar1_->show();
        CoolBar1_->raise();
        imgSplitter_->raise();
    } else {
        if (web_ != nullptr) {
            web_->widget()->hide();
        }
        CoolBar1_->hide();
    }
}

QTextEdit* frmMain::rtb() const {
    return viewer_->text();
}

void frmMain::setUpGrid() {
    viewer_->setUpGrid();
}

void frmMain::FillSightingGrid(std::vector<qint64> rows) {
    std::unordered_set<qint64> photographed;
    try {
        if (state_.hasDatabase()) {
            photographed = state_.db().photographedSightings();
        }
    } catch (const AppError&) {
        // The rows show without their marks.
    }
    viewer_->showSightings(std::move(rows), [this](const std::vector<qint64>& ids) {
        return state_.hasDatabase() ? state_.db().sightingsWithIds(ids) : std::vector<Sighting>{};
    });
    fg1()->sightings()->setPhotographed(std::move(photographed));
}

void frmMain::showSightingPicture(int row) {
    try {
        const std::vector<qint64> pictures = state_.db().picturesOfSighting(fg1()->sightingId(row));
        if (pictures.empty()) {
            return;
        }
        const std::optional<Entry> e = state_.db().entry(pictures.front());
        if (!e) {
            return;
        }
        const QString bird = state_.db().subjectName(Category::Birds, e->subid).value_or(QString());
        showImage(*e, bird + QStringLiteral(" : ") + e->title, bird);
        viewer_->setTitle(bird + QStringLiteral(" : ") + e->title);
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
    }
}

}  // namespace wf

namespace wf {

// Subject pages -----------------------------------------------------------------

void frmMain::mnuViewSubjectPage_Click() {
    const QString key = nodes().currentKey();
    bool ok = false;
    const qint64 id = key.mid(1).toLongLong(&ok);
    try {
        // On a row of the sightings: the outing it was seen on, if any.
        if (viewer_->gridHasFocus()) {
            if (const qint64 sighting = fg1()->sightingId(fg1()->currentRow()); sighting != 0) {
                if (const std::optional<qint64> outing = state_.db().outingOf(sighting)) {
                    showOuting(*outing, QString());
                    return;
                }
            }
        }
        if (ok && (key.front() == u'B' || key.front() == u'S')) {
            showSubjectPage(Category::Birds, id);
            return;
        }
        if (ok && key.front() == u'T') {
            showSubjectPage(Category::Topics, id);
            return;
        }
        if (ok && (key.front() == u'A' || key.front() == u'I' || key.front() == u'L')) {
            if (const std::optional<Entry> e = state_.db().entry(id)) {
                showSubjectPage(e->catid == 2 ? Category::Topics : Category::Birds, e->subid);
                return;
            }
        }
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
        return;
    }
    state_.services.messages.notify(
        tr("Choose a bird or a topic in the list first: its page shows what the "
           "journal holds on it."),
        tr("Subject Page"), MsgIcon::Information);
}

void frmMain::showSubjectPage(Category cat, qint64 id) {
    std::optional<SubjectPageData> page;
    {
        const BusyCursor busy;
        page = subjectPage(state_.db(), cat, id);
    }
    if (!page) {
        state_.services.messages.notify(tr("Cannot Find the Information for this item."),
                                        tr("Missing Data"), MsgIcon::Exclamation);
        return;
    }
    forgetCurrentEntry();
    showWeb(false);
    const BusyCursor busy;  // the pictures' thumbnails are read
    viewer_->showPage(*page, state_.folder);
    viewer_->setTitle(page->name);
}

void frmMain::openEntryKey(const QString& key) {
    if (nodes().contains(key)) {
        clickNode(key);
        return;
    }
    // Not in the list shown: opened all the same, titled "subject : title"
    // or, in the flat lists, "subject title" as their nodes are.
    const std::optional<Entry> e = state_.db().entry(key.mid(1).toLongLong());
    const QString subject =
        e ? state_.db().subjectName(categoryOf(e->catid), e->subid).value_or(QString()) : QString();
    showNode(key, e ? subject + u' ' + e->title : QString(), subject);
}

void frmMain::tv1_ContextMenu(const QPoint& at) {
    const QString key = nodes().keyAt(at);
    bool ok = false;
    key.mid(1).toLongLong(&ok);
    if (!ok) {
        return;  // a root or a family
    }
    nodes().setCurrent(key);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuNode"));
    menu.addAction(menuItem(QStringLiteral("mnuViewSubjectPage")));
    menu.exec(tv1()->viewport()->mapToGlobal(at));
}

void frmMain::showOuting(qint64 id, const QString& title) {
    std::optional<OutingPageData> page;
    try {
        const BusyCursor busy;
        page = outingPage(state_.db(), id);
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
        return;
    }
    if (!page) {
        state_.services.messages.notify(tr("Cannot Find the Information for this item."),
                                        tr("Missing Data"), MsgIcon::Exclamation);
        return;
    }
    showWeb(false);
    const Outing& o = page->outing;
    const QString shownTitle =
        title.isEmpty() ? outingNodeText({o.id, o.date, o.site, int(page->species.size())}) : title;
    bool okLat = false;
    bool okLon = false;
    const double lat = o.latitude.toDouble(&okLat);
    const double lon = o.longitude.toDouble(&okLon);
    QHash<QString, QImage> images =
        thumbnailImages(page->filed, state_.folder, devicePixelRatioF());
    if (okLat && okLon) {
        images.insert(QStringLiteral("page:map"),
                      placesMap({PlaceDot{lat, lon, 1}}, devicePixelRatioF()));
    }
    viewer_->showHtml(outingPageHtml(*page), images);
    viewer_->setTitle(shownTitle);
}

// Thumbnails -------------------------------------------------------------------

bool frmMain::thumbnailsOn() const {
    return menuItem(QStringLiteral("mnuViewThumbnails"))->isChecked();
}

void frmMain::showAllThumbnails() {
    std::vector<ThumbnailModel::Item> items;
    try {
        for (const Entry& e : state_.db().picturesOf(state_.category())) {
            items.push_back(
                {e.id, e.title, state_.folder.picturePath(e.fname).value_or(QString())});
        }
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
        return;
    }
    showThumbnails(tr("All Images (%1)").arg(items.size()), std::move(items));
}

void frmMain::showSubjectThumbnails(Category cat, qint64 id, const QString& name) {
    std::vector<ThumbnailModel::Item> items;
    try {
        for (const EntrySummary& e : state_.db().entrySummaries(cat, id)) {
            if (e.type == kImage) {
                items.push_back(
                    {e.id, e.title, state_.folder.picturePath(e.fname).value_or(QString())});
            }
        }
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
        return;
    }
    showThumbnails(name, std::move(items));
}

void frmMain::showThumbnails(const QString& title, std::vector<ThumbnailModel::Item> items) {
    showWeb(false);
    viewer_->setTitle(title);
    viewer_->showThumbnails(std::move(items));
}

void frmMain::mnuViewThumbnails_Click(bool on) {
    if (state_.settings) {
        state_.settings->setValue(QStringLiteral("View/thumbnails"), on);
    }
    const QString key = nodes().currentKey();
    if (on && treePane_->listName() == QLatin1String("All Images")) {
        showAllThumbnails();
    } else if (!key.isEmpty()) {
        clickNode(key);
    } else if (!on) {
        viewer_->showNothing();
        viewer_->setTitle({});
    }
}

}  // namespace wf
