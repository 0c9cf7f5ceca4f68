#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "AppState.h"
#include "GuiDoubles.h"
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
        box->setFocus();
        QApplication::setActiveWindow(&window);
    }
    void SetUp() override { make(true); }
    QString text() const { return box->lineEdit()->text(); }
    QString selected() const { return box->lineEdit()->selectedText(); }
    int caret() const { return box->lineEdit()->cursorPosition(); }
    void type(const char* keys) { QTest::keyClicks(box->lineEdit(), QString::fromUtf8(keys)); }
    void key(Qt::Key k) { QTest::keyClick(box->lineEdit(), k); }
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
    other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(text(), QStringLiteral("Rock Dove"));
    box->setFocus();
    box->lineEdit()->clear();
    type("Heron");
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(text(), QStringLiteral("Heron"));
}

TEST_F(PickerTest, TypingInTheMiddleCompletesThePartBeforeTheCaret) {
    type("rxyz");
    box->lineEdit()->setCursorPosition(1);
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
    bird.setFocus();
    QTest::keyClicks(bird.lineEdit(), "ro");
    EXPECT_EQ(bird.lineEdit()->text(), QStringLiteral("robin"));
}
