// SPDX-License-Identifier: GPL-3.0-or-later
// Outings in the main window: entries filed under them, grouping the
// sightings typed before outings, deleting one.
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTextDocument>
#include <QTextEdit>

#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "Printing.h"
#include "TripReport.h"
#include "Words.h"
#include "frmGroupOutings.h"

using namespace wf;
using namespace wf::test;

namespace {

const QDate kMay3(2026, 5, 3);

class OutingsTest : public MainWindowFixture {
  protected:
    // An outing at Rutland Water with a Mallard in it, and one at Eyebrook.
    qint64 rutland = 0;
    qint64 eyebrook = 0;
    qint64 mallardSeen = 0;

    void SetUp() override {
        Outing o;
        o.date = kMay3;
        o.site = QStringLiteral("Rutland Water");
        rutland = journal().addOuting(o);
        o.site = QStringLiteral("Eyebrook");
        eyebrook = journal().addOuting(o);
        mallardSeen = addSighting(birdId(QStringLiteral("Mallard")), kMay3, o.site);
        journal().setOutingOf(mallardSeen, rutland);
    }

    QString pageText(frmMain& w) {
        return w.findChild<QTextEdit*>(QStringLiteral("rtb"))->toPlainText();
    }
};

TEST_F(OutingsTest, AnArticleIsFiledUnderAnOutingByTheKeyboardAndShownOnItsPage) {
    frmMain& w = start();
    w.show();
    choose(w, QStringLiteral("Outings"));
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>("lbl(1)")->text(), QStringLiteral("Outing"));
        auto* sub = d.findChild<QComboBox*>("cmbSub");
        EXPECT_EQ(sub->count(), 2);
        user::focus(sub);
        // A slip first: a date with no outing completes to nothing.
        user::type(&d, QStringLiteral("2026-05-04"));
        EXPECT_EQ(sub->currentText(), QStringLiteral("2026-05-04"));
        user::key(&d, Qt::Key_Backspace);
        user::type(&d, QStringLiteral("3 r"));
        EXPECT_EQ(sub->currentText(), QStringLiteral("2026-05-03 rutland Water"));
        user::key(&d, Qt::Key_Tab);
        EXPECT_EQ(sub->currentText(), QStringLiteral("2026-05-03 Rutland Water"));
        user::type(&d, QStringLiteral("Ospreys"));
        user::focus(d.findChild<QTextEdit*>("rtb1"));
        user::type(&d, QStringLiteral("Two ospreys fished the south arm."));
        user::key(&d, Qt::Key_Return);
        user::type(&d, QStringLiteral("Then rain."));
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    user::key(&w, Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(messages.shown().empty()) << messages.last().text.toStdString();
    const auto filed = startup->state().db().filedEntries(Category::Outings);
    ASSERT_EQ(filed.count(rutland), 1u);
    const qint64 article = filed.at(rutland).front().id;
    // Under its outing in the list, and on the outing's page.
    const NodeRef node = findNode(w.nodes(), QStringLiteral("A%1").arg(article));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->parent().key(), QStringLiteral("O%1").arg(rutland));
    w.clickNode(QStringLiteral("O%1").arg(rutland));
    const QString page = pageText(w);
    EXPECT_TRUE(page.contains(QStringLiteral("Ospreys"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Two ospreys fished the south arm.")));
    EXPECT_FALSE(page.contains(QStringLiteral("Then rain.")))
        << startup->state().db().entry(article)->caption.toStdString();
    // Found by the custom search among the birds' entries.
    const std::vector<ListedEntry> found = startup->state().db().search(
        {QStringLiteral("Text"), QStringLiteral("osprey"), Category::Birds});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].subject, QStringLiteral("2026-05-03 Rutland Water"));
}

TEST_F(OutingsTest, AnOutingThatDoesNotExistIsRefusedAndTheEditorStaysOpen) {
    frmMain& w = start();
    w.show();
    choose(w, QStringLiteral("Outings"));
    bool stillOpen = false;
    dialogs.queue([&](QDialog& d) {
        d.findChild<QComboBox*>("cmbSub")->lineEdit()->setText(QStringLiteral("Yesterday"));
        d.findChild<QLineEdit*>("txtTitle")->setText(QStringLiteral("Nothing"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
        stillOpen = d.isVisible();
        d.reject();
    });
    user::key(&w, Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(stillOpen);
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_TRUE(messages.shown().front().text.contains(QStringLiteral("There is no outing")))
        << messages.shown().front().text.toStdString();
    EXPECT_TRUE(startup->state().db().filedEntries(Category::Outings).empty());
    EXPECT_TRUE(startup->state().db().subjects(Category::Topics).empty());
}

TEST_F(OutingsTest, DeletingAnOutingAsksThenKeepsItsSightings) {
    addEntry(Category::Outings, rutland, kArticle, QStringLiteral("Ospreys"));
    frmMain& w = start();
    w.show();
    choose(w, QStringLiteral("Outings"));
    const NodeRef outing = findNode(w.nodes(), QStringLiteral("O%1").arg(rutland));
    user::click(w.tv1()->viewport(), outing.rect().center());
    EXPECT_TRUE(w.menuItem(QStringLiteral("mnuEditDelete"))->isEnabled());
    // First the answer is No: nothing goes.
    user::key(&w, Qt::Key_Delete);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("Delete the outing of %1 at Rutland Water? Its sighting stays in the "
                             "journal, in no outing. Filed under it, and deleted with it: 1 "
                             "article.")
                  .arg(words::date(kMay3)))
        << messages.last().text.toStdString();
    EXPECT_TRUE(startup->state().db().outing(rutland));
    messages.queue(MsgAnswer::Yes);
    user::key(&w, Qt::Key_Delete);
    Store& db = startup->state().db();
    EXPECT_FALSE(db.outing(rutland));
    EXPECT_TRUE(db.sighting(mallardSeen));
    EXPECT_FALSE(db.outingOf(mallardSeen));
    EXPECT_TRUE(db.filedEntries(Category::Outings).empty());
    EXPECT_FALSE(w.nodes().contains(QStringLiteral("O%1").arg(rutland)));
    EXPECT_TRUE(w.nodes().contains(QStringLiteral("O%1").arg(eyebrook)));
}

TEST_F(OutingsTest, SightingsTypedBeforeAreGroupedAsTickedAndEscapeMakesNone) {
    const qint64 wren = birdId(QStringLiteral("Eurasian Wren"));
    addSighting(wren, QDate(2024, 4, 1), QStringLiteral("Marsh"));
    addSighting(birdId(QStringLiteral("Mallard")), QDate(2024, 4, 1), QStringLiteral("marsh"));
    addSighting(wren, QDate(2024, 4, 2), QStringLiteral("Wood"));
    const qint64 lane = addSighting(wren, QDate(2024, 4, 3), QStringLiteral("Lane"));
    frmMain& w = start();
    w.show();
    choose(w, QStringLiteral("Outings"));
    QAction* group = w.menuItem(QStringLiteral("mnuEditGroupOutings"));
    // Escape: nothing is made.
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.findChild<QTableView*>("tblProposed")->model()->rowCount(), 3);
        user::key(&d, Qt::Key_Escape);
    });
    group->trigger();
    EXPECT_EQ(startup->state().db().outingList().size(), 2u);
    // Then the lane is left out with Space, and Enter groups the rest.
    dialogs.queue([&](QDialog& d) {
        auto* table = d.findChild<QTableView*>("tblProposed");
        EXPECT_EQ(d.focusWidget(), table);
        EXPECT_EQ(table->model()->index(0, 1).data().toString(), QStringLiteral("Marsh"));
        EXPECT_EQ(table->model()->index(0, 3).data().toString(), QStringLiteral("2"));
        user::key(&d, Qt::Key_End, Qt::ControlModifier);
        user::key(&d, Qt::Key_Space);
        EXPECT_EQ(d.findChild<QLabel*>("lblCount")->text(),
                  QStringLiteral("2 of 3 outings ticked."));
        user::key(&d, Qt::Key_Return);
    });
    group->trigger();
    Store& db = startup->state().db();
    EXPECT_EQ(messages.last().text, QStringLiteral("2 outings made, with 3 sightings."));
    EXPECT_EQ(db.outingList().size(), 4u);
    EXPECT_FALSE(db.outingOf(lane));
    // The list shows them at once, with their species.
    // A year each: 2026 open with its two, 2024 read when opened.
    EXPECT_EQ(w.nodes().childKeys(QStringLiteral("Outings")),
              (QStringList{QStringLiteral("Y2026"), QStringLiteral("Y2024")}));
    EXPECT_EQ(w.nodes().text(QStringLiteral("Y2024")), QStringLiteral("2024 (2 outings)"));
    EXPECT_EQ(w.nodes().childKeys(QStringLiteral("Y2024")).size(), 2);
    bool marsh = false;
    for (const ListedOuting& o : db.outingList()) {
        marsh = marsh || (o.site == QStringLiteral("Marsh") && o.species == 2);
    }
    EXPECT_TRUE(marsh);
    // Asked again, only the lane is left to propose.
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.findChild<QTableView*>("tblProposed")->model()->rowCount(), 1);
        d.reject();
    });
    group->trigger();
}

