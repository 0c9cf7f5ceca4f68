// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArticleEdit.h"
#include "EntryFrame.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QToolBar;

namespace wf {

struct AppState;
class MainWindowApi;
class SubjectPicker;

// The article editor: a new article filed under a bird or a topic, or the
// title and text of an existing one (EditMode).
class frmText : public EntryFrame {
    Q_OBJECT
  public:
    frmText(AppState& state, MainWindowApi& main, QWidget* parent = nullptr);

    QTextEdit* rtb1() const { return rtb1_; }
    QToolBar* tb1() const { return tb1_; }
    // A keyed button of tb1 ("Font", "Cut", "Bold", "Left", ...).
    QAction* button(const QString& key) const;
    // Whether a button shows its mixed look.
    static bool isMixed(const QAction* button);

  private:
    void Form_Load();
    void LoadFields();
    void rtb1_SelChange();
    void tb1_ButtonClick(QAction* button);
    void fontDialog();
    void cut(bool remove);
    void paste();
    void txtTitle_GotFocus();
    void cmdSave_Click() override;
    void setMixed(QAction* button, bool mixed);

    ArticleEdit* rtb1_;
    QToolBar* tb1_;
};

}  // namespace wf
