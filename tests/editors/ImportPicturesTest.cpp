// SPDX-License-Identifier: GPL-3.0-or-later
// Import Pictures from the main window: reviewed by the keyboard, stored at
// once, or nothing stored at all.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include "CameraJpeg.h"
#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "SightingGrid.h"
#include "ThumbnailGrid.h"

using namespace wf;
using namespace wf::test;

namespace {

const QDateTime kTaken(QDate(2026, 5, 3), QTime(7, 42, 10));

class ImportPicturesTest : public MainWindowFixture {
  protected:
    QString photo(const QString& name, QDateTime taken) {
        QImage img(48, 32, QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        CameraExif x;
        x.taken = taken;
        const QString path = tmp.file(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(jpegWithExif(img, x));
        return path;
    }
    void chooseFiles(const QStringList& paths) {
        dialogs.queue([paths](QDialog& d) {
            auto& files = static_cast<QFileDialog&>(d);
            EXPECT_EQ(files.fileMode(), QFileDialog::ExistingFiles);
            QStringList quoted;
            for (const QString& p : paths) {
                quoted << u'"' + QFileInfo(p).fileName() + u'"';
            }
            files.setDirectory(QFileInfo(paths.front()).dir());
            files.selectFile(quoted.join(u' '));
            static_cast<QDialog&>(files).accept();
        });
    }
    QStringList imagesFiles() {
        return QDir(dataDir() + QStringLiteral("/Images")).entryList(QDir::Files);
    }
};

TEST_F(ImportPicturesTest, FilesAreReviewedByTheKeyboardAndStoredAtOnce) {
    const qint64 mallard = birdId(QStringLiteral("Mallard"));
    const qint64 seen = addSighting(mallard, kTaken.date());
    const QString first = photo(QStringLiteral("IMG_0001.JPG"), kTaken);
    const QString second = photo(QStringLiteral("IMG_0002.JPG"), kTaken.addDays(-40));
    const QString bad = tmp.file(QStringLiteral("notes.jpg"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("no picture here");
    }
    const QStringList before = imagesFiles();
    frmMain& w = start();
    w.show();
    chooseFiles({first, second, bad});
    dialogs.queue([&](QDialog& d) {
        auto* table = d.findChild<QTableWidget*>("tblFiles");
        ASSERT_EQ(table->rowCount(), 3);
        EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("Mallard"));
        EXPECT_EQ(table->item(0, 6)->text(), QStringLiteral("ready"));
        EXPECT_EQ(table->item(1, 6)->text(), QStringLiteral("choose its bird"));
        EXPECT_TRUE(table->item(2, 6)->text().contains(QStringLiteral("is not a picture")));
        // The second row: its bird typed in the box below, a slip mended first.
        user::focus(table);
        user::key(&d, Qt::Key_Down);
        user::key(&d, Qt::Key_Tab);
        EXPECT_EQ(d.focusWidget(), d.findChild<QComboBox*>("cmbBird"));
        user::type(&d, QStringLiteral("Mallx"));
        user::key(&d, Qt::Key_Backspace);
        user::key(&d, Qt::Key_Tab);
        EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("Mallard"));
        EXPECT_EQ(table->item(1, 6)->text(), QStringLiteral("ready"));
        EXPECT_TRUE(table->item(1, 5)->text().startsWith(QStringLiteral("Mallard, ")));
        EXPECT_TRUE(d.findChild<QLabel*>("lblSummary")->text().contains(QStringLiteral("2 ready")));
        user::key(&d, Qt::Key_Return);
    });
    w.menuItem(QStringLiteral("mnuFileImportPictures"))->trigger();
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("2 pictures imported.")))
        << messages.last().text.toStdString();
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("notes.jpg: is not a picture")));
    Store& db = startup->state().db();
    const auto pictures = db.entryList(Category::Birds, kImage);
    ASSERT_EQ(pictures.size(), 2u);
    int tied = 0;
    for (const ListedEntry& p : pictures) {
        tied += db.sightingOfPicture(p.id) == seen ? 1 : 0;
        EXPECT_TRUE(db.pictureExif(p.id));
    }
    EXPECT_EQ(tied, 1);
    EXPECT_EQ(imagesFiles().size(), before.size() + 2);
}

