// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <utility>

#include "ChangeWatch.h"
#include "Types.h"

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace wf {

struct AppState;
class MainWindowApi;
class SubjectPicker;

// The frame the entry editors (article, picture, link) share: the subject's
// label and box with its picker, the title field, Save and Cancel, the
// question before changes are thrown away, and edit mode left behind however
// the editor closes. An editor adds its own rows to fields(), its own parts
// to body() between the fields and the buttons, and its own buttons to the
// left of buttons(); then it calls finish().
class EntryFrame : public QDialog {
    Q_OBJECT
  public:
    // The editor's object name, its window title and its icon's key.
    struct Look {
        const char* name;
        const char* title;
        const char* icon;
    };

    void done(int result) override;
    void reject() override;
    SubjectPicker& picker() const { return *picker_; }
    QComboBox* cmbSub() const { return cmbSub_; }
    QLineEdit* txtTitle() const { return txtTitle_; }

  protected:
    EntryFrame(AppState& state, MainWindowApi& main, QWidget* parent, const Look& look);

    // What Save does.
    virtual void cmdSave_Click() = 0;

    QGridLayout* fields() const { return fields_; }
    QVBoxLayout* body() const { return body_; }
    QHBoxLayout* buttons() const { return buttons_; }
    // Puts the buttons at the foot, and the subject and title first in the
    // tab order.
    void finish();
    // Fills the subject box. In edit mode, the editor becomes one (its
    // title editTitle, the Edit icon, the subject fixed) and the current
    // entry, with its subject's name, is returned with both put in their
    // boxes. Raises AppError when the journal cannot be read.
    std::optional<std::pair<Entry, QString>> loadEntry(const char* editTitle);
    // How an editor's entry is stored by saveEntry.
    struct Kind {
        const QString& type;    // kArticle, kLink
        const char* keyLetter;  // its nodes' key letter
        int picture;            // its nodes' picture
        const char* source;     // for errors
        const char* failure;    // "Error saving the article. Error # "
    };
    // Stores what the editor holds: in edit mode the current entry changed
    // by fill, else a new entry filled by fill under the subject typed; then
    // the window shows it and the editor closes. A failure is told, and the
    // editor stays open.
    void saveEntry(const Kind& kind, const std::function<void(Entry&)>& fill);

    AppState& state_;
    MainWindowApi& main_;
    QLabel* lblSubject_;
    QComboBox* cmbSub_;
    SubjectPicker* picker_;
    QLineEdit* txtTitle_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
    bool editing_ = false;
    ChangeWatch changes_;

  private:
    QVBoxLayout* layout_;
    QGridLayout* fields_;
    QVBoxLayout* body_;
    QHBoxLayout* buttons_;
};

}  // namespace wf
