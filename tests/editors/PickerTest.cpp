// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "AppState.h"
#include "GuiDoubles.h"
#include "Keyboard.h"
#include "QtPrinters.h"
#include "SubjectPicker.h"
#include "TestDoubles.h"

using namespace wf;

namespace {

// A picker in a window of its own, typed into key by key.
class PickerTest : public ::testing::Test {
  protected:
    test::ScriptedMessageBoxes messages;
    test::FakeClipboard clipboard;
    test::ScriptedDialogs dialogs;
    test::ManualClock clock;
    AppState state{Services{messages, clipboard, dialogs, clock}, DataFolder(QString())};
    QWidget window;
    QComboBox* box = new QComboBox(&window);
    QLineEdit* other = new QLineEdit(&window);
    SubjectPicker* picker = nullptr;

    void make(bool idleInEditMode) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        picker = new SubjectPicker(box, state, idleInEditMode);
        picker->setItems({"Rock Dove", "Robin, American", "Raven", "Robin"});
        window.show();
        test::user::focus(box);
    }
    void SetUp() override { make(true); }
    QString text() const { return box->lineEdit()->text(); }
    QString selected() const { return box->lineEdit()->selectedText(); }
    int caret() const { return box->lineEdit()->cursorPosition(); }
    void type(const char* keys) { test::user::type(&window, QString::fromUtf8(keys)); }
    void key(Qt::Key k) { test::user::key(&window, k); }
};

}  // namespace

TEST_F(PickerTest, TypingCompletesAndTheNextKeyReplacesTheProposal) {
    type("r");
    EXPECT_EQ(text(), QStringLiteral("raven"));
    EXPECT_EQ(selected(), QStringLiteral("aven"));
    EXPECT_EQ(caret(), 1);
    type("o");
    EXPECT_EQ(text(), QStringLiteral("robin"));
    EXPECT_EQ(selected(), QStringLiteral("bin"));
    type("bin");
    EXPECT_EQ(text(), QStringLiteral("robin, American"));
    EXPECT_EQ(selected(), QStringLiteral(", American"));
    key(Qt::Key_Delete);
    EXPECT_EQ(text(), QStringLiteral("robin"));
    EXPECT_TRUE(selected().isEmpty());
}

TEST_F(PickerTest, BackspaceRefusesTheProposalThenDeletes) {
    type("ro");
    ASSERT_EQ(selected(), QStringLiteral("bin"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(text(), QStringLiteral("raven"));
    EXPECT_EQ(selected(), QStringLiteral("aven"));
}

TEST_F(PickerTest, EnterWithoutADefaultButtonAcceptsTheListsForm) {
    type("ro");
    key(Qt::Key_Return);
    EXPECT_EQ(text(), QStringLiteral("Robin"));
    EXPECT_EQ(caret(), 5);
    EXPECT_TRUE(selected().isEmpty());
}

TEST_F(PickerTest, LeavingTheBoxPutsTheListsForm) {
    type("ROCK DOVE");
    EXPECT_EQ(text(), QStringLiteral("ROCK DOVE"));
    key(Qt::Key_Tab);
    ASSERT_TRUE(other->hasFocus());
    EXPECT_EQ(text(), QStringLiteral("Rock Dove"));
    test::user::click(box);
    box->lineEdit()->clear();
    type("Heron");
    key(Qt::Key_Tab);
    EXPECT_EQ(text(), QStringLiteral("Heron"));
}

TEST_F(PickerTest, TypingInTheMiddleCompletesThePartBeforeTheCaret) {
    type("rxyz");
    key(Qt::Key_Home);
    key(Qt::Key_Right);
    type("o");
    EXPECT_EQ(text(), QStringLiteral("robinxyz"));
    EXPECT_EQ(selected(), QStringLiteral("binxyz"));
}

TEST_F(PickerTest, WildcardsAndAnUnclosedBracket) {
    type("r?v");
    EXPECT_EQ(text(), QStringLiteral("r?ven"));
    box->lineEdit()->clear();
    type("[ro");
    EXPECT_EQ(text(), QStringLiteral("[ro"));
}

TEST_F(PickerTest, EditModeRestsTheEntryEditorsPickerOnly) {
    state.EditMode = true;
    type("ro");
    EXPECT_EQ(text(), QStringLiteral("ro"));
    picker->setText(QStringLiteral("Robin"));
    EXPECT_EQ(text(), QStringLiteral("Robin"));
}

TEST_F(PickerTest, TheSightingEditorsPickerCompletesInEditMode) {
    QComboBox bird(&window);
    SubjectPicker sighting(&bird, state, false);
    sighting.setItems({"Raven", "Robin"});
    state.EditMode = true;
    bird.show();
    test::user::focus(&bird);
    type("ro");
    EXPECT_EQ(bird.lineEdit()->text(), QStringLiteral("robin"));
}

TEST_F(PickerTest, ANameThatBeginsALongerOneCanBeTyped) {
    picker->setItems({"Raven", "Robin", "Rob"});
    type("rob");
    ASSERT_EQ(text(), QStringLiteral("robin"));
    key(Qt::Key_Delete);
    EXPECT_EQ(text(), QStringLiteral("rob"));
    key(Qt::Key_Tab);
    EXPECT_EQ(text(), QStringLiteral("Rob"));
}

TEST_F(PickerTest, BackspaceInADialogWithADefaultButton) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* cmbSub = new QComboBox(&dialog);
    auto* save = new QPushButton(QStringLiteral("Save"), &dialog);
    save->setDefault(true);
    layout->addWidget(cmbSub);
    layout->addWidget(save);
    SubjectPicker p(cmbSub, state, true);
    p.setItems({"Raven", "Robin", "Robin, American", "Rock Dove"});
    dialog.show();
    test::user::focus(cmbSub);
    test::user::type(&dialog, QStringLiteral("ro"));
    ASSERT_EQ(cmbSub->currentText(), QStringLiteral("robin"));
    test::user::key(&dialog, Qt::Key_Backspace);
    EXPECT_EQ(cmbSub->currentText(), QStringLiteral("raven"));
    EXPECT_EQ(cmbSub->lineEdit()->selectedText(), QStringLiteral("aven"));
}