TEST_F(OutingsTest, TheOutingShownIsExportedAsATripReportByTheKeyboard) {
    addEntry(Category::Outings, rutland, kArticle, QStringLiteral("Morning"), QStringLiteral(" "),
             QStringLiteral("{\\rtf1 Ospreys over the south arm.\\par}"));
    frmMain& w = start();
    w.show();
    choose(w, QStringLiteral("Outings"));
    user::click(w.tv1()->viewport(),
                findNode(w.nodes(), QStringLiteral("O%1").arg(rutland)).rect().center());
    const QString target = tmp.file(QStringLiteral("rutland.html"));
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("frmTripReport"));
        EXPECT_TRUE(d.findChild<QRadioButton*>("optOne")->isChecked());
        EXPECT_FALSE(d.findChild<QWidget*>("dtFrom")->isEnabled());
        user::key(&d, Qt::Key_Return);
    });
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("dlgTripReportFile"));
        auto& files = static_cast<QFileDialog&>(d);
        files.selectFile(target);
        static_cast<QDialog&>(files).accept();
    });
    w.menuItem(QStringLiteral("mnuFileTripReport"))->trigger();
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("The trip report of 1 outing")))
        << messages.last().text.toStdString();
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("Ospreys over the south arm.")));
    EXPECT_TRUE(html.contains(QStringLiteral("Mallard")));
}

