// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include "AppFixture.h"
#include "Keyboard.h"
#include "NodeRef.h"
#include "RichText.h"
#include "frmRelated.h"

using namespace wf;
using namespace wf::test;

using EndToEndTest = AppFixture;

// A birder's day: two sightings, an article, a picture, a link from the web
// pane, a search, the related entries, one deletion; then the next morning
// everything is as it was left.
TEST_F(EndToEndTest, ABirdersDay) {
    frmMain& w = startToMain();
    auto click = [](QDialog& d, const char* button) {
        QTest::mouseClick(d.findChild<QPushButton*>(button), Qt::LeftButton);
    };
    for (const char* site : {"Reedbed hide", "Sea wall"}) {
        dialogs.queue([&, site](QDialog& d) {
            user::focus(d.findChild<QComboBox*>("cmbBird"));
            user::type(&d, QStringLiteral("Eurasian Bittern"));
            user::focus(d.findChild<QLineEdit*>("txtSite"));
            user::key(&d, Qt::Key_A, Qt::ControlModifier);
            user::type(&d, QString::fromLatin1(site));
            d.findChild<QComboBox*>("cmbCountry")->setEditText("England");
            click(d, "cmdSave");
        });
        w.toolButton("Sighting")->trigger();
    }
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 1"));

    dialogs.queue([&](QDialog& d) {
        user::focus(d.findChild<QComboBox*>("cmbSub"));
        user::type(&d, QStringLiteral("Eurasian Bittern"));
        user::key(&d, Qt::Key_Tab);
        user::type(&d, QStringLiteral("Booming at dusk"));
        user::focus(d.findChild<QTextEdit*>("rtb1"));
        user::type(&d, QStringLiteral("Heard the boom twice across the reeds."));
        click(d, "cmdSave");
    });
    w.toolButton("Article")->trigger();

    clipboard.setImage([] {
        QImage pic(40, 30, QImage::Format_RGB32);
        pic.fill(qRgb(120, 90, 40));
        return pic;
    }());
    dialogs.queue([&](QDialog& d) {
        QTest::mouseClick(d.findChild<QLabel*>("lblClick"), Qt::LeftButton);
        d.findChild<QComboBox*>("cmbSub")->lineEdit()->setText("Eurasian Bittern");
        d.findChild<QLineEdit*>("txtTitle")->setText("In the reeds");
        click(d, "cmdSave");
    });
    w.toolButton("Image")->trigger();

    const QString guide = tmp.file("guide.html");
    writeAll(guide, "<html><body>Bittern guide</body></html>");
    w.toolButton("Internet")->trigger();
    user::click(w.cmbAddress());
    w.cmbAddress()->lineEdit()->selectAll();
    user::type(&w, QUrl::fromLocalFile(guide).toString());
    user::key(&w, Qt::Key_Return);
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.findChild<QLineEdit*>("txtLink")->text(),
                  QUrl::fromLocalFile(guide).toString());
        d.findChild<QComboBox*>("cmbSub")->lineEdit()->setText("Eurasian Bittern");
        d.findChild<QLineEdit*>("txtTitle")->setText("Guide");
        click(d, "cmdSave");
    });
    w.toolButton("Link")->trigger();
    EXPECT_TRUE(messages.shown().empty()) << messages.last().text.toStdString();

    dialogs.queue([](QDialog& d) {
        d.findChild<QLineEdit*>("txtPhrase")->setText("boom");
        d.findChild<QComboBox*>("cmbSubject")->setCurrentText("Article");
        QTest::mouseClick(d.findChild<QPushButton*>("cmdSearch"), Qt::LeftButton);
    });
    w.menuItem("mnuViewCustom")->trigger();
    ASSERT_EQ(topNode(w.nodes())->text(0), QStringLiteral("Custom Search"));
    ASSERT_EQ(topNode(w.nodes())->childCount(), 1);
    const QString articleKey = topNode(w.nodes())->child(0).key();
    w.clickNode(articleKey);
    EXPECT_EQ(w.rtb()->toPlainText(), QStringLiteral("Heard the boom twice across the reeds."));

    QString linkKey;
    dialogs.queue([&](QDialog& d) {
        QTreeWidgetItem* root = static_cast<frmRelated&>(d).tv2()->topLevelItem(0);
        EXPECT_EQ(root->childCount(), 4);  // article, image, link, sighting history
        linkKey = root->child(2)->data(0, Qt::UserRole).toString();
        static_cast<frmRelated&>(d).clickNode(linkKey);
    });
    w.toolButton("Related")->trigger();
    ASSERT_TRUE(linkKey.startsWith(u'L'));

    choose(w, "All Internet Links");
    w.clickNode(linkKey);
    messages.queue(MsgAnswer::Yes);
    w.toolButton("Delete")->trigger();
    EXPECT_TRUE(startup->state().db().entryList(Category::Birds, kLink).empty());

    w.menuItem("mnuFileClose")->trigger();
    EXPECT_FALSE(startup->state().hasDatabase());
    TearDown();

    // The next morning.
    frmMain& again = startToMain();
    Store& db = startup->state().db();
    const auto bittern = db.findSubject(Category::Birds, "Eurasian Bittern");
    ASSERT_TRUE(bittern);
    EXPECT_EQ(db.sightingsOf(*bittern).size(), 2u);
    EXPECT_EQ(again.panel("Life")->text(), QStringLiteral("World List = 1"));
    const auto articles = db.entryList(Category::Birds, kArticle);
    ASSERT_EQ(articles.size(), 1u);
    EXPECT_EQ(rtf::plainText(db.entry(articles[0].id)->caption),
              QStringLiteral("Heard the boom twice across the reeds."));
    const auto images = db.entryList(Category::Birds, kImage);
    ASSERT_EQ(images.size(), 1u);
    const QString file = dataDir() + "/Images/" + db.entry(images[0].id)->fname;
    EXPECT_EQ(QImage(file).size(), QSize(40, 30));
    EXPECT_TRUE(db.entryList(Category::Birds, kLink).empty());
    const NodeRef node = findNode(again.nodes(), QStringLiteral("B%1").arg(*bittern));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->childCount(), 3);  // Sightings, the article, the picture
}
