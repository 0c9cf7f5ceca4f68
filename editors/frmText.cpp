// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmText.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppError.h"
#include "AppState.h"
#include "ArticleEdit.h"
#include "Artwork.h"
#include "EntryEditor.h"
#include "EntryNodes.h"
#include "MainWindowApi.h"
#include "Pictures.h"
#include "RichText.h"
#include "SelectionFormat.h"
#include "SubjectPicker.h"
#include "frmFont.h"

namespace wf {

namespace {

struct ToolButton {
    const char* key;  // empty for a separator
    const char* tip;
    bool checkable;
};

const ToolButton kButtons[] = {
    {"Font", QT_TRANSLATE_NOOP("wf::frmText", "Select Font"), false},
    {"", "", false},
    {"Cut", QT_TRANSLATE_NOOP("wf::frmText", "Cut"), false},
    {"Copy", QT_TRANSLATE_NOOP("wf::frmText", "Copy"), false},
    {"Paste", QT_TRANSLATE_NOOP("wf::frmText", "Paste"), false},
    {"", "", false},
    {"Bold", QT_TRANSLATE_NOOP("wf::frmText", "Bold"), true},
    {"Italic", QT_TRANSLATE_NOOP("wf::frmText", "Italic"), true},
    {"Underline", QT_TRANSLATE_NOOP("wf::frmText", "Underline"), true},
    {"", "", false},
    {"Left", QT_TRANSLATE_NOOP("wf::frmText", "Left Justify"), true},
    {"Center", QT_TRANSLATE_NOOP("wf::frmText", "Center Justify"), true},
    {"Right", QT_TRANSLATE_NOOP("wf::frmText", "Right Justify"), true},
};

// Gets focus-in events of the title box to the editor.
class FocusWatcher : public QObject {
  public:
    FocusWatcher(QObject* parent, std::function<void()> f) : QObject(parent), f_(std::move(f)) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::FocusIn) {
            f_();
        }
        return QObject::eventFilter(o, e);
    }

  private:
    std::function<void()> f_;
};

}  // namespace

frmText::frmText(AppState& state, MainWindowApi& main, QWidget* parent)
    : EntryFrame(state, main, parent,
                 {"frmText", QT_TRANSLATE_NOOP("wf::EntryFrame", "Add a new article"), "Article"}),
      rtb1_(new ArticleEdit(this)),
      tb1_(new QToolBar(this)) {
    rtb1_->setObjectName(QStringLiteral("rtb1"));
    tb1_->setObjectName(QStringLiteral("tb1"));
    tb1_->setIconSize(QSize(20, 20));

    auto* alignGroup = new QActionGroup(this);
    alignGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const ToolButton& b : kButtons) {
        if (b.key[0] == '\0') {
            tb1_->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        QAction* a = tb1_->addAction(artwork::icon(key, 20), tr(b.tip));
        a->setObjectName(key);
        a->setToolTip(tr(b.tip));
        a->setCheckable(b.checkable);
        // The word processor's keys press the same buttons.
        static const std::pair<const char*, QKeySequence::StandardKey> kKeys[] = {
            {"Bold", QKeySequence::Bold},
            {"Italic", QKeySequence::Italic},
            {"Underline", QKeySequence::Underline}};
        for (const auto& [name, standard] : kKeys) {
            if (key == QLatin1String(name)) {
                a->setShortcut(QKeySequence(standard));
                a->setShortcutContext(Qt::WindowShortcut);
                a->setToolTip(QStringLiteral("%1 (%2)").arg(
                    tr(b.tip), a->shortcut().toString(QKeySequence::NativeText)));
            }
        }
        if (key == QLatin1String("Left") || key == QLatin1String("Center") ||
            key == QLatin1String("Right")) {
            alignGroup->addAction(a);
        }
        // The focus stays in the box the user was working in.
        tb1_->widgetForAction(a)->setFocusPolicy(Qt::NoFocus);
    }
    connect(tb1_, &QToolBar::actionTriggered, this, &frmText::tb1_ButtonClick);
    // Queued: the toolbar follows once an edit of the text has finished, not
    // from inside it (the document may be half rebuilt then).
    connect(rtb1_, &QTextEdit::selectionChanged, this, &frmText::rtb1_SelChange,
            Qt::QueuedConnection);
    connect(rtb1_, &QTextEdit::cursorPositionChanged, this, &frmText::rtb1_SelChange,
            Qt::QueuedConnection);
    txtTitle_->installEventFilter(new FocusWatcher(this, [this] { txtTitle_GotFocus(); }));
    auto* lblArticle = new QLabel(tr("Article"), this);
    lblArticle->setObjectName(QStringLiteral("lbl(3)"));
    body()->addWidget(lblArticle);
    body()->addWidget(tb1_);
    body()->addWidget(rtb1_, 1);
    finish();
    setTabOrder(txtTitle_, rtb1_);
    setTabOrder(rtb1_, cmdSave_);
    setTabOrder(cmdSave_, cmdCancel_);
    resize(640, 520);
    Form_Load();
}

