// SPDX-License-Identifier: GPL-3.0-or-later
// The windows under the pseudo-translation: every caption, menu, button,
// column and tooltip the user meets has gone through a translation, and
// none is cut short by the longer words. A failure lists the texts.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QTranslator>

#include "AppFixture.h"
#include "NodeRef.h"
#include "Pseudo.h"
#include "Store.h"

using namespace wf;
using namespace wf::test;

namespace {

// Boxes and labels whose contents are the journal's own (names, places,
// dates, counts) rather than the program's words.
bool holdsData(const QObject* o) {
    static const QStringList names = {
        "cmbSub",   "cmbBird",    "cmbArea",   "cmbPeriod", "cmbAddress", "cmbDistrict",
        "cmbState", "cmbCountry", "cmbRegion", "cmbDates",  "cmbFont",    "lstBackups",
        "Label1",   "Date",       "Time",      "lbltitle",  "txtTitle",   "DTPicker1",
        "txtSize",  "cmdColor",   "lblWeb",    "lblEmail",  "dtFrom",     "dtTo"};
    for (const QObject* p = o; p; p = p->parent()) {
        if (names.contains(p->objectName())) {
            return true;
        }
    }
    return false;
}

QString plain(const QString& text) {
    if (!Qt::mightBeRichText(text)) {
        return text;
    }
    QTextDocument d;
    d.setHtml(text);
    return d.toPlainText();
}

class Texts {
  public:
    // A text the user sees: translated unless it has no words.
    void add(const QObject* o, const char* what, const QString& shown) {
        const QString t = plain(shown).trimmed();
        if (!t.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2}"))) ||
            t == QLatin1String("Wingfolio") || holdsData(o) || pseudo::isTranslated(t)) {
            return;
        }
        untranslated << QStringLiteral("%1 %2: \"%3\"").arg(path(o), QLatin1String(what), t);
    }

    // Every text of a window and of what it holds, where shown.
    void collect(QWidget* window) {
        add(window, "title", window->windowTitle());
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window)) {
                continue;
            }
            if (!w->toolTip().isEmpty()) {
                add(w, "tooltip", w->toolTip());
            }
            if (auto* l = qobject_cast<QLabel*>(w)) {
                add(l, "label", l->text());
                // The status bar's panels shorten their names by design,
                // whole in their tooltips.
                if (!l->wordWrap() && !l->inherits("wf::StatusPanel") && !l->text().isEmpty() &&
                    !holdsData(l) && l->sizeHint().width() > l->width() + 1) {
                    cut << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                               .arg(path(l), plain(l->text()))
                               .arg(l->sizeHint().width())
                               .arg(l->width());
                }
            } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                // A dialog's standard buttons are Qt's, in Qt's translation.
                auto* box = qobject_cast<QDialogButtonBox*>(b->parentWidget());
                const bool standard = box && box->standardButton(b) != QDialogButtonBox::NoButton;
                if (!qobject_cast<QToolButton*>(b)) {
                    if (!standard) {
                        add(b, "button", b->text());
                    }
                    if (!b->text().isEmpty() && b->sizeHint().width() > b->width() + 1) {
                        cut << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                                   .arg(path(b), b->text())
                                   .arg(b->sizeHint().width())
                                   .arg(b->width());
                    }
                }
            } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
                add(g, "group", g->title());
            } else if (auto* t = qobject_cast<QTabWidget*>(w)) {
                for (int i = 0; i < t->count(); ++i) {
                    add(t, "tab", t->tabText(i));
                }
            } else if (auto* c = qobject_cast<QComboBox*>(w)) {
                for (int i = 0; i < c->count(); ++i) {
                    add(c, "item", c->itemText(i));
                }
            } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
                add(e, "placeholder", e->placeholderText());
            } else if (auto* h = qobject_cast<QHeaderView*>(w)) {
                for (int i = 0; i < h->count(); ++i) {
                    if (!h->isSectionHidden(i) && h->model()) {
                        add(h, "column", h->model()->headerData(i, h->orientation()).toString());
                    }
                }
            }
        }
        for (QAction* a : window->findChildren<QAction*>()) {
            if (a->isSeparator() || holdsData(a)) {
                continue;
            }
            add(a, "action", a->text());
            if (a->toolTip() != a->text() && !a->toolTip().isEmpty()) {
                add(a, "action tooltip", a->toolTip());
            }
            if (QMenu* m = a->menu()) {
                add(m, "menu", m->title());
            }
        }
    }

    QStringList untranslated;
    QStringList cut;

  private:
    static QString path(const QObject* o) {
        QStringList names;
        for (const QObject* p = o; p; p = p->parent()) {
            if (!p->objectName().isEmpty()) {
                names.prepend(p->objectName());
            }
        }
        return names.join(u'/') + u'(' + QLatin1String(o->metaObject()->className()) + u')';
    }
};