TEST_F(OutingsTest, AStretchWithNoOutingsIsToldAndWritesNothing) {
    frmMain& w = start();
    w.show();
    dialogs.queue([&](QDialog& d) {
        EXPECT_FALSE(d.findChild<QRadioButton*>("optOne")->isEnabled());
        EXPECT_TRUE(d.findChild<QRadioButton*>("optRange")->isChecked());
        auto* from = d.findChild<QWidget*>("dtFrom");
        user::focus(from);
        user::key(&d, Qt::Key_A, Qt::ControlModifier);
        user::type(&d, QStringLiteral("1/1/2020"));
        auto* to = d.findChild<QWidget*>("dtTo");
        user::focus(to);
        user::key(&d, Qt::Key_A, Qt::ControlModifier);
        user::type(&d, QStringLiteral("31/12/2020"));
        user::key(&d, Qt::Key_Return);
    });
    w.menuItem(QStringLiteral("mnuFileTripReport"))->trigger();
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("There are no outings from")))
        << messages.last().text.toStdString();
    EXPECT_EQ(dialogs.shown().size(), 1);  // no file was asked for
}

TEST_F(OutingsTest, PrintShowsThePageOrTheListInAPreview) {
    frmMain& w = start();
    w.show();
    choose(w, QStringLiteral("Outings"));
    // The list: the outings' lines, numbered.
    std::unique_ptr<QTextDocument> list = w.printDocument();
    EXPECT_TRUE(list->toPlainText().contains(QStringLiteral("Eyebrook")));
    EXPECT_TRUE(list->toPlainText().contains(QStringLiteral("Rutland Water")));
    // The outing's page once it is shown, under its title.
    user::click(w.tv1()->viewport(),
                findNode(w.nodes(), QStringLiteral("O%1").arg(rutland)).rect().center());
    std::unique_ptr<QTextDocument> page = w.printDocument();
    const QString text = page->toPlainText();
    EXPECT_TRUE(text.startsWith(words::date(kMay3) + QStringLiteral(" \u2014 Rutland Water")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1 species, 1 of them lifers")));
    // Ctrl+P opens the preview; what it prints reaches the page.
    QString previewTitle;
    dialogs.queue([&](QDialog& d) {
        previewTitle = d.objectName();
        d.reject();
    });
    user::key(&w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(previewTitle, QStringLiteral("dlgPrintPreview"));
    QString why;
    const Printing* printer = printing(&why);
    ASSERT_NE(printer, nullptr) << why.toStdString();
    const QString pdf = tmp.file(QStringLiteral("printed.pdf"));
    ASSERT_TRUE(printer->printToPdf(*page, pdf));
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
}

// The lifers an outing's page marks are the birds whose first sighting,
// as the First Sightings list has it, is on that outing.
TEST_F(OutingsTest, LifersOnAnOutingPageAgreeWithTheFirstSightings) {
    Store& db = journal();
    const qint64 teal = birdId(QStringLiteral("Eurasian Teal"));
    const qint64 mallard = birdId(QStringLiteral("Mallard"));
    // Seen earlier elsewhere, on the day before, and twice on the day.
    addSighting(teal, QDate(2026, 5, 2), QStringLiteral("Home"));
    const qint64 again = addSighting(teal, kMay3, QStringLiteral("Rutland Water"));
    db.setOutingOf(again, rutland);
    const qint64 other = addSighting(mallard, kMay3, QStringLiteral("Eyebrook"));
    db.setOutingOf(other, eyebrook);
    std::set<qint64> firstOnRutland;
    for (const FirstSeen& f : db.firstSeen(Area::World, {})) {
        if (db.outingOf(f.sightingId) == rutland) {
            firstOnRutland.insert(f.birdid);
        }
    }
    std::set<qint64> lifers;
    for (const OutingSpecies& s : db.outingSpecies(rutland)) {
        if (s.lifer) {
            lifers.insert(s.birdid);
        }
    }
    EXPECT_EQ(lifers, firstOnRutland);
    EXPECT_EQ(lifers, std::set<qint64>{mallard});
    // The mallard moves to Eyebrook's outing: so does its lifer mark.
    db.setOutingOf(mallardSeen, eyebrook);
    bool eyebrookLifer = false;
    for (const OutingSpecies& s : db.outingSpecies(eyebrook)) {
        eyebrookLifer = eyebrookLifer || (s.birdid == mallard && s.lifer);
    }
    EXPECT_TRUE(eyebrookLifer);
    for (const OutingSpecies& s : db.outingSpecies(rutland)) {
        EXPECT_FALSE(s.lifer) << s.name.toStdString();
    }
}

}  // namespace
