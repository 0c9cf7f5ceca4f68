// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"

using namespace wf;
using namespace wf::test;

namespace {

class SearchTest : public MainWindowFixture {
  protected:
    // Queues a search dialog that types phrase, picks field and presses Search.
    void queueSearch(const QString& phrase, const QString& field) {
        dialogs.queue([=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Custom Search"));
            auto* box = d.findChild<QLineEdit*>("txtPhrase");
            EXPECT_TRUE(box->text().isEmpty());
            user::focus(box);
            user::type(&d, phrase);
            d.findChild<QComboBox*>("cmbSubject")->setCurrentText(field);
            user::click(d.findChild<QPushButton*>("cmdSearch"));
        });
    }
    QString rootText(frmMain& w) { return topNode(w.nodes())->text(0); }
};

}  // namespace

TEST_F(SearchTest, FindsEntriesAndListsThemUnderCustomSearch) {
    const qint64 kf = birdId("Common Kingfisher");
    const qint64 a = addEntry(Category::Birds, kf, kArticle, "Dive", " ",
                              "{\\rtf1 King\\b fish\\b0 er \"quoted\"\\par}");
    const qint64 l = addEntry(Category::Birds, kf, kLink, "A site", "https://x.example/");
    frmMain& w = start();
    queueSearch("kingfisher", "Article");
    w.menuItem("mnuViewCustom")->trigger();  // F3
    EXPECT_EQ(dialogs.shown(), QStringList{"frmSearch"});
    EXPECT_EQ(rootText(w), QStringLiteral("Custom Search"));
    EXPECT_EQ(findNode(w.nodes(), "Birds")->childCount(), 1);
    EXPECT_EQ(findNode(w.nodes(), QStringLiteral("A%1").arg(a))->text(0),
              QStringLiteral("Common Kingfisher Dive"));
    EXPECT_FALSE(w.menuItem("mnuEditExpand")->isEnabled());

    queueSearch("\"quoted\"", "Article");
    w.menuItem("mnuViewCustom")->trigger();
    EXPECT_TRUE(w.nodes().contains(QStringLiteral("A%1").arg(a)));

    queueSearch("common k*", "Subject");
    w.menuItem("mnuViewCustom")->trigger();
    EXPECT_EQ(findNode(w.nodes(), "Birds")->childCount(), 2);
    EXPECT_TRUE(w.nodes().contains(QStringLiteral("L%1").arg(l)));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SearchTest, NoMatchesAndCancelKeepTheTree) {
    addEntry(Category::Birds, birdId("Emu"), kLink, "Emu page", "https://emu.example/");
    frmMain& w = start();
    const int before = findNode(w.nodes(), "Birds")->childCount();
    queueSearch("zzz", "Title");
    w.menuItem("mnuViewCustom")->trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("There are no entries that match your search criteria."));
    EXPECT_EQ(messages.last().title, QStringLiteral("Search Unsuccessful"));
    EXPECT_EQ(rootText(w), QStringLiteral("Birds of the World"));
    EXPECT_EQ(findNode(w.nodes(), "Birds")->childCount(), before);

    dialogs.queue([](QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
    });
    w.menuItem("mnuViewCustom")->trigger();
    EXPECT_TRUE(startup->state().CustomSearchSql.isEmpty());
    EXPECT_EQ(rootText(w), QStringLiteral("Birds of the World"));
    EXPECT_FALSE(w.menuItem("mnuEditExpand")->isEnabled());
    EXPECT_FALSE(w.toolButton("Related")->isEnabled());
}

TEST_F(SearchTest, BlankPhraseKeepsTheDialogOpen) {
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        auto* box = d.findChild<QLineEdit*>("txtPhrase");
        user::focus(box);
        user::type(&d, QStringLiteral("   "));
        user::click(d.findChild<QPushButton*>("cmdSearch"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(messages.last().text,
                  QStringLiteral("You must enter a word or phrase to search for."));
        EXPECT_EQ(messages.last().title, QStringLiteral("Missing Search Phrase"));
        EXPECT_TRUE(box->hasFocus() || QApplication::focusWidget() == box ||
                    d.focusWidget() == box);
        d.reject();  // the close box: the last search stays
    });
    w.menuItem("mnuViewCustom")->trigger();
    EXPECT_TRUE(startup->state().CustomSearchSql.isEmpty());
}

TEST_F(SearchTest, TopicsSearchRootIsKeyedBirds) {
    const qint64 t = journal().addSubject(Category::Topics, "Garden");
    const qint64 a = addEntry(Category::Topics, t, kArticle, "Pond life", " ", "{\\rtf1 frogs}");
    frmMain& w = start();
    auto* topics = w.findChild<QRadioButton*>("optCat(1)");
    QTest::mouseClick(topics, Qt::LeftButton, {}, QPoint(8, topics->height() / 2));
    queueSearch("pond", "Title");
    w.menuItem("mnuViewCustom")->trigger();
    ASSERT_TRUE(w.nodes().contains("Birds"));
    EXPECT_EQ(rootText(w), QStringLiteral("Custom Search"));
    EXPECT_TRUE(w.nodes().contains(QStringLiteral("A%1").arg(a)));
    EXPECT_EQ(startup->state().CustomSearchSql.category, Category::Topics);
}

TEST_F(SearchTest, EscapeIsCancel) {
    const qint64 kf = birdId("Common Kingfisher");
    const qint64 a = addEntry(Category::Birds, kf, kArticle, "Dive", " ", "{\\rtf1 dive}");
    frmMain& w = start();
    queueSearch("dive", "Title");
    w.menuItem("mnuViewCustom")->trigger();
    ASSERT_TRUE(w.nodes().contains(QStringLiteral("A%1").arg(a)));
    user::click(w.findChild<QRadioButton*>("optCat(0)"), QPoint(8, 8));
    ASSERT_EQ(rootText(w), QStringLiteral("Birds of the World"));
    dialogs.queue([](QDialog& d) {
        auto* box = d.findChild<QLineEdit*>("txtPhrase");
        user::focus(box);
        user::type(&d, QStringLiteral("zzz"));
        user::key(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    w.menuItem("mnuViewCustom")->trigger();
    // Exactly what Cancel does: no search is left behind to run again, and
    // the tree keeps what it showed.
    EXPECT_TRUE(startup->state().CustomSearchSql.isEmpty());
    EXPECT_EQ(rootText(w), QStringLiteral("Birds of the World"));
}
