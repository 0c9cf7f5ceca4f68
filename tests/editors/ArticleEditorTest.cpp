// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <functional>

#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "RichText.h"
#include "frmText.h"

using namespace wf;
using namespace wf::test;

namespace {

class ArticleEditorTest : public MainWindowFixture {
  protected:
    static void fill(QDialog& d, const QString& subject, const QString& title,
                     const QString& text) {
        auto* sub = d.findChild<QComboBox*>("cmbSub");
        sub->lineEdit()->setText(subject);
        d.findChild<QLineEdit*>("txtTitle")->setText(title);
        d.findChild<QTextEdit*>("rtb1")->setPlainText(text);
    }
    static void save(QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    }
    // Selects characters [from, to) of the article box.
    static void select(QDialog& d, int from, int to) {
        auto* box = d.findChild<QTextEdit*>("rtb1");
        QTextCursor c = box->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        box->setTextCursor(c);
        QApplication::processEvents();  // the toolbar follows the selection
    }
    static QAction* button(QDialog& d, const char* key) {
        return static_cast<frmText&>(d).button(QString::fromLatin1(key));
    }
    std::optional<Entry> onlyArticle() {
        const auto list = startup->state().db().entryList(Category::Birds, kArticle);
        if (list.size() != 1) {
            return std::nullopt;
        }
        return startup->state().db().entry(list[0].id);
    }
};

}  // namespace

TEST_F(ArticleEditorTest, FormattedArticleIsStoredAndShown) {
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Add a new article"));
        EXPECT_EQ(d.findChild<QLabel*>("lbl(1)")->text(), QStringLiteral("Bird Name"));
        fill(d, "emu", "  Legs", "Strong legs indeed");
        select(d, 0, 6);
        QAction* bold = button(d, "Bold");
        EXPECT_FALSE(bold->isChecked());
        bold->trigger();  // as a click does
        select(d, 7, 11);
        button(d, "Center")->trigger();
        save(d);
    });
    w.toolButton("Article")->trigger();
    const std::optional<Entry> e = onlyArticle();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->title, QStringLiteral("  Legs"));
    EXPECT_EQ(e->fname, QStringLiteral(" "));
    EXPECT_EQ(e->subid, birdId("Emu"));  // the existing bird, found ignoring case
    QTextDocument doc;
    ASSERT_TRUE(rtf::readRtf(e->caption, doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Strong legs indeed"));
    QTextCursor c(&doc);
    c.setPosition(3);
    EXPECT_GE(c.charFormat().fontWeight(), QFont::Bold);
    c.setPosition(9);
    EXPECT_LT(c.charFormat().fontWeight(), QFont::DemiBold);
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // The tree gains the bird and the article under it; the viewer shows it.
    const QString birdKey = QStringLiteral("B%1").arg(e->subid);
    ASSERT_TRUE(w.nodes().contains(birdKey));
    EXPECT_EQ(findNode(w.nodes(), QStringLiteral("A%1").arg(e->id))->parent(),
              findNode(w.nodes(), birdKey));
    // Leaving the picker for Save put the list's own form of the name.
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Emu :   Legs"));
    EXPECT_EQ(w.rtb()->toPlainText(), QStringLiteral("Strong legs indeed"));
    // The search finds it by its words.
    EXPECT_EQ(startup->state().db().search({"Article", "legs", Category::Birds}).size(), 1u);
}

TEST_F(ArticleEditorTest, NewSubjectIsCreatedExactlyAsTyped) {
    frmMain& w = start();
    auto* topics = w.findChild<QRadioButton*>("optCat(1)");
    QTest::mouseClick(topics, Qt::LeftButton, {}, QPoint(8, topics->height() / 2));
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>("lbl(1)")->text(), QStringLiteral("Subject"));
        fill(d, "Garden \"pond\" ", "Frogs", "Spawn");
        save(d);
    });
    w.toolButton("Article")->trigger();
    const auto t = startup->state().db().findSubject(Category::Topics, "Garden \"pond\" ");
    ASSERT_TRUE(t);
    EXPECT_TRUE(w.nodes().contains(QStringLiteral("T%1").arg(*t)));
}

TEST_F(ArticleEditorTest, FirstArticleOfABirdSeenOnlyGoesUnderItsNode) {
    const qint64 emu = birdId("Emu");
    addSighting(emu, QDate(2021, 2, 3));
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        fill(d, "Emu", "First", "x");
        save(d);
    });
    w.toolButton("Article")->trigger();
    EXPECT_TRUE(messages.shown().empty());
    const NodeRef bird = findNode(w.nodes(), QStringLiteral("B%1").arg(emu));
    ASSERT_NE(bird, nullptr);
    EXPECT_EQ(bird->childCount(), 2);  // Sightings and the article
    EXPECT_EQ(findNode(w.nodes(), "Birds")->childCount(), 1);
}