QAction* frmText::button(const QString& key) const {
    return tb1_->findChild<QAction*>(key, Qt::FindDirectChildrenOnly);
}

bool frmText::isMixed(const QAction* button) {
    return button->property("mixed").toBool();
}

void frmText::setMixed(QAction* b, bool mixed) {
    if (isMixed(b) == mixed) {
        return;
    }
    b->setProperty("mixed", mixed);
    b->setIcon(mixed ? artwork::mixedIcon(b->objectName(), 20)
                     : artwork::icon(b->objectName(), 20));
}

// Opening ----------------------------------------------------------------------

void frmText::Form_Load() {
    LoadFields();
    const bool selected = rtb1_->textCursor().hasSelection();
    button(QStringLiteral("Cut"))->setEnabled(selected);
    button(QStringLiteral("Copy"))->setEnabled(selected);
    button(QStringLiteral("Paste"))
        ->setEnabled(!state_.services.clipboard.text().isEmpty() ||
                     !state_.services.clipboard.image().isNull());
    rtb1_SelChange();
    rtb1_->document()->setModified(false);
    changes_.watch([this] {
        return QStringList{cmbSub_->currentText(), txtTitle_->text(),
                           rtb1_->document()->isModified() ? QStringLiteral("changed") : QString()};
    });
}

void frmText::LoadFields() {
    try {
        if (const auto current =
                loadEntry(QT_TRANSLATE_NOOP("wf::EntryFrame", "Editing Current Article"))) {
            rtf::readRtf(current->first.caption, *rtb1_->document());
            rtf::pictures::fitToWidth(*rtb1_->document(), rtb1_->pictureWidth());
        }
    } catch (const AppError& e) {
        entry_editor::reportLoadError(state_, e);
    }
}

// Toolbar ---------------------------------------------------------------------

void frmText::rtb1_SelChange() {
    const QTextCursor cursor = rtb1_->textCursor();
    button(QStringLiteral("Cut"))->setEnabled(cursor.hasSelection());
    button(QStringLiteral("Copy"))->setEnabled(cursor.hasSelection());
    const rtf::SelectionFormat f = rtf::selectionFormat(cursor);
    auto show = [this](const char* key, rtf::Tri value) {
        QAction* b = button(QString::fromLatin1(key));
        if (value == rtf::Tri::Mixed) {
            setMixed(b, true);  // the pressed state stays as it was
        } else {
            b->setChecked(value == rtf::Tri::On);
            setMixed(b, false);
        }
    };
    show("Bold", f.bold);
    show("Italic", f.italic);
    show("Underline", f.underline);
    if (!f.alignment) {
        for (const char* key : {"Left", "Center", "Right"}) {
            setMixed(button(QString::fromLatin1(key)), true);
        }
    } else {
        const char* key = *f.alignment == Qt::AlignHCenter ? "Center"
                          : *f.alignment == Qt::AlignRight ? "Right"
                                                           : "Left";
        if (*f.alignment == Qt::AlignJustify) {
            // Justified text has no button: none of the three is pressed.
            for (const char* k : {"Left", "Center", "Right"}) {
                button(QString::fromLatin1(k))->setChecked(false);
            }
            return;
        }
        QAction* b = button(QString::fromLatin1(key));
        b->setChecked(true);
        setMixed(b, false);
    }
}

