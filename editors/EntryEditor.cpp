// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryEditor.h"
#include "Words.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include "AppError.h"
#include "AppState.h"
#include "SubjectPicker.h"
#include "Tr.h"

namespace wf::entry_editor {

void loadSubjects(AppState& state, SubjectPicker& picker, QLabel* label) {
    const Category cat = state.category();
    label->setText(cat == Category::Birds     ? wf::tr("Bird Name")
                   : cat == Category::Outings ? wf::tr("Outing")
                                              : wf::tr("Subject"));
    QStringList names;
    for (const Subject& s : state.db().subjects(state.category())) {
        names << s.name;
    }
    picker.setItems(names);
}

std::optional<std::pair<Entry, QString>> currentEntry(AppState& state) {
    const std::optional<Entry> e = state.db().entry(state.CurrentEntryId);
    if (!e) {
        state.services.messages.notify(wf::tr("Cannot Find the Information for this item."),
                                       wf::tr("Missing Data"), MsgIcon::Exclamation);
        return std::nullopt;
    }
    const QString subject = state.db().subjectName(state.category(), e->subid).value_or(QString());
    return std::make_pair(*e, subject);
}

bool checkFields(AppState& state, QComboBox* subject, QLineEdit* title,
                 const MessageRequest& noTitle) {
    if (subject->currentText().trimmed().isEmpty()) {
        state.services.messages.notify(state.birds()     ? wf::tr("You must choose a bird name.")
                                       : state.outings() ? wf::tr("You must choose an outing.")
                                                         : wf::tr("You must choose a subject."),
                                       QStringLiteral("Wingfolio"));
        subject->setFocus();
        return false;
    }
    if (title->text().trimmed().isEmpty()) {
        state.services.messages.show(noTitle);
        title->setFocus();
        return false;
    }
    return true;
}

Entry entryToEdit(AppState& state, const char* source) {
    const std::optional<Entry> e = state.db().entry(state.CurrentEntryId);
    if (!e) {
        throw AppError(err::NoCurrentRecord, QString::fromLatin1(source),
                       wf::tr("No current record."));
    }
    return *e;
}

Stored storeUnderSubject(AppState& state, Entry entry, const QString& subjectText) {
    Store& db = state.db();
    const Category cat = state.category();
    Stored stored;
    if (cat == Category::Outings) {
        // Outings come from the sightings: an entry goes under one that is.
        const std::optional<qint64> outing = db.findSubject(cat, subjectText);
        if (!outing) {
            throw AppError(err::NoCurrentRecord, QStringLiteral("wingfolio.Editors"),
                           wf::tr("There is no outing \u201c%1\u201d: choose one from the list.")
                               .arg(subjectText));
        }
    }
    db.inTransaction([&] {
        stored.subid = db.findOrAddSubject(cat, subjectText);
        stored.subjectHadEntries = db.entryCount(cat, stored.subid) > 0;
        entry.catid = int(cat);
        entry.subid = stored.subid;
        stored.id = db.appendEntry(entry);
    });
    return stored;
}

QString sightingWords(const QString& bird, QDate date, const QString& site) {
    QString out = bird;
    if (date.isValid()) {
        out += wf::tr(" on ") + words::date(date);
    }
    if (!site.trimmed().isEmpty()) {
        out += wf::tr(" at ") + site.trimmed();
    }
    return out;
}

QString contentsInWords(const SubjectContents& c) {
    QStringList parts;
    if (c.articles > 0) {
        parts << words::counted(c.articles, wf::tr("article"), wf::tr("articles"));
    }
    if (c.pictures > 0) {
        parts << words::counted(c.pictures, wf::tr("picture"), wf::tr("pictures"));
    }
    if (c.links > 0) {
        parts << words::counted(c.links, wf::tr("link"), wf::tr("links"));
    }
    if (c.sightings > 0) {
        parts << words::counted(c.sightings, wf::tr("sighting"), wf::tr("sightings"));
    }
    if (parts.size() <= 1) {
        return parts.value(0);
    }
    const QString last = parts.takeLast();
    return parts.join(QStringLiteral(", ")) + wf::tr(" and ") + last;
}

void reportLoadError(AppState& state, const AppError& e) {
    state.services.messages.notify(
        wf::tr("Error Loading Data. Error # ") + QString::number(e.number()) + e.description(),
        wf::tr("Error loading Data"), MsgIcon::Exclamation);
}

void reportSaveError(AppState& state, const QString& lead, const AppError& e) {
    state.services.messages.notify(lead + QString::number(e.number()) + e.description(),
                                   QStringLiteral("Wingfolio"), MsgIcon::Exclamation);
}

}  // namespace wf::entry_editor