TEST_F(ImportPicturesTest, EscapeStoresNothingAndLeavesNoFile) {
    addSighting(birdId(QStringLiteral("Mallard")), kTaken.date());
    const QString first = photo(QStringLiteral("IMG_0001.JPG"), kTaken);
    const QStringList before = imagesFiles();
    frmMain& w = start();
    w.show();
    chooseFiles({first});
    dialogs.queue([&](QDialog& d) {
        EXPECT_TRUE(d.findChild<QPushButton*>("cmdAccept")->isEnabled());
        user::key(&d, Qt::Key_Escape);
    });
    w.menuItem(QStringLiteral("mnuFileImportPictures"))->trigger();
    EXPECT_TRUE(startup->state().db().entryList(Category::Birds, kImage).empty());
    EXPECT_EQ(imagesFiles(), before);
}

}  // namespace

namespace {

TEST_F(ImportPicturesTest, APhotographedSightingIsMarkedInTheGridAndListed) {
    const qint64 mallard = birdId(QStringLiteral("Mallard"));
    addSighting(mallard, kTaken.date().addDays(-3));
    const qint64 seen = addSighting(mallard, kTaken.date());
    addSighting(birdId(QStringLiteral("Emu")), kTaken.date().addDays(-9));
    frmMain& w = start();
    w.show();
    chooseFiles({photo(QStringLiteral("IMG_0003.JPG"), kTaken)});
    dialogs.queue([&](QDialog& d) { user::key(&d, Qt::Key_Return); });
    w.menuItem(QStringLiteral("mnuFileImportPictures"))->trigger();
    Store& db = startup->state().db();
    ASSERT_EQ(db.picturesOfSighting(seen).size(), 1u);
    // The bird's sightings: the photographed one carries the mark.
    choose(w, QStringLiteral("All Entries"));
    w.clickNode(QStringLiteral("S%1").arg(mallard));
    SightingGrid* grid = w.fg1();
    ASSERT_EQ(grid->rowCount(), 2);
    int marked = -1;
    for (int r = 0; r < grid->rowCount(); ++r) {
        const QModelIndex at = grid->model()->index(r, SightingGridModel::kMarkColumn);
        if (!at.data(Qt::DecorationRole).isNull()) {
            EXPECT_EQ(grid->sightingId(r), seen);
            marked = r;
        }
    }
    ASSERT_GE(marked, 0);
    // Space on its row shows the picture.
    user::focus(grid);
    grid->setCurrentRow(marked);
    user::key(&w, Qt::Key_Space);
    EXPECT_TRUE(w.lbltitle()->text().startsWith(QStringLiteral("Mallard : Mallard, ")))
        << w.lbltitle()->text().toStdString();
    // The list of the birds photographed: the mallard alone.
    choose(w, QStringLiteral("Photographed Species"));
    EXPECT_EQ(w.nodes().childKeys(QStringLiteral("Birds")),
              QStringList{QStringLiteral("S%1").arg(mallard)});
    // Edit Picture unties it: the sighting box set to None by the keyboard.
    const qint64 picture = db.picturesOfSighting(seen).front();
    choose(w, QStringLiteral("All Images"));
    w.clickNode(QStringLiteral("I%1").arg(picture));
    dialogs.queue([&](QDialog& d) {
        auto* box = d.findChild<QComboBox*>("cmbSighting");
        ASSERT_TRUE(box->isVisible());
        EXPECT_EQ(box->currentData().toLongLong(), seen);
        user::focus(box);
        user::key(&d, Qt::Key_Home);
        EXPECT_EQ(box->currentData().toLongLong(), 0);
        user::key(&d, Qt::Key_Return);
    });
    w.menuItem(QStringLiteral("mnuEditEntry"))->trigger();
    EXPECT_FALSE(db.sightingOfPicture(picture));
    EXPECT_TRUE(db.picturesOfSighting(seen).empty());
}

}  // namespace