void frmText::tb1_ButtonClick(QAction* b) {
    const QString key = b->objectName();
    QTextCharFormat f;
    if (key == QLatin1String("Bold") || key == QLatin1String("Italic") ||
        key == QLatin1String("Underline")) {
        const bool on = b->isChecked();
        if (key == QLatin1String("Bold")) {
            f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        } else if (key == QLatin1String("Italic")) {
            f.setFontItalic(on);
        } else {
            f.setFontUnderline(on);
        }
        rtb1_->mergeCurrentCharFormat(f);
        setMixed(b, false);
    } else if (key == QLatin1String("Left") || key == QLatin1String("Center") ||
               key == QLatin1String("Right")) {
        QTextCursor c = rtb1_->textCursor();
        rtf::applyAlignment(c, key == QLatin1String("Left")     ? Qt::AlignLeft
                               : key == QLatin1String("Center") ? Qt::AlignHCenter
                                                                : Qt::AlignRight);
        b->setChecked(true);
        for (const char* k : {"Left", "Center", "Right"}) {
            setMixed(button(QString::fromLatin1(k)), false);
        }
    } else if (key == QLatin1String("Font")) {
        fontDialog();
    } else if (key == QLatin1String("Cut")) {
        cut(true);
    } else if (key == QLatin1String("Copy")) {
        cut(false);
    } else if (key == QLatin1String("Paste")) {
        paste();
    }
}

void frmText::fontDialog() {
    frmFont dialog(rtf::selectionFormat(rtb1_->textCursor()), state_.services.dialogs, this);
    if (state_.services.dialogs.exec(dialog) != QDialog::Accepted) {
        return;  // a cancelled dialog applies nothing
    }
    const frmFont::Choice c = dialog.choice();
    QTextCharFormat f;
    if (c.family) {
        f.setFontFamilies(QStringList{*c.family});
    }
    if (c.size) {
        f.setFontPointSize(*c.size);
    }
    if (c.bold) {
        f.setFontWeight(*c.bold ? QFont::Bold : QFont::Normal);
    }
    if (c.italic) {
        f.setFontItalic(*c.italic);
    }
    if (c.underline) {
        f.setFontUnderline(*c.underline);
    }
    if (c.strike) {
        f.setFontStrikeOut(*c.strike);
    }
    if (c.color && c.color->isValid()) {
        f.setForeground(*c.color);
    }
    rtb1_->mergeCurrentCharFormat(f);
    rtb1_SelChange();
}

void frmText::cut(bool remove) {
    Clipboard& clipboard = state_.services.clipboard;
    clipboard.setText(QString());
    QWidget* focused = focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->lineEdit()) {
        focused = combo->lineEdit();
    }
    if (auto* line = qobject_cast<QLineEdit*>(focused)) {
        clipboard.setText(line->selectedText());
        if (remove) {
            line->del();
        }
    } else if (focused == rtb1_) {
        QTextCursor c = rtb1_->textCursor();
        clipboard.setText(c.selection().toPlainText());
        if (remove) {
            c.removeSelectedText();
        }
    }
    button(QStringLiteral("Paste"))->setEnabled(true);
}

void frmText::paste() {
    const QString text = state_.services.clipboard.text();
    QWidget* focused = focusWidget();
    if (focused == rtb1_ && text.isEmpty()) {
        if (const QImage image = state_.services.clipboard.image(); !image.isNull()) {
            rtb1_->insertPicture(image);
            return;
        }
    }
    if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->lineEdit()) {
        focused = combo->lineEdit();
    }
    if (auto* line = qobject_cast<QLineEdit*>(focused)) {
        line->insert(text);
    } else if (focused == rtb1_ && !text.isEmpty()) {
        rtb1_->textCursor().insertText(text);
    }
}

void frmText::txtTitle_GotFocus() {
    button(QStringLiteral("Paste"))->setEnabled(!state_.services.clipboard.text().isEmpty());
}

// Saving ------------------------------------------------------------------------

void frmText::cmdSave_Click() {
    if (!entry_editor::checkFields(
            state_, cmbSub_, txtTitle_,
            {tr("You must enter a title for the article."), QStringLiteral("Wingfolio")})) {
        return;
    }
    const QString rtf = rtf::writeRtf(*rtb1_->document());
    saveEntry({kArticle, "A", 1, "wingfolio.frmText",
               QT_TRANSLATE_NOOP("wf::EntryFrame", "Error saving the article. Error # ")},
              [&rtf](Entry& e) { e.caption = rtf; });
}

}  // namespace wf