TEST_F(ArticleEditorTest, NodesUnderFlatListsAndTheSearchList) {
    frmMain& w = start();
    choose(w, "All Images");
    dialogs.queue([&](QDialog& d) {
        fill(d, "Emu", "Flat", "x");
        save(d);
    });
    w.toolButton("Article")->trigger();
    auto e = onlyArticle();
    ASSERT_TRUE(e);
    EXPECT_EQ(findNode(w.nodes(), QStringLiteral("A%1").arg(e->id))->text(0),
              QStringLiteral("Emu Flat"));

    // A topic article while the search list (root "Birds") is shown.
    const qint64 t = journal().addSubject(Category::Topics, "Trips");
    prep.reset();
    addEntry(Category::Topics, t, kLink, "Trip link", "https://x.example/");
    prep.reset();
    auto* topics = w.findChild<QRadioButton*>("optCat(1)");
    QTest::mouseClick(topics, Qt::LeftButton, {}, QPoint(8, topics->height() / 2));
    dialogs.queue([](QDialog& d) {
        d.findChild<QLineEdit*>("txtPhrase")->setText("trip");
        d.findChild<QComboBox*>("cmbSubject")->setCurrentText("Title");
        QTest::mouseClick(d.findChild<QPushButton*>("cmdSearch"), Qt::LeftButton);
    });
    w.menuItem("mnuViewCustom")->trigger();
    ASSERT_EQ(topNode(w.nodes())->text(0), QStringLiteral("Custom Search"));
    dialogs.queue([&](QDialog& d) {
        fill(d, "Trips", "Day two", "y");
        save(d);
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Article")->trigger();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(findNode(w.nodes(), "Birds")->childCount(), 2);
}

TEST_F(ArticleEditorTest, BlankSubjectOrTitleIsRefused) {
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        fill(d, "  ", "Title", "x");
        save(d);
        EXPECT_EQ(messages.last().text, QStringLiteral("You must choose a bird name."));
        fill(d, "Emu", "   ", "x");
        save(d);
        EXPECT_EQ(messages.last().text, QStringLiteral("You must enter a title for the article."));
        EXPECT_EQ(messages.last().title, QStringLiteral("Wingfolio"));
        EXPECT_TRUE(d.isVisible());
        d.reject();
    });
    w.toolButton("Article")->trigger();
    EXPECT_EQ(startup->state().db().rowCount("data"), 0);
}

TEST_F(ArticleEditorTest, MixedBoldShowsTheMixedLookAndClickingMakesItOne) {
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        fill(d, "Emu", "Mixed", "plain bold");
        select(d, 6, 10);
        button(d, "Bold")->trigger();
        select(d, 2, 8);
        QAction* bold = button(d, "Bold");
        EXPECT_TRUE(frmText::isMixed(bold));
        const QIcon mixedLook = bold->icon();
        bold->trigger();
        EXPECT_FALSE(frmText::isMixed(bold));
        auto* box = d.findChild<QTextEdit*>("rtb1");
        QTextCursor c(box->document());
        c.setPosition(3);
        EXPECT_EQ(c.charFormat().fontWeight() >= QFont::Bold, bold->isChecked());
        EXPECT_NE(mixedLook.cacheKey(), bold->icon().cacheKey());
        // Alignment across paragraphs of two kinds is mixed too.
        box->setPlainText("one\ntwo");
        select(d, 0, 1);
        button(d, "Right")->trigger();
        select(d, 0, 6);
        EXPECT_TRUE(frmText::isMixed(button(d, "Left")));
        EXPECT_TRUE(frmText::isMixed(button(d, "Right")));
        d.reject();
    });
    w.toolButton("Article")->trigger();
}

TEST_F(ArticleEditorTest, ClipboardFollowsTheFocusedBox) {
    frmMain& w = start();
    clipboard.setText("kept");
    dialogs.queue([&](QDialog& d) {
        fill(d, "Emu", "Title words", "Some article text");
        auto* title = d.findChild<QLineEdit*>("txtTitle");
        // Cut with the focus on a button: the clipboard is emptied, nothing copied.
        d.findChild<QPushButton*>("cmdCancel")->setFocus();
        button(d, "Cut")->setEnabled(true);
        button(d, "Cut")->trigger();
        EXPECT_EQ(clipboard.text(), QString());
        title->setFocus();
        title->setSelection(0, 5);
        button(d, "Cut")->trigger();
        EXPECT_EQ(clipboard.text(), QStringLiteral("Title"));
        EXPECT_EQ(title->text(), QStringLiteral(" words"));
        EXPECT_EQ(d.focusWidget(), title);  // the toolbar took no focus
        auto* box = d.findChild<QTextEdit*>("rtb1");
        box->setFocus();
        box->moveCursor(QTextCursor::End);
        button(d, "Paste")->trigger();
        EXPECT_EQ(box->toPlainText(), QStringLiteral("Some article textTitle"));
        select(d, 0, 4);
        button(d, "Copy")->trigger();
        EXPECT_EQ(clipboard.text(), QStringLiteral("Some"));
        d.reject();
    });
    w.toolButton("Article")->trigger();
}

