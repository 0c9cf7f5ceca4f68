// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "GuiDoubles.h"
#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "frmSubject.h"

using namespace wf;
using namespace wf::test;

namespace {

class SubjectEditorTest : public MainWindowFixture {
  protected:
    static void choose(QDialog& d, const QString& name) {
        auto* box = d.findChild<QComboBox*>("cmbSubject");
        const int i = box->findText(name);
        ASSERT_GE(i, 0);
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    static void type(QDialog& d, const QString& text) {
        d.findChild<QComboBox*>("cmbSubject")->lineEdit()->setText(text);
    }
    static void click(QDialog& d, const char* button) {
        QTest::mouseClick(d.findChild<QPushButton*>(button), Qt::LeftButton);
    }
};

}  // namespace

TEST_F(SubjectEditorTest, RenamesTheChosenBirdAndRebuildsTheTree) {
    const qint64 emu = birdId("Emu");
    addSighting(emu, QDate(2020, 1, 1));
    frmMain& w = start();
    dialogs.queue([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Edit Subject Text"));
        EXPECT_EQ(d.findChild<QLabel*>("lbl")->text(), QStringLiteral("Birds of the World"));
        choose(d, "Emu");
        EXPECT_EQ(d.findChild<QLabel*>("lblRenaming")->text(),
                  QStringLiteral("Renaming \u201cEmu\u201d to:"));
        type(d, "Emu \"the tall\"");
        click(d, "cmdSave");
    });
    messages.queue(MsgAnswer::Yes);
    w.menuItem("mnuEditSubject")->trigger();
    EXPECT_EQ(messages.shown().front().text,
              QStringLiteral("Rename \u201cEmu\u201d to \u201cEmu \"the tall\"\u201d?"));
    EXPECT_EQ(messages.last().text, QStringLiteral("Subject Saved"));
    EXPECT_EQ(messages.last().title, QStringLiteral("Subject Text Saved"));
    EXPECT_EQ(startup->state().db().subjectName(Category::Birds, emu),
              QStringLiteral("Emu \"the tall\""));
    EXPECT_EQ(findNode(w.nodes(), QStringLiteral("B%1").arg(emu))->text(0),
              QStringLiteral("Emu \"the tall\""));
}

TEST_F(SubjectEditorTest, WithoutChoosingTheFirstSubjectIsRenamed) {
    const QString first = journal().subjects(Category::Birds).front().name;
    const qint64 id = journal().subjects(Category::Birds).front().id;
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(static_cast<frmSubject&>(d).selectedId(), id);
        type(d, "Renamed first");
        click(d, "cmdSave");
    });
    messages.queue(MsgAnswer::Yes);
    w.menuItem("mnuEditSubject")->trigger();
    EXPECT_EQ(startup->state().db().subjectName(Category::Birds, id),
              QStringLiteral("Renamed first"));
    EXPECT_NE(first, QStringLiteral("Renamed first"));
}

TEST_F(SubjectEditorTest, DeleteAsksOnceNamingWhatGoesAndTakesAllOrNothing) {
    const qint64 emu = birdId("Emu");
    for (const char* title : {"One", "Two", "Three"}) {
        addEntry(Category::Birds, emu, kArticle, title, " ", "{\\rtf1 a}");
    }
    addEntry(Category::Birds, emu, kImage, "Nest", "Emu Nest_4.jpg");
    writePicture("Emu Nest_4.jpg", QSize(8, 8));
    addEntry(Category::Birds, emu, kLink, "Page", "https://example.org/emu");
    for (int i = 0; i < 14; ++i) {
        addSighting(emu, QDate(2020, 1, 1 + i));
    }
    frmMain& w = start();
    Store& db = startup->state().db();
    // Cancel: nothing at all is deleted.
    dialogs.queue([](QDialog& d) {
        choose(d, "Emu");
        click(d, "cmdDelete");
        EXPECT_TRUE(d.isVisible());
        d.reject();
    });
    w.menuItem("mnuEditSubject")->trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    const MessageRequest& q = messages.shown()[0];
    EXPECT_EQ(q.text, QStringLiteral("Delete \u201cEmu\u201d with 3 articles, 1 picture, 1 link "
                                     "and 14 sightings?"));
    EXPECT_EQ(q.title, QStringLiteral("Delete Subject"));
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.yesText, QStringLiteral("&Delete"));
    EXPECT_EQ(q.noText, QStringLiteral("&Cancel"));
    EXPECT_TRUE(q.noIsDefault);
    EXPECT_EQ(db.entryCount(Category::Birds, emu), 5);
    EXPECT_EQ(db.sightingsOf(emu).size(), 14u);
    EXPECT_TRUE(db.subjectName(Category::Birds, emu));

    // Delete: the entries, the sightings and the bird go; the picture file stays.
    messages.queue(MsgAnswer::Yes);
    dialogs.queue([](QDialog& d) {
        choose(d, "Emu");
        click(d, "cmdDelete");
    });
    w.menuItem("mnuEditSubject")->trigger();
    EXPECT_EQ(db.entryCount(Category::Birds, emu), 0);
    EXPECT_TRUE(db.sightingsOf(emu).empty());
    EXPECT_FALSE(db.subjectName(Category::Birds, emu));
    EXPECT_FALSE(w.nodes().contains(QStringLiteral("B%1").arg(emu)));
    EXPECT_TRUE(QFile::exists(dataDir() + "/Images/Emu Nest_4.jpg"));
}

