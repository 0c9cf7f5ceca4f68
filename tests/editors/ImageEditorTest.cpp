// SPDX-License-Identifier: GPL-3.0-or-later
#include <SQLiteCpp/SQLiteCpp.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "frmPic.h"

using namespace wf;
using namespace wf::test;

namespace {

QImage redOverBlue(int w = 60, int h = 40) {
    QImage pic(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            pic.setPixel(x, y, y < h / 2 ? qRgb(220, 20, 20) : qRgb(20, 20, 220));
        }
    }
    return pic;
}

class ImageEditorTest : public MainWindowFixture {
  protected:
    static void paste(QDialog& d) {
        QTest::mouseClick(d.findChild<QLabel*>("lblClick"), Qt::LeftButton);
    }
    static void name(QDialog& d, const QString& subject, const QString& title) {
        d.findChild<QComboBox*>("cmbSub")->lineEdit()->setText(subject);
        d.findChild<QLineEdit*>("txtTitle")->setText(title);
    }
    static void save(QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    }
    QString images() const { return dataDir() + "/Images"; }
    QStringList imageFiles() const { return QDir(images()).entryList(QDir::Files); }
};

}  // namespace

TEST_F(ImageEditorTest, PastedPictureIsStoredUnderTheNamingRule) {
    clipboard.setImage(redOverBlue());
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Add a New Image"));
        auto* saveButton = d.findChild<QPushButton*>("cmdSave");
        EXPECT_FALSE(saveButton->isEnabled());
        EXPECT_FALSE(d.findChild<QPushButton*>("cmdClear")->isEnabled());
        paste(d);
        EXPECT_TRUE(saveButton->isEnabled());
        EXPECT_FALSE(d.findChild<QLabel*>("lblClick")->isVisible());
        EXPECT_EQ(d.findChild<QLabel*>("Picture2")->size(), QSize(60, 40));
        name(d, "Emu", "Nest  ");
        save(d);
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Image")->trigger();
    ASSERT_TRUE(messages.shown().empty()) << messages.last().text.toStdString();
    const auto list = startup->state().db().entryList(Category::Birds, kImage);
    ASSERT_EQ(list.size(), 1u);
    const Entry e = *startup->state().db().entry(list[0].id);
    EXPECT_EQ(e.fname, QStringLiteral("Emu Nest  _%1.jpg").arg(e.id));
    EXPECT_EQ(e.caption, QString());
    EXPECT_EQ(e.subid, birdId("Emu"));
    const QImage back(images() + "/" + e.fname);
    ASSERT_EQ(back.size(), QSize(60, 40));
    EXPECT_GT(qRed(back.pixel(30, 5)), 150);  // upright: red on top
    EXPECT_GT(qBlue(back.pixel(30, 35)), 150);
    EXPECT_TRUE(w.nodes().contains(QStringLiteral("I%1").arg(e.id)));
    EXPECT_EQ(findNode(w.nodes(), QStringLiteral("I%1").arg(e.id))->parent(),
              findNode(w.nodes(), QStringLiteral("B%1").arg(e.subid)));
    EXPECT_TRUE(w.picture()->isVisible());
    EXPECT_EQ(w.picture()->size(), QSize(60, 40));
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Emu : Nest  "));
}

TEST_F(ImageEditorTest, NoPictureOrATinyOneChangesNothing) {
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        paste(d);
        EXPECT_EQ(messages.last().text,
                  QStringLiteral("No picture in memory. Make sure you have properly copied a "
                                 "picture into the Windows Clipboard."));
        EXPECT_EQ(messages.last().title, QStringLiteral("Error Pasting Image"));
        clipboard.setImage(redOverBlue(3, 40));  // under 50 twips wide
        paste(d);
        EXPECT_FALSE(d.findChild<QPushButton*>("cmdSave")->isEnabled());
        EXPECT_TRUE(d.findChild<QLabel*>("lblClick")->isVisible());
        clipboard.setImage(redOverBlue());
        paste(d);
        EXPECT_TRUE(d.findChild<QPushButton*>("cmdSave")->isEnabled());
        QTest::mouseClick(d.findChild<QPushButton*>("cmdClear"), Qt::LeftButton);
        EXPECT_FALSE(d.findChild<QPushButton*>("cmdSave")->isEnabled());
        EXPECT_TRUE(d.findChild<QLabel*>("lblClick")->isVisible());
        d.reject();
    });
    w.menuItem("mnuFileNewImage")->trigger();
    EXPECT_TRUE(imageFiles().isEmpty());
}

