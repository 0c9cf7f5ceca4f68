// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "Services.h"
#include "Types.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace wf {

struct AppState;
class AppError;
class SubjectPicker;

// Steps the article, image and link editors share.
namespace entry_editor {

// Fills the picker with the current category's subjects and names the
// subject label ("Bird Name" or "Subject").
void loadSubjects(AppState& state, SubjectPicker& picker, QLabel* label);

// In edit mode: the current entry and its subject's name. Nothing, after
// telling the user, when the entry is gone.
std::optional<std::pair<Entry, QString>> currentEntry(AppState& state);

// The two checks of a save: a subject and a title that are not blank. A
// failed check shows its message and puts the focus back; false then.
bool checkFields(AppState& state, QComboBox* subject, QLineEdit* title,
                 const MessageRequest& noTitle);

// The current entry, to be changed; raises when it is gone.
Entry entryToEdit(AppState& state, const char* source);

// Stores a new entry under the subject named subjectText (found ignoring
// letter case, or created exactly as typed), both in one transaction; gives
// the node the tree needs. entry.catid and entry.subid are filled here.
struct Stored {
    qint64 id = 0;
    qint64 subid = 0;
    bool subjectHadEntries = false;
};
Stored storeUnderSubject(AppState& state, Entry entry, const QString& subjectText);

// "Robin on 3 May 2026 at Rutland Water": a sighting in words, for the
// questions and headings that name one. The date and place are left out
// when the sighting has none.
QString sightingWords(const QString& bird, QDate date, const QString& site = {});

// "3 articles, 2 pictures, 1 link and 14 sightings": what a subject holds.
QString contentsInWords(const SubjectContents& c);

// "Error Loading Data. Error # " and the error, as the windows report it.
void reportLoadError(AppState& state, const AppError& e);
// A failed save: lead, the number and the description.
void reportSaveError(AppState& state, const QString& lead, const AppError& e);

}  // namespace entry_editor
}  // namespace wf