TEST_F(SubjectEditorTest, ATakenNameTypedMergesTheChosenSubjectIntoIt) {
    const qint64 guillemot = birdId("Black Guillemot");
    const qint64 puffin = birdId("Atlantic Puffin");
    const qint64 guillemotSighting = addSighting(guillemot, QDate(2020, 1, 1));
    const qint64 puffinSighting = addSighting(puffin, QDate(2021, 1, 1));
    const qint64 article = addEntry(Category::Birds, guillemot, kArticle, "Cliffs", " ", "{a}");
    frmMain& w = start();
    // The questions are real boxes that take the focus, as they do for a user.
    answerWithRealBoxes(messages);
    const auto typeOver = [](QDialog& d, const QString& text) {
        auto* box = d.findChild<QComboBox*>("cmbSubject");
        user::focus(box);
        box->lineEdit()->selectAll();
        user::type(&d, text);
    };
    // Enter, then No to the merge: nothing changes, and the subject being
    // renamed is still the one chosen.
    dialogs.queue([&](QDialog& d) {
        choose(d, "Black Guillemot");
        typeOver(d, "Atlantic Puffin");
        messages.queue(MsgAnswer::No);
        user::key(&d, Qt::Key_Return);
        EXPECT_TRUE(messages.last().text.startsWith(
            QStringLiteral("There is already a subject \u201cAtlantic Puffin\u201d.")));
        EXPECT_EQ(static_cast<frmSubject&>(d).selectedId(), guillemot);
        EXPECT_EQ(d.findChild<QLabel*>("lblRenaming")->text(),
                  QStringLiteral("Renaming \u201cBlack Guillemot\u201d to:"));
        // Tab away and back: still the same subject.
        user::key(&d, Qt::Key_Tab);
        EXPECT_EQ(static_cast<frmSubject&>(d).selectedId(), guillemot);
        // Save clicked with the focus in the box, and Yes to the merge.
        typeOver(d, "Atlantic Puffin");
        messages.queue(MsgAnswer::Yes);
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    w.menuItem("mnuEditSubject")->trigger();
    Store& db = startup->state().db();
    EXPECT_FALSE(db.subjectName(Category::Birds, guillemot));
    ASSERT_TRUE(db.subjectName(Category::Birds, puffin));
    // Every sighting and entry of both is under the subject that is left.
    ASSERT_TRUE(db.sighting(guillemotSighting) && db.sighting(puffinSighting));
    EXPECT_EQ(db.sighting(guillemotSighting)->birdid, puffin);
    EXPECT_EQ(db.sighting(puffinSighting)->birdid, puffin);
    ASSERT_TRUE(db.entry(article));
    EXPECT_EQ(db.entry(article)->subid, puffin);
    EXPECT_EQ(db.sightingsOf(puffin).size(), 2u);
}

TEST_F(SubjectEditorTest, EscapeWithANewNameTypedAsksFirst) {
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        choose(d, "Emu");
        user::key(&d, Qt::Key_Escape);  // nothing typed: closes at once
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(messages.shown().empty());
    });
    w.menuItem("mnuEditSubject")->trigger();
    dialogs.queue([&](QDialog& d) {
        choose(d, "Emu");
        auto* box = d.findChild<QComboBox*>("cmbSubject");
        user::focus(box);
        box->lineEdit()->selectAll();
        user::type(&d, QStringLiteral("Emu the tall"));
        messages.queue(MsgAnswer::No);  // Keep Editing
        user::key(&d, Qt::Key_Escape);
        EXPECT_EQ(messages.last().text, QStringLiteral("Discard your changes?"));
        EXPECT_EQ(messages.last().noText, QStringLiteral("&Keep Editing"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(box->currentText(), QStringLiteral("Emu the tall"));
        messages.queue(MsgAnswer::Yes);  // Discard
        user::key(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    w.menuItem("mnuEditSubject")->trigger();
    EXPECT_TRUE(startup->state().db().findSubject(Category::Birds, "Emu"));
}

TEST_F(SubjectEditorTest, TopicWithoutEntriesGoesAtOnceAndEmptyListsAreRefused) {
    frmMain& w = start();
    auto* topics = w.findChild<QRadioButton*>("optCat(1)");
    QTest::mouseClick(topics, Qt::LeftButton, {}, QPoint(8, topics->height() / 2));
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>("lbl")->text(), QStringLiteral("Other Topics"));
        click(d, "cmdSave");
        EXPECT_EQ(messages.last().text, QStringLiteral("There is no subject to change."));
        click(d, "cmdDelete");
        EXPECT_EQ(messages.last().text, QStringLiteral("There is no subject to delete."));
        d.reject();
    });
    w.menuItem("mnuEditSubject")->trigger();

    startup->state().db().addSubject(Category::Topics, "Lonely");
    messages.clear();
    dialogs.queue([](QDialog& d) {
        type(d, "   ");
        click(d, "cmdSave");
        EXPECT_TRUE(d.isVisible());
        click(d, "cmdDelete");
    });
    w.menuItem("mnuEditSubject")->trigger();
    ASSERT_EQ(messages.shown().size(), 1u);  // the blank name, and no question
    EXPECT_EQ(startup->state().db().rowCount("topics"), 0);
}

TEST_F(SubjectEditorTest, NoToTheRenameQuestionChangesNothing) {
    const qint64 emu = birdId("Emu");
    frmMain& w = start();
    dialogs.queue([](QDialog& d) {
        choose(d, "Emu");
        type(d, "Abbott's Babbler II");
        click(d, "cmdSave");
    });
    messages.queue(MsgAnswer::No);
    w.menuItem("mnuEditSubject")->trigger();
    EXPECT_EQ(startup->state().db().subjectName(Category::Birds, emu), QStringLiteral("Emu"));
}

TEST_F(SubjectEditorTest, TheSubjectSelectedInTheTreeIsTheOneInTheDialog) {
    const qint64 emu = birdId("Emu");
    addSighting(emu, QDate(2020, 1, 1));  // the tree lists birds with something filed
    frmMain& w = start();
    w.show();
    w.nodes().ensureVisible(QStringLiteral("B%1").arg(emu));
    const NodeRef node = findNode(w.nodes(), QStringLiteral("B%1").arg(emu));
    QApplication::processEvents();
    user::click(w.tv1()->viewport(), (node).rect().center());
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(node.isCurrent());
    ASSERT_EQ(w.selectedSubjectId(), emu);
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(static_cast<frmSubject&>(d).selectedId(), emu);
        EXPECT_EQ(d.findChild<QComboBox*>("cmbSubject")->currentText(), QStringLiteral("Emu"));
        // The box completes as the subject picker does.
        user::focus(d.findChild<QComboBox*>("cmbSubject"));
        d.findChild<QComboBox*>("cmbSubject")->lineEdit()->clear();
        user::type(&d, QStringLiteral("Emperor Pe"));
        EXPECT_EQ(d.findChild<QComboBox*>("cmbSubject")->currentText(),
                  QStringLiteral("Emperor Penguin"));
        d.reject();
    });
    w.menuItem("mnuEditSubject")->trigger();
}