TEST_F(ArticleEditorTest, EditModeChangesOnlyTitleAndText) {
    const qint64 emu = birdId("Emu");
    const qint64 a = addEntry(Category::Birds, emu, kArticle, "Old title", " ",
                              "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 old text\\par}");
    frmMain& w = start();
    w.clickNode(QStringLiteral("A%1").arg(a));
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Editing Current Article"));
        auto* sub = d.findChild<QComboBox*>("cmbSub");
        EXPECT_FALSE(sub->isEnabled());
        EXPECT_EQ(sub->currentText(), QStringLiteral("Emu"));
        EXPECT_EQ(d.findChild<QLineEdit*>("txtTitle")->text(), QStringLiteral("Old title"));
        EXPECT_EQ(d.findChild<QTextEdit*>("rtb1")->toPlainText(), QStringLiteral("old text"));
        d.findChild<QLineEdit*>("txtTitle")->setText("New title");
        d.findChild<QTextEdit*>("rtb1")->setPlainText("new text");
        save(d);
    });
    w.toolButton("Edit")->trigger();
    const auto e = startup->state().db().entry(a);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->title, QStringLiteral("New title"));
    EXPECT_EQ(rtf::plainText(e->caption), QStringLiteral("new text"));
    EXPECT_EQ(e->subid, emu);
    EXPECT_EQ(e->type, kArticle);
    EXPECT_FALSE(startup->state().EditMode);
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Emu : New title"));
}

TEST_F(ArticleEditorTest, CancelLeavesEditModeOff) {
    const qint64 a = addEntry(Category::Birds, birdId("Emu"), kArticle, "T", " ", "{\\rtf1 x}");
    frmMain& w = start();
    w.clickNode(QStringLiteral("A%1").arg(a));
    dialogs.queue([](QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
    });
    w.menuItem("mnuEditEntry")->trigger();
    EXPECT_FALSE(startup->state().EditMode);
    dialogs.queue([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Add a new article"));
        EXPECT_TRUE(d.findChild<QTextEdit*>("rtb1")->toPlainText().isEmpty());
        d.reject();
    });
    w.menuItem("mnuFileNewArticle")->trigger();
}