TEST_F(ImageEditorTest, ExistingFileIsReplacedOnlyOnYes) {
    journal();  // makes the data folder and its Images folder
    writeAll(images() + "/Emu Nest_1.jpg", "kept picture");
    clipboard.setImage(redOverBlue());
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        paste(d);
        name(d, "Emu", "Nest");
        messages.queue(MsgAnswer::No);
        save(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(messages.last().text,
                  QStringLiteral("Failed to save the picture to the file: '") + images() +
                      "/Emu Nest_1.jpg'");
        EXPECT_EQ(readAll(images() + "/Emu Nest_1.jpg"), QByteArray("kept picture"));
        EXPECT_EQ(startup->state().db().rowCount("data"), 0);
        messages.queue(MsgAnswer::Yes);
        save(d);
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Image")->trigger();
    EXPECT_FALSE(QImage(images() + "/Emu Nest_1.jpg").isNull());
    EXPECT_EQ(startup->state().db().rowCount("data"), 1);
}

TEST_F(ImageEditorTest, SlashInANameFailsWithTheWritersErrorAndWritesNothingOutside) {
    clipboard.setImage(redOverBlue());
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        paste(d);
        name(d, "New ../../Bird", "Male/Female");
        save(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("Image Error # 26001\n\n")))
            << messages.last().text.toStdString();
        EXPECT_EQ(messages.last().title, QStringLiteral("Image Error"));
        messages.queue(MsgAnswer::Yes);  // discard
        d.reject();
    });
    w.toolButton("Image")->trigger();
    EXPECT_EQ(startup->state().db().rowCount("data"), 0);
    // The subject made on the fly stays; nothing was written anywhere.
    EXPECT_TRUE(startup->state().db().findSubject(Category::Birds, "New ../../Bird"));
    EXPECT_TRUE(imageFiles().isEmpty());
    // The journal and the lock the running program holds on it, nothing more.
    EXPECT_EQ(QDir(dataDir()).entryList(QDir::Files),
              (QStringList{"aviary.mdb", "aviary.mdb.lock"}));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList());
}

TEST_F(ImageEditorTest, NodesUnderAllImagesAndForABirdSeenOnly) {
    const qint64 emu = birdId("Emu");
    addSighting(emu, QDate(2022, 2, 2));
    clipboard.setImage(redOverBlue());
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        paste(d);
        name(d, "Emu", "First");
        save(d);
    });
    w.toolButton("Image")->trigger();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(findNode(w.nodes(), QStringLiteral("B%1").arg(emu))->childCount(), 2);
    choose(w, "All Images");
    dialogs.queue([&](QDialog& d) {
        paste(d);
        name(d, "Emu", "Second");
        save(d);
    });
    w.toolButton("Image")->trigger();
    const NodeRef root = findNode(w.nodes(), "Birds");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(1)->text(0), QStringLiteral("Emu Second"));
}