namespace {

TEST_F(ImportPicturesTest, PicturesShowAsThumbnailsThatArriveAndOpen) {
    const qint64 mallard = birdId(QStringLiteral("Mallard"));
    std::vector<qint64> ids;
    for (int i = 0; i < 3; ++i) {
        const QString name = QStringLiteral("Mallard %1.jpg").arg(i);
        writePicture(name, QSize(300 + 100 * i, 200), QColor::fromHsv(i * 100, 200, 200));
        ids.push_back(
            addEntry(Category::Birds, mallard, kImage, QStringLiteral("Duck %1").arg(i), name));
    }
    frmMain& w = start();
    w.show();
    choose(w, QStringLiteral("All Images"));
    user::focus(w.tv1());
    user::key(&w, Qt::Key_G, Qt::ControlModifier);
    auto* grid = w.findChild<ThumbnailGrid*>(QStringLiteral("lstThumbnails"));
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->isVisible());
    ASSERT_EQ(grid->model()->rowCount(), 3);
    // They arrive from the workers while the window goes on.
    QTRY_COMPARE_WITH_TIMEOUT(grid->thumbnails()->arrived(), 3, 10000);
    EXPECT_FALSE(grid->model()->index(2, 0).data(Qt::DecorationRole).value<QPixmap>().isNull());
    // Enter on one opens its picture; Ctrl+G again puts the grid away.
    user::focus(grid);
    grid->setCurrentIndex(grid->model()->index(1, 0));
    user::key(&w, Qt::Key_Return);
    EXPECT_TRUE(w.lbltitle()->text().contains(QStringLiteral("Duck 1")))
        << w.lbltitle()->text().toStdString();
    EXPECT_FALSE(grid->isVisible());
    user::key(&w, Qt::Key_G, Qt::ControlModifier);
    EXPECT_FALSE(w.menuItem(QStringLiteral("mnuViewThumbnails"))->isChecked());
}

}  // namespace

namespace {

// Files dropped on a window, as a file manager drops them.
void dropFiles(QWidget* on, const QStringList& paths, QPoint where = QPoint(-1, -1)) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) {
        urls << QUrl::fromLocalFile(p);
    }
    data.setUrls(urls);
    const QPointF at =
        where.x() < 0 ? QPointF(on->width() / 2.0, on->height() / 2.0) : QPointF(where);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(on, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(on, &drop);
}

TEST_F(ImportPicturesTest, FilesDroppedOnTheImageEditorAreImportedForTheBirdTyped) {
    const qint64 mallard = birdId(QStringLiteral("Mallard"));
    const QString file = photo(QStringLiteral("IMG_0009.JPG"), kTaken);  // no sighting that day
    frmMain& w = start();
    w.show();
    dialogs.queue([&](QDialog& d) {
        user::focus(d.findChild<QComboBox*>("cmbSub"));
        user::type(&d, QStringLiteral("Mallard"));
        dropFiles(&d, {file});
        EXPECT_FALSE(d.isVisible());
    });
    bool reviewed = false;
    dialogs.queue([&](QDialog& d) {
        reviewed = true;
        auto* table = d.findChild<QTableWidget*>("tblFiles");
        EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("Mallard"));
        user::key(&d, Qt::Key_Return);
    });
    user::key(&w, Qt::Key_I, Qt::ControlModifier);
    QTRY_VERIFY(reviewed);
    const auto pictures = startup->state().db().entryList(Category::Birds, kImage);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(startup->state().db().entry(pictures[0].id)->subid, mallard);
}

}  // namespace

namespace {

TEST_F(ImportPicturesTest, FilesDroppedOnABirdsNodeAreProposedForThatBird) {
    const qint64 emu = birdId(QStringLiteral("Emu"));
    addSighting(emu, QDate(2020, 1, 1));
    const QString file = photo(QStringLiteral("IMG_0010.JPG"), kTaken);
    frmMain& w = start();
    w.show();
    bool reviewed = false;
    dialogs.queue([&](QDialog& d) {
        reviewed = true;
        EXPECT_EQ(d.findChild<QTableWidget*>("tblFiles")->item(0, 3)->text(),
                  QStringLiteral("Emu"));
        d.reject();
    });
    const NodeRef node = findNode(w.nodes(), QStringLiteral("B%1").arg(emu));
    ASSERT_TRUE(node);
    dropFiles(w.tv1()->viewport(), {file}, node.rect().center());
    QTRY_VERIFY(reviewed);
    EXPECT_TRUE(startup->state().db().entryList(Category::Birds, kImage).empty());
}

}  // namespace