TEST_F(SubjectEditorTest, RenamingToAnotherSubjectsNameMergesOrChangesNothing) {
    const qint64 emu = birdId("Emu");
    const qint64 ostrich = birdId("Common Ostrich");
    addSighting(emu, QDate(2020, 1, 1));
    const qint64 article = addEntry(Category::Birds, emu, kArticle, "Tall", " ", "{\\rtf1 a}");
    addSighting(ostrich, QDate(2021, 1, 1));
    frmMain& w = start();
    const auto rename = [&](MsgAnswer answer) {
        dialogs.queue([](QDialog& d) {
            choose(d, "Emu");
            type(d, "common ostrich");
            click(d, "cmdSave");
        });
        messages.queue(answer);
        w.menuItem("mnuEditSubject")->trigger();
    };
    rename(MsgAnswer::No);
    EXPECT_TRUE(messages.last().text.startsWith(
        QStringLiteral("There is already a subject \u201cCommon Ostrich\u201d.")));
    EXPECT_EQ(startup->state().db().subjectName(Category::Birds, emu), QStringLiteral("Emu"));
    EXPECT_EQ(startup->state().db().sightingsOf(emu).size(), 1u);
    rename(MsgAnswer::Yes);
    Store& db = startup->state().db();
    EXPECT_FALSE(db.subjectName(Category::Birds, emu));
    EXPECT_EQ(db.sightingsOf(ostrich).size(), 2u);
    EXPECT_EQ(db.entry(article)->subid, ostrich);
    EXPECT_FALSE(w.nodes().contains(QStringLiteral("B%1").arg(emu)));
}