TEST_F(ImageEditorTest, EditModeChangesOnlyTheTitle) {
    const qint64 emu = birdId("Emu");
    const qint64 id = addEntry(Category::Birds, emu, kImage, "Old", "emu-old.jpg");
    writePicture("emu-old.jpg", QSize(30, 20));
    const QByteArray before = readAll(images() + "/emu-old.jpg");
    frmMain& w = start();
    w.clickNode(QStringLiteral("I%1").arg(id));
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Editing Image Title"));
        EXPECT_FALSE(d.findChild<QComboBox*>("cmbSub")->isEnabled());
        EXPECT_FALSE(d.findChild<QPushButton*>("cmdClear")->isEnabled());
        EXPECT_TRUE(d.findChild<QPushButton*>("cmdSave")->isEnabled());
        EXPECT_EQ(static_cast<frmPic&>(d).picture().size(), QSize(30, 20));
        d.findChild<QLineEdit*>("txtTitle")->setText("New");
        save(d);
    });
    w.toolButton("Edit")->trigger();
    const Entry e = *startup->state().db().entry(id);
    EXPECT_EQ(e.title, QStringLiteral("New"));
    EXPECT_EQ(e.fname, QStringLiteral("emu-old.jpg"));
    EXPECT_EQ(readAll(images() + "/emu-old.jpg"), before);
    EXPECT_EQ(findNode(w.nodes(), QStringLiteral("I%1").arg(id))->text(0), QStringLiteral("New"));
    EXPECT_FALSE(startup->state().EditMode);
}

TEST_F(ImageEditorTest, MissingFileInEditModeStillLetsTheTitleChange) {
    const qint64 id = addEntry(Category::Birds, birdId("Emu"), kImage, "Gone", "gone.jpg");
    frmMain& w = start();
    startup->state().CurrentEntryKind = "I";
    startup->state().CurrentEntryId = id;
    dialogs.queue([&](QDialog& d) {
        EXPECT_TRUE(static_cast<frmPic&>(d).picture().isNull());
        EXPECT_EQ(messages.last().icon, MsgIcon::Information);
        d.findChild<QLineEdit*>("txtTitle")->setText("Still here");
        save(d);
    });
    w.menuItem("mnuEditEntry")->setEnabled(true);
    w.menuItem("mnuEditEntry")->trigger();
    EXPECT_EQ(startup->state().db().entry(id)->title, QStringLiteral("Still here"));
}

TEST_F(ImageEditorTest, ALargePictureIsShownWholeAndStoredWhole) {
    frmMain& w = start();
    QImage photo(2400, 1800, QImage::Format_RGB32);
    photo.fill(qRgb(90, 140, 200));
    clipboard.setImage(photo);
    dialogs.queue([&](QDialog& d) {
        QTest::mouseClick(d.findChild<QLabel*>("lblClick"), Qt::LeftButton);
        auto& pic = static_cast<frmPic&>(d);
        const QWidget* area = d.findChild<QFrame*>("Picture1");
        const QSize shown = d.findChild<QLabel*>("Picture2")->size();
        EXPECT_LE(shown.width(), area->width());
        EXPECT_LE(shown.height(), area->height());
        EXPECT_NEAR(double(shown.width()) / shown.height(), 4.0 / 3.0, 0.02);
        EXPECT_EQ(pic.picture().size(), QSize(2400, 1800));
        d.reject();
    });
    w.toolButton("Image")->trigger();
}

TEST_F(ImageEditorTest, ACommitThatFailsLeavesThePictureItWouldHaveReplaced) {
    frmMain& w = start();
    // The next entry is number 1: a picture of that name is already there.
    QDir().mkpath(images());
    writeAll(images() + "/Emu Nest_1.jpg", "the old photograph");
    clipboard.setImage(redOverBlue(60, 40));
    // Another program reads the journal all the while: the save cannot commit.
    SQLite::Database reader((dataDir() + "/aviary.mdb").toStdString(), SQLite::OPEN_READONLY);
    reader.exec("BEGIN");
    reader.execAndGet("SELECT count(*) FROM birds");
    dialogs.queue([&](QDialog& d) {
        paste(d);
        name(d, "Emu", "Nest");
        messages.queue(MsgAnswer::Yes);  // replace the file
        save(d);
        EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("Image Error # ")))
            << messages.last().text.toStdString();
        // The picture not stored is still there to save: closing asks first.
        d.reject();
        EXPECT_EQ(messages.last().text, QStringLiteral("Discard your changes?"));
        EXPECT_TRUE(d.isVisible());
        messages.queue(MsgAnswer::Yes);
        d.reject();
    });
    w.toolButton("Image")->trigger();
    reader.exec("ROLLBACK");
    EXPECT_EQ(readAll(images() + "/Emu Nest_1.jpg"), QByteArray("the old photograph"));
    EXPECT_EQ(QDir(images()).entryList(QDir::Files | QDir::Hidden), QStringList{"Emu Nest_1.jpg"});
    EXPECT_EQ(startup->state().db().rowCount("data"), 0);
}