class TranslatedWindows : public AppFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(translator_.load(QStringLiteral(WF_PSEUDO_QM))) << WF_PSEUDO_QM;
        QCoreApplication::installTranslator(&translator_);
    }
    void TearDown() override {
        AppFixture::TearDown();
        QCoreApplication::removeTranslator(&translator_);
    }

    // Opens the window a menu command opens, gathers its texts, closes it.
    void openAndCollect(frmMain& w, const char* command, Texts& texts) {
        bool seen = false;
        dialogs.queue([&](QDialog& d) {
            QApplication::processEvents();
            texts.collect(&d);
            // Each tab of a window with tabs (the statistics' map among them).
            if (auto* tabs = d.findChild<QTabWidget*>()) {
                for (int i = 1; i < tabs->count(); ++i) {
                    tabs->setCurrentIndex(i);
                    QApplication::processEvents();
                    texts.collect(tabs->currentWidget());
                }
            }
            seen = true;
            d.reject();
        });
        w.findChild<QAction*>(QLatin1String(command))->trigger();
        EXPECT_TRUE(seen) << command;
    }

    static QString report(const QStringList& lines) {
        return QStringLiteral("\n  ") + lines.join(QStringLiteral("\n  "));
    }

  private:
    QTranslator translator_;
};

}  // namespace

TEST_F(TranslatedWindows, EveryTextTheUserMeetsIsTranslatedAndWhole) {
    frmMain& w = startToMain();
    w.resize(900, 600);
    QApplication::processEvents();
    Texts texts;
    texts.collect(&w);
    for (const char* command :
         {"mnuViewOptions", "mnuViewCustom", "mnuViewStatistics", "mnuFileRestore", "mnuHelpAbout",
          "mnuFileNewSighting", "mnuFileNewArticle", "mnuFileNewImage", "mnuFileNewLink",
          "mnuFileExportEbird"}) {
        openAndCollect(w, command, texts);
    }
    EXPECT_TRUE(texts.untranslated.isEmpty())
        << texts.untranslated.size()
        << " texts not translated:" << report(texts.untranslated).toStdString();
    EXPECT_TRUE(texts.cut.isEmpty())
        << texts.cut.size() << " texts cut short:" << report(texts.cut).toStdString();
}

TEST_F(TranslatedWindows, ListsGridAndMessagesAreTranslated) {
    frmMain& w = startToMain();
    Store& db = startup->state().db();
    Sighting s;
    s.birdid = *db.findSubject(Category::Birds, QStringLiteral("Common Ostrich"));
    s.date = QDate(2024, 5, 3);
    s.site = QStringLiteral("Rutland Water");
    s.country = QStringLiteral("United Kingdom");
    db.appendSighting(s);
    Texts texts;
    // The boxes of messages, asked with nothing chosen.
    messages.clear();
    w.findChild<QAction*>(QStringLiteral("mnuViewSubjectPage"))->trigger();
    ASSERT_FALSE(messages.shown().empty());
    for (const MessageRequest& m : messages.shown()) {
        texts.add(&w, "message", m.text);
        texts.add(&w, "message title", m.title);
    }
    // Each list's root is named in the user's language.
    QComboBox* lists = w.cmbSearchCategory();
    for (int i = 0; i < lists->count(); ++i) {
        const QString key = lists->itemData(i).toString();
        if (key == QLatin1String("Custom Search")) {
            continue;  // asks for its words first
        }
        lists->setCurrentIndex(i);
        emit lists->activated(i);
        const QModelIndex root = w.tv1()->model()->index(0, 0);
        if (root.isValid()) {
            texts.add(lists, qPrintable(key), root.data().toString());
        }
    }
    // A bird's sightings: the grid's columns.
    choose(w, QStringLiteral("All Sightings"));
    const QModelIndex bird = w.tv1()->model()->index(0, 0, w.tv1()->model()->index(0, 0));
    ASSERT_TRUE(bird.isValid());
    w.tv1()->setCurrentIndex(bird);
    emit w.tv1()->clicked(bird);
    QApplication::processEvents();
    texts.collect(&w);
    // The bird's page: its headings and captions.
    w.findChild<QAction*>(QStringLiteral("mnuViewSubjectPage"))->trigger();
    const QString page = w.findChild<QTextEdit*>(QStringLiteral("rtb"))->toPlainText();
    EXPECT_TRUE(page.contains(QStringLiteral("Common Ostrich"))) << page.toStdString();
    for (const char* english : {"First seen", "Last seen", "Sightings by month", "Order "}) {
        EXPECT_FALSE(page.contains(QLatin1String(english)))
            << english << " in " << page.toStdString();
    }
    EXPECT_TRUE(texts.untranslated.isEmpty())
        << texts.untranslated.size()
        << " texts not translated:" << report(texts.untranslated).toStdString();
}