TEST_F(ArticleEditorTest, CtrlBIAndUPressTheToolbarButtons) {
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        auto* box = d.findChild<QTextEdit*>("rtb1");
        user::focus(box);
        user::type(&d, QStringLiteral("plain bold"));
        select(d, 6, 10);
        QAction* bold = button(d, "Bold");
        EXPECT_TRUE(bold->toolTip().contains(QStringLiteral("Ctrl+B")));
        user::key(&d, Qt::Key_B, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_TRUE(bold->isChecked());
        QTextCursor c(box->document());
        c.setPosition(8);
        EXPECT_GE(c.charFormat().fontWeight(), QFont::Bold);
        // Across plain and bold the button shows the mixed look; the key
        // then makes it one, as a click does.
        select(d, 2, 8);
        ASSERT_TRUE(frmText::isMixed(bold));
        user::key(&d, Qt::Key_B, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_FALSE(frmText::isMixed(bold));
        select(d, 0, 5);
        user::key(&d, Qt::Key_I, Qt::ControlModifier);
        user::key(&d, Qt::Key_U, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_TRUE(button(d, "Italic")->isChecked());
        EXPECT_TRUE(button(d, "Underline")->isChecked());
        c.setPosition(3);
        EXPECT_TRUE(c.charFormat().fontItalic());
        EXPECT_TRUE(c.charFormat().fontUnderline());
        d.reject();
    });
    w.toolButton("Article")->trigger();
}

TEST_F(ArticleEditorTest, EveryEditorAsksBeforeThrowingAwayChanges) {
    frmMain& w = start();
    clipboard.setImage(QImage(QSize(20, 10), QImage::Format_RGB32));
    struct Editor {
        std::function<void()> open;
        // Makes a change as a person would; empty for an editor opened to
        // check only that Escape closes it at once.
        std::function<void(QDialog&)> change;
    };
    const auto typeInto = [](const char* field, const QString& text) {
        return [field, text](QDialog& d) {
            user::focus(d.findChild<QWidget*>(QString::fromLatin1(field)));
            user::type(&d, text);
        };
    };
    const Editor editors[] = {
        {[&] { w.toolButton("Article")->trigger(); }, typeInto("rtb1", "Nesting on the cliff")},
        {[&] { w.toolButton("Article")->trigger(); }, typeInto("txtTitle", "Cliffs")},
        {[&] { w.toolButton("Link")->trigger(); }, typeInto("txtTitle", "Puffin page")},
        {[&] { w.toolButton("Image")->trigger(); },
         [](QDialog& d) { user::click(d.findChild<QLabel*>("lblClick")); }},
        {[&] { w.menuItem("mnuViewOptions")->trigger(); }, typeInto("txtCountry", "Wales")},
    };
    for (const Editor& e : editors) {
        // Unchanged: Escape closes at once.
        messages.clear();
        QString name;
        dialogs.queue([&](QDialog& d) {
            name = d.objectName();
            user::key(&d, Qt::Key_Escape);
            EXPECT_FALSE(d.isVisible()) << name.toStdString();
        });
        e.open();
        EXPECT_TRUE(messages.shown().empty()) << name.toStdString();
        // Changed: Escape asks; Keep Editing keeps it, Discard closes it.
        dialogs.queue([&](QDialog& d) {
            e.change(d);
            messages.queue(MsgAnswer::No);
            user::key(&d, Qt::Key_Escape);
            ASSERT_EQ(messages.shown().size(), 1u) << name.toStdString();
            EXPECT_EQ(messages.last().text, QStringLiteral("Discard your changes?"));
            EXPECT_TRUE(d.isVisible()) << name.toStdString();
            messages.queue(MsgAnswer::Yes);
            user::click(d.findChild<QPushButton*>("cmdCancel"));
            EXPECT_FALSE(d.isVisible()) << name.toStdString();
        });
        e.open();
    }
    Store& db = startup->state().db();
    EXPECT_EQ(db.rowCount("data"), 0);
    EXPECT_NE(db.options().country, QStringLiteral("Wales"));
}

// A picture pasted with Ctrl+V and an image file dropped go into the text;
// saved, the article shows both in the viewer, no wider than its text, and
// the journal holds them as RTF pictures.
TEST_F(ArticleEditorTest, PicturesArePastedAndDroppedIntoAnArticle) {
    QImage photo(2400, 1200, QImage::Format_RGB32);
    photo.fill(QColor(30, 120, 40));
    QImage drawing(80, 60, QImage::Format_ARGB32);
    drawing.fill(QColor(200, 10, 10, 100));
    const QString file = tmp.file("drawing.png");
    ASSERT_TRUE(drawing.save(file));
    frmMain& w = start();
    w.resize(900, 600);
    w.show();
    dialogs.queue([&](QDialog& d) {
        user::focus(d.findChild<QComboBox*>("cmbSub"));
        user::type(&d, QStringLiteral("Emu"));
        user::key(&d, Qt::Key_Tab);
        user::type(&d, QStringLiteral("Pictures"));
        auto* box = d.findChild<QTextEdit*>("rtb1");
        user::focus(box);
        user::type(&d, QStringLiteral("Nest "));
        QGuiApplication::clipboard()->setImage(photo);
        user::key(&d, Qt::Key_V, Qt::ControlModifier);
        user::type(&d, QStringLiteral(" and "));
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(file)});
        const QPoint at = box->cursorRect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box->viewport(), &drop);
        delete mime;
        EXPECT_EQ(box->toPlainText().count(QChar(0xFFFC)), 2);
        // The wide photograph starts a paragraph, the small drawing stays in
        // the line.
        EXPECT_EQ(box->toPlainText(), QStringLiteral("Nest \n\uFFFC and \uFFFC"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    w.toolButton("Article")->trigger();
    const std::optional<Entry> e = onlyArticle();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->caption.count(QStringLiteral("{\\pict\\jpegblip\\picw1600\\pich800")), 1);
    EXPECT_EQ(e->caption.count(QStringLiteral("{\\pict\\pngblip\\picw80\\pich60")), 1);
    EXPECT_EQ(rtf::plainText(e->caption).simplified(), QStringLiteral("Nest and"));
    // Shown in the viewer, the wide one at the text's width.
    ASSERT_TRUE(w.rtb()->isVisible());
    std::vector<QTextImageFormat> shown;
    for (QTextBlock b = w.rtb()->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                shown.push_back(it.fragment().charFormat().toImageFormat());
            }
        }
    }
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_LE(shown[0].width(), w.rtb()->viewport()->width());
    EXPECT_GT(shown[0].width(), 100);
    EXPECT_EQ(shown[1].width(), 80);
}