TEST_F(ImageEditorTest, SymbolicLinksInTheImagesFolderAreNeverFollowed) {
    const qint64 emu = birdId("Emu");
    QDir().mkpath(images());
    const QString outside = tmp.file("outside.jpg");
    ASSERT_TRUE(redOverBlue(40, 30).save(outside, "JPG"));
    const qint64 viaLink = addEntry(Category::Birds, emu, kImage, "Link", "link.jpg");
    ASSERT_TRUE(QFile::link(outside, images() + "/link.jpg"));
    const qint64 viaCase = addEntry(Category::Birds, emu, kImage, "Case", "Case.jpg");
    ASSERT_TRUE(QFile::link(outside, images() + "/case.jpg"));
    frmMain& w = start();
    // Reading: the viewer says what is wrong, as for any unreadable picture.
    w.clickNode(QStringLiteral("I%1").arg(viaLink));
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("Error Loading Data. Error # 75")));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("symbolic link")));
    EXPECT_FALSE(w.picture()->isVisible() && !w.picture()->pixmap().isNull());
    // The lookup that ignores letter case does not pick a link either.
    messages.clear();
    w.clickNode(QStringLiteral("I%1").arg(viaCase));
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("not found")))
        << messages.last().text.toStdString();
    // Writing: a dangling link holding the new picture's name is refused.
    const QString target = tmp.file("written-outside.jpg");
    const qint64 next = startup->state().db().rowCount("data") + 1;
    ASSERT_TRUE(QFile::link(target, images() + QStringLiteral("/Emu Nest_%1.jpg").arg(next)));
    clipboard.setImage(redOverBlue(60, 40));
    dialogs.queue([&](QDialog& d) {
        paste(d);
        name(d, "Emu", "Nest");
        save(d);
        EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("Image Error # 26001")))
            << messages.last().text.toStdString();
        messages.queue(MsgAnswer::Yes);  // discard
        d.reject();
    });
    w.toolButton("Image")->trigger();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(startup->state().db().rowCount("data"), 2);
}

// The whole editor from the keyboard: the subject, Tab, the title, Tab to
// the paste area (which shows it has the focus), Ctrl+V, Enter.
TEST_F(ImageEditorTest, APictureIsPastedAndSavedFromTheKeyboard) {
    clipboard.setImage(redOverBlue());
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        user::focus(d.findChild<QComboBox*>("cmbSub"));
        user::type(&d, QStringLiteral("Emu"));
        user::key(&d, Qt::Key_Tab);
        user::type(&d, QStringLiteral("Nest"));
        // Ctrl+V in the title pastes text there, not the picture.
        user::key(&d, Qt::Key_Tab);
        auto* area = d.findChild<QFrame*>("Picture1");
        ASSERT_EQ(QApplication::focusWidget(), area);
        EXPECT_EQ(area->lineWidth(), 3);
        user::key(&d, Qt::Key_V, Qt::ControlModifier);
        EXPECT_FALSE(d.findChild<QLabel*>("lblClick")->isVisible());
        EXPECT_TRUE(d.findChild<QPushButton*>("cmdSave")->isEnabled());
        // Clear, and Shift+Insert pastes it again.
        user::click(d.findChild<QPushButton*>("cmdClear"));
        user::focus(area);
        user::key(&d, Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_TRUE(d.findChild<QPushButton*>("cmdSave")->isEnabled());
        user::key(&d, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Image")->trigger();
    const auto list = startup->state().db().entryList(Category::Birds, kImage);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(startup->state().db().entry(list[0].id)->title, QStringLiteral("Nest"));
    // The picture just saved is selected and shown.
    EXPECT_EQ(w.nodes().currentKey(), QStringLiteral("I%1").arg(list[0].id));
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Emu : Nest"));
}
